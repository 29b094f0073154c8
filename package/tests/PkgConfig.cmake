# Builds the consumer example with nothing but the compiler and the installed
# ImportLayoutTemplate.pc, and runs it headless.
#   cmake -DPREFIX=<prefix> -DPC_DIR=<its pkgconfig folder> -DPKG_CONFIG=<pkg-config>
#         -DCXX=<compiler> -DSOURCE=<example> -DWORK=<folder> [-DFLAGS=<compiler flags>]
#         -DLIBRARY=<central library> -DACTIONS=<actions> -DTEMPLATES=<names> -P PkgConfig.cmake
# (RunExample.cmake: what LIBRARY, ACTIONS and TEMPLATES mean)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

set(ENV{PKG_CONFIG_PATH} "${PC_DIR}")
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs ImportLayoutTemplate
                OUTPUT_VARIABLE flags ERROR_VARIABLE errors RESULT_VARIABLE failed
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed)
  message(FATAL_ERROR "pkg-config --cflags --libs ImportLayoutTemplate failed:\n${errors}")
endif()
execute_process(COMMAND ${PKG_CONFIG} --variable=libdir ImportLayoutTemplate
                OUTPUT_VARIABLE libdir OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(flags UNIX_COMMAND "${flags}")
separate_arguments(extra UNIX_COMMAND "${FLAGS}")

set(program "${WORK}/host-application")
execute_process(
  COMMAND ${CXX} -std=c++17 -Wall -Wextra -Werror ${extra}
          "${SOURCE}/main.cpp" "${SOURCE}/headless/ScriptedUser.cpp"
          ${flags} "-Wl,-rpath,${libdir}" -o "${program}"
  OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "compiling the example with the flags of ImportLayoutTemplate.pc failed:\n${output}")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/RunExample.cmake)
ilt_run_example("${program}")
