# Makes the archive (cpack) into a folder of its own and lists it with
# `unzip -l`, as someone who downloads it sees it: writes the paths it holds,
# relative to its top folder, one a line, for InstallTree.cmake.
#   cmake -DBUILD_DIR=<build> -DCPACK=<cpack> -DUNZIP=<unzip> -DNAME=<archive's name, no .zip>
#         -DWORK=<folder> -DLISTING=<file> -P Archive.cmake
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CPACK}" --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK}"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cpack in ${BUILD_DIR} failed:\n${output}")
endif()
set(archive "${WORK}/${NAME}.zip")
if(NOT EXISTS "${archive}")
  message(FATAL_ERROR "cpack made no ${archive}:\n${output}")
endif()

execute_process(COMMAND "${UNZIP}" -l "${archive}"
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "unzip -l ${archive} failed:\n${errors}")
endif()
# "  Length      Date    Time    Name", then one line a member; folders end in "/".
string(REPLACE "\n" ";" lines "${listing}")
set(paths "")
foreach(line IN LISTS lines)
  if(line MATCHES "^ *[0-9]+ +[0-9-]+ +[0-9:]+ +${NAME}/(.*[^/])$")
    string(APPEND paths "${CMAKE_MATCH_1}\n")
  endif()
endforeach()
if(paths STREQUAL "")
  message(FATAL_ERROR "unzip -l lists no file under ${NAME}/ in ${archive}:\n${listing}")
endif()
file(WRITE "${LISTING}" "${paths}")

# The archive holds what `cmake --install` puts under a prefix.
include(${CMAKE_CURRENT_LIST_DIR}/InstallTree.cmake)
