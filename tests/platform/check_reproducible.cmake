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

# Sets <out> to where files <first> and <second> differ: their sizes when those differ, how many
# bytes differ, and the offsets of the first 16.
function(describe_difference first second out)
  file(SIZE ${first} first_size)
  file(SIZE ${second} second_size)
  set(description "")
  if(NOT first_size EQUAL second_size)
    set(description "sizes ${first_size} and ${second_size}; ")
  endif()
  set(count 0)
  set(offsets "")
  set(offset 0)
  while(offset LESS first_size AND offset LESS second_size)
    file(READ ${first} a OFFSET ${offset} LIMIT 4096 HEX)
    file(READ ${second} b OFFSET ${offset} LIMIT 4096 HEX)
    if(NOT a STREQUAL b)
      string(LENGTH "${a}" length)
      string(LENGTH "${b}" b_length)
      if(b_length LESS length)
        set(length ${b_length})
      endif()
      math(EXPR last "${length} / 2 - 1")
      foreach(i RANGE ${last})
        math(EXPR at "${i} * 2")
        string(SUBSTRING "${a}" ${at} 2 x)
        string(SUBSTRING "${b}" ${at} 2 y)
        if(NOT x STREQUAL y)
          math(EXPR count "${count} + 1")
          if(count LESS_EQUAL 16)
            math(EXPR at "${offset} + ${i}")
            list(APPEND offsets ${at})
          endif()
        endif()
      endforeach()
    endif()
    math(EXPR offset "${offset} + 4096")
  endwhile()
  list(JOIN offsets " " offsets)
  set(${out} "${description}${count} bytes differ, the first at offsets ${offsets}" PARENT_SCOPE)
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
