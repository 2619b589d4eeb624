# Helpers shared by the folders' build files.

# ql_library(name DIR dir [EXCLUDE regex] [LIBS ...])
# A static library of every .cpp below a folder; each folder owns its list this way,
# so adding a file needs no edit elsewhere.
function(ql_library name)
  cmake_parse_arguments(L "" "DIR;EXCLUDE" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${L_DIR}/*.cpp ${L_DIR}/*.c)
  if(L_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${L_EXCLUDE}")
  endif()
  if(NOT srcs)
    set(srcs ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(L_LIBS)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  endif()
endfunction()

# ql_add_test(name SOURCES ... [LIBS ...] [WINDOWS] [TIMEOUT s] [WILL_FAIL])
# One GoogleTest executable, run by CTest under Wine (the cross-compiling emulator).
# WINDOWS links the program's windows as one group (ql_windows), as the program does;
# the test then finds XMoorline.dll beside itself.
function(ql_add_test name)
  cmake_parse_arguments(T "WILL_FAIL;NO_MAIN;WINDOWS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_WINDOWS)
    list(APPEND T_LIBS ql_windows)
    add_dependencies(${name} XMoorline)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  if(T_NO_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} ql_testsupport GTest::gmock)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QL_SOURCE_DIR=${CMAKE_SOURCE_DIR};QL_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(T_WILL_FAIL)
    set_tests_properties(${name} PROPERTIES WILL_FAIL TRUE)
  endif()
endfunction()
