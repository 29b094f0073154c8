# ilt_require_targets(<folder> <target>...)
#
# Stops the configuration when a target that <folder> builds on has not been
# defined yet: the root CMakeLists.txt adds the folders in dependency order,
# and a folder added too early must say so rather than leave itself out.
function(ilt_require_targets folder)
  set(missing)
  foreach(target IN LISTS ARGN)
    if(NOT TARGET ${target})
      list(APPEND missing ${target})
    endif()
  endforeach()
  if(missing)
    list(JOIN missing ", " missing)
    message(FATAL_ERROR "${folder}: needs ${missing}, not defined yet; add the folders that "
                        "define them before ${folder} in ILT_FOLDERS (CMakeLists.txt)")
  endif()
endfunction()
