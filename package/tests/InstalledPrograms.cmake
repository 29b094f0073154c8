# Runs the installed programs from the prefix: they find their libraries
# there, and the demo host finds the installed sample library by default.
#   cmake -DPREFIX=<prefix> -DBINDIR=<bin folder> -DSAMPLE_LIBRARY=<its folder>
#         -DWORK=<folder> -P InstalledPrograms.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/pick-6L.script" "select 6L\nok\n")

set(host "${PREFIX}/${BINDIR}/import-layout-template")
if(EXISTS "${host}")
  execute_process(COMMAND "${host}" --script "${WORK}/pick-6L.script"
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  set(expected "${SAMPLE_LIBRARY}/Templates/Layout/6L\n")
  if(NOT status EQUAL 0 OR NOT output STREQUAL expected)
    message(FATAL_ERROR "the installed demo host on its default library: exit status ${status}\n"
                        "standard output:\n${output}\nstandard error:\n${errors}\nexpected:\n${expected}")
  endif()
endif()

set(tool "${PREFIX}/${BINDIR}/layout-template-tool")
if(EXISTS "${tool}")
  execute_process(COMMAND "${tool}" show "${SAMPLE_LIBRARY}/Templates/Layout/4L"
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT output MATCHES "2007")
    message(FATAL_ERROR "the installed layout-template-tool show 4L: exit status ${status}\n"
                        "standard output:\n${output}\nstandard error:\n${errors}")
  endif()
endif()
