# Builds one layering probe (cmake/layering/CMakeLists.txt) and checks the
# outcome: EXPECT=refused passes only when the compiler could not find HEADER,
# EXPECT=builds only when the probe compiled.
#   cmake -DBUILD_DIR=<tree> -DTARGET=<probe> -DHEADER=<name> -DEXPECT=refused|builds -P CheckProbe.cmake
execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)

if(EXPECT STREQUAL "builds")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TARGET} should build, but did not:\n${output}")
  endif()
  return()
endif()

if(result EQUAL 0)
  message(FATAL_ERROR "${TARGET} built: ${HEADER} is on the include path of a system target")
endif()
# A failure for any other reason (a broken probe) proves nothing.
string(FIND "${output}" "${HEADER}" named)
if(named EQUAL -1 OR NOT output MATCHES "No such file or directory|file not found")
  message(FATAL_ERROR "${TARGET} failed, but not because ${HEADER} was not found:\n${output}")
endif()
