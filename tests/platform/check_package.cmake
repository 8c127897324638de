# Makes the archive a user downloads and checks what it holds: the shipped program, byte for
# byte, and a README.txt with Windows line ends, and nothing else; and SHA256SUMS beside it.
#   cmake -DBUILD_DIR=... -DARCHIVE=... -DPROGRAM=... -P check_package.cmake

execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target package
                RESULT_VARIABLE built OUTPUT_QUIET)
if(NOT built EQUAL 0 OR NOT EXISTS ${ARCHIVE})
  message(FATAL_ERROR "the package target did not make ${ARCHIVE}")
endif()

set(unpacked ${BUILD_DIR}/package-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ARCHIVE} WORKING_DIRECTORY ${unpacked})
file(GLOB_RECURSE contents RELATIVE ${unpacked} ${unpacked}/*)
list(SORT contents)
if(NOT contents STREQUAL "Orvel-Quillon.exe;README.txt")
  message(FATAL_ERROR "the archive holds [${contents}], not [Orvel-Quillon.exe;README.txt]")
endif()

file(SHA256 ${unpacked}/Orvel-Quillon.exe packed)
file(SHA256 ${PROGRAM} shipped)
if(NOT packed STREQUAL shipped)
  message(FATAL_ERROR "the archive's Orvel-Quillon.exe is not the shipped one")
endif()

file(READ ${unpacked}/README.txt readme HEX)
string(REGEX MATCHALL "0a" line_feeds "${readme}")
string(REGEX MATCHALL "0d0a" line_ends "${readme}")
list(LENGTH line_feeds feeds)
list(LENGTH line_ends crlfs)
if(feeds EQUAL 0 OR NOT feeds EQUAL crlfs)
  message(FATAL_ERROR "README.txt has ${feeds} line feeds, ${crlfs} of them after a carriage return")
endif()

# The sums beside the archive, checked as a user checks a download.
execute_process(COMMAND sha256sum -c --ignore-missing SHA256SUMS WORKING_DIRECTORY ${BUILD_DIR}
                RESULT_VARIABLE summed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT summed EQUAL 0)
  message(FATAL_ERROR "sha256sum -c --ignore-missing SHA256SUMS: ${said}")
endif()
