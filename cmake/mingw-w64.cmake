# Cross-compiles for Windows with MinGW-w64. The preset chooses the target and the thread model:
#   QUILLON_MINGW_TARGET   i686-w64-mingw32 (the shipped program) or x86_64-w64-mingw32
#   QUILLON_MINGW_THREADS  win32: no thread library, so the program starts on Windows 2000;
#                          posix: what GoogleTest needs, for the test programs only.
set(CMAKE_SYSTEM_NAME Windows)

set(QUILLON_MINGW_TARGET i686-w64-mingw32 CACHE STRING "MinGW-w64 target triple")
set(QUILLON_MINGW_THREADS win32 CACHE STRING "MinGW-w64 thread model: win32 or posix")
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR "${QUILLON_MINGW_TARGET}")

set(CMAKE_C_COMPILER ${QUILLON_MINGW_TARGET}-gcc-${QUILLON_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${QUILLON_MINGW_TARGET}-g++-${QUILLON_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${QUILLON_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLON_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything links statically, so the programs import only Windows system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# The link time in each program's header is the source's time, not the build's, so that the same
# source makes the same bytes anywhere: SOURCE_DATE_EPOCH when it is set, otherwise the time of
# the checked-out commit, and 0 in a tree without git. The linker reads it from SOURCE_DATE_EPOCH,
# which every link command is given. The archive's entries carry the same time.
# CMake reads this file more than once in a configure, and again in each trial build: the time
# is found once, and told only by the configure itself.
get_property(QUILLON_SOURCE_DATE_EPOCH GLOBAL PROPERTY QUILLON_SOURCE_DATE_EPOCH)
if("${QUILLON_SOURCE_DATE_EPOCH}" STREQUAL "")
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(QUILLON_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
    if(NOT QUILLON_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$" OR QUILLON_SOURCE_DATE_EPOCH GREATER 4294967295)
      message(FATAL_ERROR "SOURCE_DATE_EPOCH is '${QUILLON_SOURCE_DATE_EPOCH}', not a time: it must be "
        "the number of seconds since 1970-01-01 00:00 UTC, at most 4294967295.")
    endif()
  else()
    set(QUILLON_SOURCE_DATE_EPOCH 0)
    get_filename_component(source_tree ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
    if(EXISTS ${source_tree}/.git)
      execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${source_tree}
        OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(commit_time MATCHES "^[0-9]+$")
      set(QUILLON_SOURCE_DATE_EPOCH ${commit_time})
    else()
      get_property(trial_build GLOBAL PROPERTY IN_TRY_COMPILE)
      if(NOT trial_build)
        message(NOTICE "No git commit in ${source_tree}: the programs and the archive carry the "
          "time 0 (1970-01-01). Set SOURCE_DATE_EPOCH to give them another.")
      endif()
    endif()
  endif()
  set_property(GLOBAL PROPERTY QUILLON_SOURCE_DATE_EPOCH ${QUILLON_SOURCE_DATE_EPOCH})
endif()
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${QUILLON_SOURCE_DATE_EPOCH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_C_LINKER_LAUNCHER})
