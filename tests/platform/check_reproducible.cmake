# The same source makes the same bytes: builds the program and its archive a second time, in a
# tree at another path (BUILD_DIR/reproduce) with the first tree's toolchain, build type, project
# options and time, and checks that both equal the first tree's byte for byte. The second tree
# builds only these two.
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DGENERATOR=... -DTIME=... -DARCHIVE=<file name>
#         -P check_reproducible.cmake

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(JOIN " " command ${ARGN})
    message(FATAL_ERROR "${command}\nfailed (${result}):\n${output}")
  endif()
endfunction()

# Sets <out> to where files <first> and <second> differ: cmp's word on their sizes when those
# differ, how many bytes differ, and the offsets of the first 16.
function(describe_difference first second out)
  execute_process(COMMAND cmp -l ${first} ${second} OUTPUT_VARIABLE listing ERROR_VARIABLE sizes
                  ERROR_STRIP_TRAILING_WHITESPACE)
  # One line a differing byte: its number, counted from 1, and the two values in octal.
  string(REGEX MATCHALL "[0-9]+ +[0-7]+ +[0-7]+\n" bytes "${listing}")
  list(LENGTH bytes count)
  set(offsets "")
  if(count GREATER 0)
    list(SUBLIST bytes 0 16 first_bytes)
    foreach(byte IN LISTS first_bytes)
      string(REGEX MATCH "^[0-9]+" number "${byte}")
      math(EXPR offset "${number} - 1")
      list(APPEND offsets ${offset})
    endforeach()
  endif()
  list(JOIN offsets " " offsets)
  if(sizes)
    set(sizes "${sizes}; ")
  endif()
  set(${out} "${sizes}${count} bytes differ, the first at offsets ${offsets}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --build ${BUILD_DIR} --target package)

file(STRINGS ${BUILD_DIR}/CMakeCache.txt options
  REGEX "^(CMAKE_TOOLCHAIN_FILE|CMAKE_BUILD_TYPE|QUILLON_[A-Z0-9_]+):")
list(TRANSFORM options PREPEND -D)
set(second ${BUILD_DIR}/reproduce)
set(ENV{SOURCE_DATE_EPOCH} ${TIME})
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${second} -G ${GENERATOR} ${options})
run(${CMAKE_COMMAND} --build ${second} --target package -j ${cores})

set(failures "")
foreach(file Orvel-Quillon.exe ${ARCHIVE})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILD_DIR}/${file} ${second}/${file}
                  RESULT_VARIABLE differ)
  if(differ)
    describe_difference(${BUILD_DIR}/${file} ${second}/${file} difference)
    string(APPEND failures "\n${file}: ${difference}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${second} built other bytes than ${BUILD_DIR}:${failures}")
endif()
