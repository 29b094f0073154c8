# Compares the files under the prefix, or the files an archive lists, with the
# expected list: only what a host needs, in the usual folders.
#   cmake -DPREFIX=<prefix> -DEXPECTED=<list> -P InstallTree.cmake
#   cmake -DLISTING=<file> -DEXPECTED=<list> -P InstallTree.cmake
# LISTING holds one path a line, relative to the archive's top folder.
# The list holds one path a line, relative to the prefix; a symbolic link is
# written "path -> target". A line "folder/..." stands for everything under
# folder (the sample library, the example's sources).
if(DEFINED LISTING)
  file(STRINGS "${LISTING}" files)
  set(where "the archive (${LISTING})")
else()
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
  set(where "${PREFIX}")
endif()
file(STRINGS "${EXPECTED}" expectedLines)

set(expected "")
set(summarised "")
foreach(line IN LISTS expectedLines)
  if(line MATCHES "^(.+)/\\.\\.\\.$")
    list(APPEND summarised "${CMAKE_MATCH_1}")
    list(APPEND expected "${line}")
  elseif(NOT line STREQUAL "" AND NOT line MATCHES "^#")
    list(APPEND expected "${line}")
  endif()
endforeach()

set(found "")
foreach(file IN LISTS files)
  set(entry "${file}")
  foreach(folder IN LISTS summarised)
    string(LENGTH "${folder}/" length)
    string(SUBSTRING "${file}" 0 ${length} start)
    if(start STREQUAL "${folder}/")
      set(entry "${folder}/...")
      break()
    endif()
  endforeach()
  if(entry STREQUAL file AND NOT DEFINED LISTING AND IS_SYMLINK "${PREFIX}/${file}")
    file(READ_SYMLINK "${PREFIX}/${file}" target)
    set(entry "${file} -> ${target}")
  endif()
  list(APPEND found "${entry}")
endforeach()
list(REMOVE_DUPLICATES found)
list(SORT found)
list(SORT expected)

if(NOT found STREQUAL expected)
  set(unexpected ${found})
  set(missing ${expected})
  list(REMOVE_ITEM unexpected ${expected})
  list(REMOVE_ITEM missing ${found})
  list(JOIN unexpected "\n  " unexpected)
  list(JOIN missing "\n  " missing)
  list(JOIN found "\n" all)
  message(FATAL_ERROR "The installed files in ${where} are not the expected ones (${EXPECTED}).\n"
                      "Installed, not expected:\n  ${unexpected}\nExpected, not installed:\n  ${missing}\n"
                      "All installed:\n${all}")
endif()
