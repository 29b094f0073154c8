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
# come from a Linux build of this tree. Given none, the cross build makes its
# own under build folder/native, as LLVM's cross builds do: configured with
# the host's compiler and built, for the tools alone, while this build is
# configured (so they are there for every generator; after changing a tool,
# configure again or build it in that folder).
set(ILT_NATIVE_BUILD_DIR "" CACHE PATH
    "A Linux build of this tree, for the build tools and the tests run under Wine (default: its own, in native/)")
set(ILT_NATIVE_TOOLS win32_icon_from_text layout-template-tool)
# BUILD_TESTING is CTest's, ON unless the caller turned it off.
if(NOT DEFINED BUILD_TESTING OR BUILD_TESTING)
  set(ILT_NATIVE_TESTING ON)
  list(APPEND ILT_NATIVE_TOOLS host_run_tests)
else()
  set(ILT_NATIVE_TESTING OFF)
endif()
if(ILT_NATIVE_BUILD_DIR)
  get_filename_component(ILT_NATIVE_BUILD_DIR ${ILT_NATIVE_BUILD_DIR} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
else()
  set(native ${CMAKE_BINARY_DIR}/native)
  message(STATUS "Building the native tools in ${native}: ${ILT_NATIVE_TOOLS}")
  # The host's compiler: nothing of the cross build's toolchain goes along.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CMAKE_TOOLCHAIN_FILE
            ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${native} -G ${CMAKE_GENERATOR}
            -DCMAKE_BUILD_TYPE=Debug -DILT_BENCH=OFF -DILT_WERROR=OFF -DBUILD_TESTING=${ILT_NATIVE_TESTING}
    RESULT_VARIABLE configured)
  if(NOT configured EQUAL 0)
    message(FATAL_ERROR "the native build in ${native} could not be configured")
  endif()
  cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${native} --parallel ${cores} --target ${ILT_NATIVE_TOOLS}
                  RESULT_VARIABLE built)
  if(NOT built EQUAL 0)
    message(FATAL_ERROR "the native tools could not be built in ${native}")
  endif()
  set(ILT_NATIVE_BUILD_DIR ${native})
endif()

# ilt_native_tool(<variable> <name> <folder in the native build>)
function(ilt_native_tool variable name folder)
  set(path ${ILT_NATIVE_BUILD_DIR}/${folder}/${name})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${name}: not found in ILT_NATIVE_BUILD_DIR='${ILT_NATIVE_BUILD_DIR}'. "
                        "Build the Linux tree first and pass -DILT_NATIVE_BUILD_DIR=<its build folder>, "
                        "or leave it out and let this build make its own.")
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
