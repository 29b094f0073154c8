# Builds the consumer example with the pkg-config recipe of docs/integration.md,
# taken from the guide as it stands (the shell block after "With pkg-config"),
# and runs it headless, with nothing on the loader's path: what the guide
# tells an application's developer to type is what is checked.
#   cmake -DPREFIX=<prefix> -DPKG_CONFIG=<pkg-config> -DCXX=<compiler> -DGUIDE=<docs/integration.md>
#         -DSOURCE=<example> -DWORK=<folder> [-DFLAGS=<compiler flags>]
#         -DLIBRARY=<central library> -DACTIONS=<actions> -DTEMPLATES=<names> -P PkgConfig.cmake
# (RunExample.cmake: what LIBRARY, ACTIONS and TEMPLATES mean)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# The recipe: the first ```sh block after "With pkg-config", as text (its
# lines end in backslashes, which a list of lines would not keep).
file(READ "${GUIDE}" guide)
string(FIND "${guide}" "\nWith pkg-config" heading)
set(recipe "")
if(heading GREATER_EQUAL 0)
  string(SUBSTRING "${guide}" ${heading} -1 guide)
  string(FIND "${guide}" "\n```sh\n" start)
  if(start GREATER_EQUAL 0)
    math(EXPR start "${start} + 7")
    string(SUBSTRING "${guide}" ${start} -1 guide)
    string(FIND "${guide}" "\n```" end)
    if(end GREATER 0)
      math(EXPR end "${end} + 1")
      string(SUBSTRING "${guide}" 0 ${end} recipe)
    endif()
  endif()
endif()
if(recipe STREQUAL "")
  message(FATAL_ERROR "${GUIDE} has no ```sh block after \"With pkg-config\"")
endif()

# P is the prefix, app.cpp the application's sources, c++ the compiler of this
# build (with its flags); the program is the example.
set(program "${WORK}/host-application")
string(REPLACE "P/" "${PREFIX}/" recipe "${recipe}")
string(REPLACE " app.cpp " " \"${SOURCE}/main.cpp\" \"${SOURCE}/headless/ScriptedUser.cpp\" " recipe "${recipe}")
string(REGEX REPLACE "(^|\n)c\\+\\+ " "\\1\"${CXX}\" -Wall -Wextra -Werror ${FLAGS} -o \"${program}\" " recipe "${recipe}")
file(WRITE "${WORK}/recipe.sh" "set -e\nPATH=\"$(dirname '${PKG_CONFIG}'):$PATH\"\n${recipe}")
unset(ENV{PKG_CONFIG_PATH})
unset(ENV{LD_LIBRARY_PATH})
execute_process(COMMAND sh "${WORK}/recipe.sh" WORKING_DIRECTORY "${WORK}"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the pkg-config recipe of ${GUIDE} failed:\n${recipe}\n${output}")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/RunExample.cmake)
ilt_run_example("${program}")
