# Checks that the module carries the project's version where a loader or a
# linker reads it: on Linux the SONAME holds the ABI version (MAJOR.MINOR
# while MAJOR is 0, else MAJOR) and the file name the whole version; on
# Windows the DLL's image version is MAJOR.MINOR.
#
#   cmake -DMODULE=<module> -DFORMAT=readelf|objdump -DTOOL=<readelf or objdump>
#         -DVERSION=<project version> -DSTAMP=<file> -P CheckLibraryVersion.cmake

if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "CheckLibraryVersion.cmake: '${VERSION}' is no MAJOR.MINOR.PATCH version")
endif()
set(major ${CMAKE_MATCH_1})
set(minor ${CMAKE_MATCH_2})
get_filename_component(file "${MODULE}" NAME)

if(FORMAT STREQUAL "readelf")
  if(major EQUAL 0)
    set(soname "libImportLayoutTemplate.so.${major}.${minor}")
  else()
    set(soname "libImportLayoutTemplate.so.${major}")
  endif()
  execute_process(COMMAND ${TOOL} -d ${MODULE} OUTPUT_VARIABLE output RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${TOOL} failed on ${MODULE}")
  endif()
  if(NOT output MATCHES "\\(SONAME\\)[^\n]*\\[([^]\n]*)\\]")
    message(FATAL_ERROR "${MODULE} has no SONAME; hosts would record its file name instead of ${soname}")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL soname)
    message(FATAL_ERROR "the SONAME of ${MODULE} is ${CMAKE_MATCH_1}; version ${VERSION} makes it ${soname}")
  endif()
  if(NOT file STREQUAL "libImportLayoutTemplate.so.${VERSION}")
    message(FATAL_ERROR "the module's file is ${file}; version ${VERSION} makes it libImportLayoutTemplate.so.${VERSION}")
  endif()
elseif(FORMAT STREQUAL "objdump")
  execute_process(COMMAND ${TOOL} -p ${MODULE} OUTPUT_VARIABLE output RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${TOOL} failed on ${MODULE}")
  endif()
  if(NOT output MATCHES "MajorImageVersion[ \t]+([0-9]+)\nMinorImageVersion[ \t]+([0-9]+)")
    message(FATAL_ERROR "${TOOL} -p ${MODULE}: no image version found")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL major OR NOT CMAKE_MATCH_2 STREQUAL minor)
    message(FATAL_ERROR "the image version of ${MODULE} is ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}; version ${VERSION} makes it ${major}.${minor}")
  endif()
else()
  message(FATAL_ERROR "CheckLibraryVersion.cmake: FORMAT must be readelf or objdump")
endif()
file(WRITE "${STAMP}" "")
