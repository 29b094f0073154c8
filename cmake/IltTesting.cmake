# ilt_add_gtest(<name> [WINDOWS] [GUI] [WINDOWS_DRIVE <letter>] SOURCES <files...> [LIBS <targets...>])
#
# One GoogleTest executable. On Linux it is registered with CTest test by
# test. The Windows build makes only the programs marked WINDOWS (those that
# test what runs on the real Win32 API and C run-time) and registers each as
# one CTest test, run under Wine. WINDOWS_DRIVE: under Wine the program runs
# with drive <letter> mapped to a fresh, empty folder, named to it by the
# environment variable ILT_TEST_DRIVE (see testsupport/TempFolder.h). GUI:
# the program shows windows; under Wine it runs on a virtual display, in the
# prefix of the tests with windows (ILT_GUI_TEST_PROPERTIES).
set(ILT_TESTING_DIR ${CMAKE_CURRENT_LIST_DIR})
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
    # A killed run of wine-run leaves no drive mapped behind it. In a prefix
    # of its own: a killed run that started the prefix's wine server may take
    # some of the server's system processes with it, and runs beside it in
    # that prefix would then wait for them.
    add_test(NAME wine_run_removes_its_drive_links_when_killed
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/tests/wine-run-killed ${CMAKE_CROSSCOMPILING_EMULATOR}
                     ${CMAKE_BINARY_DIR}/wineprefix-killed)
    set_tests_properties(wine_run_removes_its_drive_links_when_killed PROPERTIES TIMEOUT 300)

    # Tests that show windows have a Wine prefix of their own: Wine's desktop
    # process serves the display of the process that started it, and one started
    # by a test without a display (the unit tests run beside these) would leave
    # every later window uncreatable. In their prefix they take turns, each with
    # its own virtual display: give them ILT_GUI_TEST_PROPERTIES.
    set(ILT_GUI_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix-gui)
    add_test(NAME wine_gui_prefix_setup COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --new-prefix ${ILT_GUI_WINEPREFIX})
    add_test(NAME wine_gui_prefix_cleanup COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --end-prefix ${ILT_GUI_WINEPREFIX})
    set_tests_properties(wine_gui_prefix_setup PROPERTIES FIXTURES_SETUP winegui TIMEOUT 300)
    set_tests_properties(wine_gui_prefix_cleanup PROPERTIES FIXTURES_CLEANUP winegui)
    set(ILT_GUI_TEST_PROPERTIES
      ENVIRONMENT ILT_WINEPREFIX=${ILT_GUI_WINEPREFIX}
      FIXTURES_REQUIRED winegui
      RESOURCE_LOCK wine_display)
  endif()
elseif(BUILD_TESTING)
  # A build without tests (scripts/demo) needs no GoogleTest.
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(ilt_add_gtest name)
  cmake_parse_arguments(ARG "WINDOWS;GUI" "WINDOWS_DRIVE" "SOURCES;LIBS" ${ARGN})
  if(NOT BUILD_TESTING OR (WIN32 AND NOT ARG_WINDOWS))
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(NOT WIN32)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120)
    return()
  endif()

  set(run ${CMAKE_CROSSCOMPILING_EMULATOR})
  set(fixtures wineprefix)
  set(properties TIMEOUT 300)
  if(ARG_GUI)
    list(APPEND run --gui)
    set(fixtures)
    list(APPEND properties ${ILT_GUI_TEST_PROPERTIES})
  endif()
  if(ARG_WINDOWS_DRIVE)
    set(drive ${CMAKE_CURRENT_BINARY_DIR}/${name}-drive)
    add_test(NAME ${name}_drive
             COMMAND ${CMAKE_COMMAND} -DFOLDER=${drive} -P ${ILT_TESTING_DIR}/FreshFolder.cmake)
    set_tests_properties(${name}_drive PROPERTIES FIXTURES_SETUP ${name}_drive)
    list(APPEND run --drive ${ARG_WINDOWS_DRIVE}=${drive})
    list(APPEND fixtures ${name}_drive)
  endif()
  add_test(NAME ${name} COMMAND ${run} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES ${properties})
  if(fixtures)
    set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED ${fixtures})
  endif()
  if(ARG_WINDOWS_DRIVE)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ILT_TEST_DRIVE=${ARG_WINDOWS_DRIVE})
  endif()
endfunction()
