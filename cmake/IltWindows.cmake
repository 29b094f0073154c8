# The Windows build (mingw-w64): where its programs and DLLs go, the run-time
# DLLs they need beside them, the build tools it borrows from a Linux build,
# and how its tests run under Wine.

# Programs and DLLs in one folder, where the loader finds the DLLs.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# ImportLayoutTemplate.dll, OskelPI.dll, ... as Windows names them.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")

# The C run-time's functions that mingw-w64's headers define inline
# (<sys/stat.h>'s _stat among them) are inlined only when optimising;
# otherwise the call goes to libmingwex's copy, which answers some paths
# differently (a trailing backslash). Always the library's copy, so that a
# Debug and a Release build of the module answer alike.
add_compile_definitions(__CRT__NO_INLINE)

# The C++ run-time is shared by the module, the class library, the clients and
# the host (strings and shared pointers cross between them), so its DLLs lie
# beside the programs.
set(ILT_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "the mingw-w64 run-time DLL ${dll} was not found (${CMAKE_CXX_COMPILER})")
  endif()
  list(APPEND ILT_MINGW_RUNTIME_DLLS ${found})
  file(COPY ${found} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()

# Tools that run at build time (the icon drawer, the authoring tool that makes
# the sample library, the host-side test harness) are Linux programs: they
# come from a Linux build of this tree.
set(ILT_NATIVE_BUILD_DIR "" CACHE PATH
    "A Linux build of this tree, for the build tools and the tests run under Wine")
if(ILT_NATIVE_BUILD_DIR)
  get_filename_component(ILT_NATIVE_BUILD_DIR ${ILT_NATIVE_BUILD_DIR} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
endif()

# ilt_native_tool(<variable> <name> <folder in the native build>)
function(ilt_native_tool variable name folder)
  set(path ${ILT_NATIVE_BUILD_DIR}/${folder}/${name})
  if(NOT ILT_NATIVE_BUILD_DIR OR NOT EXISTS ${path})
    message(FATAL_ERROR "${name}: not found in ILT_NATIVE_BUILD_DIR='${ILT_NATIVE_BUILD_DIR}'. "
                        "Build the Linux tree first and pass -DILT_NATIVE_BUILD_DIR=<its build folder>.")
  endif()
  set(${variable} ${path} PARENT_SCOPE)
endfunction()

include(WindowsResources)

# Tests run under Wine (scripts/wine-run): a prefix of their own under this
# build folder, no debug output, and a virtual display for those with windows.
find_program(ILT_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
find_program(ILT_XVFB_RUN NAMES xvfb-run NO_CMAKE_FIND_ROOT_PATH)
set(ILT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
