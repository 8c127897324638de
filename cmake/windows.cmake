# The Windows program, its test DLLs and the tests that run under Wine.

enable_language(RC)

add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
# Small and self-contained: unused code is dropped and nothing is left to load but system DLLs.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -s -Wl,--gc-sections)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_library(quillon_win STATIC
  about/frm_about.cpp
  app/frm_version.cpp
  app/main_frame.cpp
  probe/locator_win.cpp
  probe/registry_win.cpp
  probe/sys_dir_win.cpp
  probe/version_text_win.cpp
  settings/font_override_win.cpp
  settings/ini_win.cpp
  ui/ansi_text.cpp
  ui/form.cpp
  ui/form_window.cpp
  ui/window.cpp
)
target_link_libraries(quillon_win PUBLIC quillon_core comctl32 version shell32 gdi32 user32 advapi32)
target_compile_options(quillon_win PRIVATE -Wall -Wextra -Wshadow)

add_executable(Orvel-Quillon WIN32 app/main.cpp app/terminate_handler.cpp resources/Orvel-Quillon.rc)
target_link_libraries(Orvel-Quillon PRIVATE quillon_win)
target_link_options(Orvel-Quillon PRIVATE -municode)
target_include_directories(Orvel-Quillon PRIVATE ${PROJECT_SOURCE_DIR}/resources)
set_source_files_properties(resources/Orvel-Quillon.rc PROPERTIES OBJECT_DEPENDS
  "${PROJECT_SOURCE_DIR}/resources/Orvel-Quillon.manifest;${PROJECT_SOURCE_DIR}/resources/version.h")

# Windows programs built here run under Wine, in the build's own prefix and display.
set(QUILLON_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(QUILLON_SESSION_DIR ${CMAKE_BINARY_DIR}/wine-session)
configure_file(${PROJECT_SOURCE_DIR}/scripts/lib/wine-exec.in ${CMAKE_BINARY_DIR}/wine-exec @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-exec)

# Looking at the running program from outside: the tests' window reader and the report that
# scripts/run prints.
add_library(quillon_remote STATIC tests/support/remote_window.cpp)
target_include_directories(quillon_remote PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
add_executable(quillon-report tests/support/window_report.cpp)
target_link_libraries(quillon-report PRIVATE quillon_remote)
target_link_options(quillon-report PRIVATE -municode)

add_subdirectory(tests/fixtures)
add_subdirectory(tests/win)
add_subdirectory(tests/bench)
