# GoogleTest from Debian's source package, built for whichever toolchain is active.
set(QL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
if(WIN32)
  # googletest uses the C++ threads of mingw's posix thread model, not pthreads directly.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${QL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(WIN32)
  foreach(t gtest gtest_main gmock gmock_main)
    target_link_options(${t} INTERFACE -static -static-libgcc -static-libstdc++)
  endforeach()
endif()

# ql_add_test_suite(name DIR dir [LIBS ...]): one test executable from every
# .cpp in tests/<dir>, registered with CTest (under wine on Windows).
function(ql_add_test_suite name)
  cmake_parse_arguments(T "" "DIR" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${T_DIR}/*.cpp)
  add_executable(${name} ${sources})
  ql_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ql_test_support GTest::gmock)
  if(NOT QL_TARGET STREQUAL "win32")
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  endif()
endfunction()
