# The archive a user downloads: Orvel-Quillon-<version>-win32.zip with the program and its
# README.txt, and beside it Orvel-Quillon-<version>-win32.zip.sha256 and SHA256SUMS (the
# program's and the archive's sums). `cmake --build build/win32 --target package` makes them in
# build/win32. The version comes from resources/version.h, which the caption and the version
# resource read too. The archive carries the time the programs are linked with (see
# mingw-w64.cmake), so the same source makes the same bytes.

file(STRINGS ${PROJECT_SOURCE_DIR}/resources/version.h version_defines
  REGEX "^#define QUILLON_(VERSION_TEXT|COPYRIGHT) ")
string(REGEX REPLACE ".*QUILLON_VERSION_TEXT \"([^\"]*)\".*" "\\1" QUILLON_VERSION "${version_defines}")
string(REGEX REPLACE ".*QUILLON_COPYRIGHT \"([^\"]*)\".*" "\\1" QUILLON_COPYRIGHT "${version_defines}")

configure_file(${PROJECT_SOURCE_DIR}/resources/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY
  NEWLINE_STYLE CRLF)

set(QUILLON_ARCHIVE Orvel-Quillon-${QUILLON_VERSION}-win32)
set(archive ${CMAKE_BINARY_DIR}/${QUILLON_ARCHIVE}.zip)
add_custom_command(OUTPUT ${archive} ${archive}.sha256 ${CMAKE_BINARY_DIR}/SHA256SUMS
  COMMAND ${QUILLON_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/make_package.py ${QUILLON_SOURCE_DATE_EPOCH}
          ${archive} $<TARGET_FILE:Orvel-Quillon> ${CMAKE_BINARY_DIR}/README.txt
  DEPENDS Orvel-Quillon ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_CURRENT_LIST_DIR}/make_package.py
  VERBATIM)
# A tree in which CPack once made the archive keeps its configuration, which reserves the name.
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
add_custom_target(package DEPENDS ${archive})
