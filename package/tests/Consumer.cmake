# Builds the consumer example out of tree against the installed package, as a
# host application's build would, and runs it headless where it can.
#   cmake -DPREFIX=<prefix> -DPACKAGE_DIR=<its cmake/ImportLayoutTemplate> -DSOURCE=<example> -DWORK=<folder> -DGENERATOR=<generator>
#         [-DTOOLCHAIN=<file>] -DBUILD_TYPE=<type> [-DFLAGS=<compiler flags>]
#         [-DLINK_FLAGS=<linker flags>]
#         [-DLIBRARY=<central library> -DACTIONS=<actions> -DTEMPLATES=<names>] -P Consumer.cmake
# (RunExample.cmake: what LIBRARY, ACTIONS and TEMPLATES mean)
file(REMOVE_RECURSE "${WORK}")

# The package is given by its folder: a cross-compiling toolchain confines
# find_package's own search to the target's root.
set(configure ${CMAKE_COMMAND} -S "${SOURCE}" -B "${WORK}" -G "${GENERATOR}"
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DImportLayoutTemplate_DIR=${PACKAGE_DIR}
    "-DCMAKE_CXX_FLAGS=-Wall -Wextra -Werror ${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}")
if(TOOLCHAIN)
  list(APPEND configure --toolchain "${TOOLCHAIN}")
endif()
execute_process(COMMAND ${configure} OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "configuring the example against ${PREFIX} failed:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK}" --parallel 2
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "building the example against ${PREFIX} failed:\n${output}")
endif()
message(STATUS "the example builds against ${PREFIX}")

if(LIBRARY)
  include(${CMAKE_CURRENT_LIST_DIR}/RunExample.cmake)
  ilt_run_example("${WORK}/host-application")
endif()
