# The archive a user downloads: Orvel-Quillon-<version>-win32.zip with the program and its
# README.txt. `cmake --build build/win32 --target package` makes it in build/win32. The version
# comes from resources/version.h, which the caption and the version resource read too.

file(STRINGS ${PROJECT_SOURCE_DIR}/resources/version.h version_defines
  REGEX "^#define QUILLON_(VERSION_TEXT|COPYRIGHT) ")
string(REGEX REPLACE ".*QUILLON_VERSION_TEXT \"([^\"]*)\".*" "\\1" QUILLON_VERSION "${version_defines}")
string(REGEX REPLACE ".*QUILLON_COPYRIGHT \"([^\"]*)\".*" "\\1" QUILLON_COPYRIGHT "${version_defines}")

configure_file(${PROJECT_SOURCE_DIR}/resources/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY
  NEWLINE_STYLE CRLF)
install(TARGETS Orvel-Quillon RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Orvel-Quillon)
set(CPACK_PACKAGE_VERSION ${QUILLON_VERSION})
set(QUILLON_ARCHIVE Orvel-Quillon-${QUILLON_VERSION}-win32)
set(CPACK_PACKAGE_FILE_NAME ${QUILLON_ARCHIVE})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
