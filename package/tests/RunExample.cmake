# ilt_run_example(<program>): runs the example headless on LIBRARY with the
# user's ACTIONS ("pick 6L,ok,..."), and fails unless it ends with status 0
# and prints, for each name in TEMPLATES ("6L,4L"), the template's path as the
# dialog returns it: the library's path with backslashes, then
# \Templates\Layout\<name>.
function(ilt_run_example program)
  string(REPLACE "/" "\\" library "${LIBRARY}")
  string(REPLACE "," ";" templates "${TEMPLATES}")
  set(expected "")
  foreach(name IN LISTS templates)
    string(APPEND expected "${library}\\Templates\\Layout\\${name}\n")
  endforeach()

  set(ENV{HOST_APPLICATION_ACTIONS} "${ACTIONS}")
  execute_process(COMMAND "${program}" "${LIBRARY}"
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT output STREQUAL expected)
    message(FATAL_ERROR "host-application ${LIBRARY} with the actions '${ACTIONS}': exit status ${status}\n"
                        "standard output:\n${output}\nstandard error:\n${errors}\n"
                        "expected exit status 0 and:\n${expected}")
  endif()
  message(STATUS "host-application printed:\n${output}")
endfunction()
