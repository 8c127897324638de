# The Windows side. A preset makes one of two kinds of tree from it:
# - the program tree (preset win32): the shipped Orvel-Quillon.exe, built with the win32 thread
#   model so that it carries no thread library and starts on Windows 2000; the fixture DLLs, the
#   window reader of scripts/run, the benchmark programs, and the checks of its imports;
# - a test tree (presets win32-tests, win64-tests): the GoogleTest programs, built with the posix
#   thread model that GoogleTest needs and run under Wine against the program under test.

option(QUILLON_WINDOWS_TESTS "Build the Windows-side tests instead of the program" OFF)

enable_language(RC)

# The program calls every Windows function by its ANSI name (the form Windows 98 and ME have), so
# a name without A or W means ANSI in its code. The tests speak UTF-16 and say so in their trees.
add_compile_definitions(NOMINMAX)
# Small and self-contained: unused code is dropped and nothing is left to load but system DLLs.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -s -Wl,--gc-sections)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
find_program(QUILLON_PYTHON3 python3 REQUIRED)

# The program's own code sees only what Windows 2000 has, so nothing newer is used by accident.
set(QUILLON_WINDOWS_2000 WINVER=0x0500 _WIN32_WINNT=0x0500)

add_library(quillon_win STATIC
  about/frm_about.cpp
  about/mail_link_win.cpp
  app/frm_version.cpp
  app/main_frame.cpp
  probe/locator_win.cpp
  probe/native_files_win.cpp
  probe/registry_win.cpp
  probe/sys_dir_win.cpp
  probe/version_text_win.cpp
  report/report_probe_win.cpp
  report/standard_output_win.cpp
  settings/font_override_win.cpp
  settings/ini_win.cpp
  survey/named_files_win.cpp
  survey/table_file_win.cpp
  ui/ansi_text.cpp
  ui/clipboard.cpp
  ui/common_controls.cpp
  ui/form.cpp
  ui/form_window.cpp
  ui/system_function.cpp
  ui/window.cpp
)
target_link_libraries(quillon_win PUBLIC quillon_core gdi32 user32 advapi32)
target_compile_definitions(quillon_win PRIVATE ${QUILLON_WINDOWS_2000})
target_compile_options(quillon_win PRIVATE -Wall -Wextra -Wshadow)

# The program's own code runs with no C or C++ runtime under it (runtime/): it is compiled
# without exceptions, unwind tables and RTTI, and function-local statics need no guard (one
# thread). Where the library would throw it calls runtime/library_hooks.cpp, which ends the
# program. The library's bounds checks are on (_GLIBCXX_ASSERTIONS): operator[], front() and
# back() of a string, a string_view, a span, an array or a vector check their index, and a
# failed check ends the program (runtime/library_checks.h). In C++20 the string code is compiled
# into the program whether or not the checks are on (libstdc++ declares no extern string
# templates for C++20), so what they add is the checks alone. Stack probes come from libgcc,
# which imports nothing.
set(QUILLON_NO_RUNTIME_OPTIONS -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-asynchronous-unwind-tables
  -D_GLIBCXX_ASSERTIONS "SHELL:-include ${PROJECT_SOURCE_DIR}/runtime/library_checks.h")
# The shipped program runs on every processor that Windows 98 SE runs on, a 486DX or later, so
# its code holds no newer instruction (no CMOV, FCOMI, MMX or SSE): the program's own code, the
# runtime and the library code compiled into them are made for the 486, and what libgcc adds
# was made for it too (platform/check_instructions.py keeps both true). The 64-bit build keeps
# its processor's own target. The code is tuned for today's processors, where most runs are: that
# is also 96 bytes smaller than tuned for the 486, and starts as fast.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
  list(APPEND QUILLON_NO_RUNTIME_OPTIONS -march=i486 -mtune=generic)
endif()
foreach(library quillon_core quillon_win)
  target_compile_options(${library} PRIVATE ${QUILLON_NO_RUNTIME_OPTIONS})
endforeach()
# The end of a failed check, in every program and test program that links the program's code.
add_library(quillon_library_check OBJECT runtime/library_check_win.cpp)
target_include_directories(quillon_library_check PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(quillon_library_check PRIVATE ${QUILLON_NO_RUNTIME_OPTIONS})
target_sources(quillon_core INTERFACE $<TARGET_OBJECTS:quillon_library_check>)
target_link_libraries(quillon_core INTERFACE gcc)

# What the runtime supplied: the entry point, the heap, the memory functions and the library's
# failure hooks. Its objects are linked into the program whole, before any library.
add_library(quillon_runtime OBJECT
  runtime/heap_win.cpp
  runtime/library_hooks.cpp
  runtime/memory_functions.cpp
  runtime/start_win.cpp
)
target_include_directories(quillon_runtime PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(quillon_runtime PRIVATE ${QUILLON_WINDOWS_2000})
target_compile_options(quillon_runtime PRIVATE ${QUILLON_NO_RUNTIME_OPTIONS} -Wall -Wextra -Wshadow)
# The memory functions' loops must stay loops, not become calls to the functions they define.
set_source_files_properties(runtime/memory_functions.cpp PROPERTIES COMPILE_OPTIONS
  "-ffreestanding;-fno-tree-loop-distribute-patterns")

# A program of the project's code with that runtime instead of the C and C++ runtimes: no
# start-up files and no runtime library. The system DLLs come from CMake's standard libraries,
# of which only what is called is imported.
function(quillon_no_runtime_program target)
  target_link_libraries(${target} PRIVATE quillon_runtime)
  target_compile_options(${target} PRIVATE ${QUILLON_NO_RUNTIME_OPTIONS})
  target_link_options(${target} PRIVATE -nostdlib)
endfunction()

# Orvel-Quillon.exe: the shipped program in the program tree; in a test tree that cannot run
# the shipped one, the same sources built for that tree's Wine. It sets QUILLON_RESOURCE_DIRS,
# where its resources are found, for the benchmark programs that share them.
function(quillon_program)
  # The manifest asks for the common controls of the program's own processor: X86 in the shipped
  # program, amd64 in the 64-bit build, which with X86 makes no window wherever Windows or Wine
  # has the x86 ones. Both come from one source, filled in here.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
    set(QUILLON_MANIFEST_ARCHITECTURE X86)
  elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    set(QUILLON_MANIFEST_ARCHITECTURE amd64)
  else()
    message(FATAL_ERROR "No manifest architecture for the processor ${CMAKE_SYSTEM_PROCESSOR}.")
  endif()
  set(manifest ${CMAKE_BINARY_DIR}/resources/Orvel-Quillon.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/resources/Orvel-Quillon.manifest.in ${manifest} @ONLY)
  set(resource_dirs ${PROJECT_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/resources)
  set(QUILLON_RESOURCE_DIRS ${resource_dirs} PARENT_SCOPE)

  add_executable(Orvel-Quillon WIN32 app/main.cpp resources/Orvel-Quillon.rc)
  target_link_libraries(Orvel-Quillon PRIVATE quillon_win)
  target_compile_definitions(Orvel-Quillon PRIVATE ${QUILLON_WINDOWS_2000})
  quillon_no_runtime_program(Orvel-Quillon)
  # Terminal-server aware: the program reads no settings from the Windows folder, so a Remote
  # Desktop or Citrix server need not map any for each user.
  target_link_options(Orvel-Quillon PRIVATE -Wl,--tsaware)
  target_include_directories(Orvel-Quillon PRIVATE ${resource_dirs})
  set_source_files_properties(resources/Orvel-Quillon.rc PROPERTIES OBJECT_DEPENDS
    "${manifest};${PROJECT_SOURCE_DIR}/resources/version.h")
endfunction()

# A DLL the project builds for its tests. It exports plain names on both architectures: a 32-bit
# compiler decorates a stdcall name with its argument bytes (KeyWitnessProc@12), and a lookup by
# the plain name, which finds it in a 64-bit build, would find nothing there. A test tree's
# export check reads every DLL made here. What the linker warns of (an entry point named as only
# one architecture spells it, say) stops the build on either.
function(quillon_test_dll name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_options(${name} PRIVATE -Wl,--kill-at -Wl,--fatal-warnings)
  set_property(GLOBAL APPEND PROPERTY QUILLON_TEST_DLLS ${name})
endfunction()

# Windows programs built here run under Wine, in the tree's own prefix and display.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUILLON_WINE_ARCH win64)
else()
  set(QUILLON_WINE_ARCH win32)
endif()
# A script that runs a Windows program under Wine in a prefix, of an architecture, and on an Xvfb
# display of its own, which the session folder holds.
function(quillon_wine_exec script QUILLON_WINEPREFIX QUILLON_SESSION_DIR QUILLON_WINE_ARCH)
  configure_file(${PROJECT_SOURCE_DIR}/scripts/lib/wine-exec.in ${script} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()
quillon_wine_exec(${CMAKE_BINARY_DIR}/wine-exec ${CMAKE_BINARY_DIR}/wineprefix ${CMAKE_BINARY_DIR}/wine-session
  ${QUILLON_WINE_ARCH})
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-exec)

add_subdirectory(tests/fixtures)
add_subdirectory(tests/support)

if(NOT QUILLON_WINDOWS_TESTS)
  quillon_program()
  include(cmake/package.cmake)
  add_subdirectory(tests/platform)
  add_subdirectory(tests/bench)
  return()
endif()

# The program the tests start: the shipped one from the program tree, or, where this tree's
# Wine cannot run it, this tree's own build of the same sources.
set(QUILLON_PROGRAM_UNDER_TEST "" CACHE FILEPATH
  "Orvel-Quillon.exe for the tests to start; empty: build it in this tree")
if(QUILLON_PROGRAM_UNDER_TEST STREQUAL "")
  quillon_program()
  set(QUILLON_PROGRAM_UNDER_TEST ${CMAKE_BINARY_DIR}/Orvel-Quillon.exe)
endif()

# Whether this machine runs the tree's programs under Wine. 32-bit Wine needs a kernel that runs
# 32-bit code, which some virtual machines lack. There the tree is still built, so that what only
# its compiler and linker make of the sources shows on every machine, and of its tests only those
# that need no Wine are registered.
if(QUILLON_WINE_ARCH STREQUAL win64)
  set(wine_loader /usr/lib/wine/wine64)
else()
  set(wine_loader /usr/lib/wine/wine)
endif()
execute_process(COMMAND ${wine_loader} --version RESULT_VARIABLE wine_status OUTPUT_QUIET ERROR_QUIET)
if(wine_status EQUAL 0)
  set(QUILLON_WINE_RUNS ON)
else()
  set(QUILLON_WINE_RUNS OFF)
  message(NOTICE "${wine_loader} does not run on this machine: the tree's tests are built, and only "
    "those that need no Wine are registered.")
endif()

# The 32-bit tree also runs the shipped program on 64-bit Windows: in a 64-bit prefix beside its
# own, where the program and the tests run under WOW64. That needs 32-bit and 64-bit Wine.
set(QUILLON_WOW64_RUNS OFF)
if(QUILLON_WINE_ARCH STREQUAL win32)
  set(QUILLON_WOW64_EXEC ${CMAKE_BINARY_DIR}/wine-exec-wow64)
  quillon_wine_exec(${QUILLON_WOW64_EXEC} ${CMAKE_BINARY_DIR}/wineprefix-wow64 ${CMAKE_BINARY_DIR}/wine-session-wow64
    win64)
  if(QUILLON_WINE_RUNS)
    execute_process(COMMAND /usr/lib/wine/wine64 --version RESULT_VARIABLE wine64_status OUTPUT_QUIET ERROR_QUIET)
    if(wine64_status EQUAL 0)
      set(QUILLON_WOW64_RUNS ON)
    else()
      message(NOTICE "/usr/lib/wine/wine64 does not run on this machine: the tests on 64-bit Windows are "
        "built, not registered.")
    endif()
  endif()
endif()

include(cmake/googletest.cmake)
add_subdirectory(tests/win)
# Where the shipped program cannot run, the benchmark measures this tree's build of it.
if(TARGET Orvel-Quillon)
  add_subdirectory(tests/bench)
endif()
