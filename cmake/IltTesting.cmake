# ilt_add_gtest(<name> [WINDOWS] SOURCES <files...> [LIBS <targets...>])
#
# One GoogleTest executable. On Linux it is registered with CTest test by
# test. The Windows build makes only the programs marked WINDOWS (those that
# test what runs on the real Win32 API and C run-time) and registers each as
# one CTest test, run under Wine.
if(WIN32)
  # Debian ships GoogleTest's sources; the Windows build compiles them.
  set(ILT_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ILT_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  # Every run of the tests starts with a fresh Wine prefix under the build
  # folder, and stops its wine server at the end.
  if(BUILD_TESTING)
    add_test(NAME wine_prefix_setup COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --new-prefix ${ILT_WINEPREFIX})
    add_test(NAME wine_prefix_cleanup COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --end-prefix ${ILT_WINEPREFIX})
    set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wineprefix TIMEOUT 300)
    set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP wineprefix)
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(ilt_add_gtest name)
  cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;LIBS" ${ARGN})
  if(NOT BUILD_TESTING OR (WIN32 AND NOT ARG_WINDOWS))
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wineprefix TIMEOUT 300)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120)
  endif()
endfunction()
