# ilt_add_gtest(<name> SOURCES <files...> [LIBS <targets...>])
#
# One GoogleTest executable, registered with CTest test by test. Tests run
# from a fresh temporary folder of their own; fixtures make what they need.
find_package(GTest REQUIRED)
include(GoogleTest)

function(ilt_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT BUILD_TESTING)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120)
endfunction()
