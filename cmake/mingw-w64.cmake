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
