# What the two resource glues share (platform/win32/rc/Win32Resources.cmake
# for the Linux build, cmake/WindowsResources.cmake for the Windows build): the
# options a folder records for a resource script, and the step that compiles
# the script with windres.
#
# win32_set_resource_options(<rc file> [DEPENDS ...] [INCLUDE_DIRS ...])
#   Records options that every later win32_add_resources of <rc file> adds to its
#   own: lets the folder that owns a script say what the script needs (a generated
#   icon, say), whoever embeds it.
include_guard(GLOBAL)

function(win32_set_resource_options rc)
  cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDE_DIRS" ${ARGN})
  get_filename_component(rc ${rc} ABSOLUTE)
  set_property(GLOBAL APPEND PROPERTY "WIN32_RC_DEPENDS:${rc}" ${ARG_DEPENDS})
  set_property(GLOBAL APPEND PROPERTY "WIN32_RC_INCLUDE_DIRS:${rc}" ${ARG_INCLUDE_DIRS})
endfunction()

# win32_compile_resources(<target> <rc file> COMPILER <windres> FORMAT <res|coff> SUFFIX <suffix>
#                         OUTPUT_VARIABLE <variable> [COMPILER_ARGS ...] [EXTRA_INCLUDE_DIRS ...]
#                         [DEPENDS ...] [INCLUDE_DIRS ...])
#   Adds the build step that compiles <rc file> for <target> with <windres> into
#   win32res/<target>/<script name><suffix> of the current binary folder, in
#   UTF-8, with a depfile of what the script includes; sets <variable> to its
#   path. COMPILER_ARGS come first on the command line. The include path is the
#   script's folder, INCLUDE_DIRS, the folders recorded for the script and
#   EXTRA_INCLUDE_DIRS; the step depends on the script, DEPENDS and what was
#   recorded.
function(win32_compile_resources target rc)
  cmake_parse_arguments(ARG "" "COMPILER;FORMAT;SUFFIX;OUTPUT_VARIABLE"
                        "COMPILER_ARGS;EXTRA_INCLUDE_DIRS;DEPENDS;INCLUDE_DIRS" ${ARGN})
  get_filename_component(rc ${rc} ABSOLUTE)
  get_filename_component(rcName ${rc} NAME_WE)
  get_filename_component(rcDir ${rc} DIRECTORY)
  get_property(moreDepends GLOBAL PROPERTY "WIN32_RC_DEPENDS:${rc}")
  get_property(moreIncludes GLOBAL PROPERTY "WIN32_RC_INCLUDE_DIRS:${rc}")

  set(outDir ${CMAKE_CURRENT_BINARY_DIR}/win32res/${target})
  set(output ${outDir}/${rcName}${ARG_SUFFIX})
  set(depfile ${outDir}/${rcName}.res.d)

  set(includeArgs)
  foreach(dir ${rcDir} ${ARG_INCLUDE_DIRS} ${moreIncludes} ${ARG_EXTRA_INCLUDE_DIRS})
    list(APPEND includeArgs --include-dir=${dir})
  endforeach()

  file(MAKE_DIRECTORY ${outDir})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${ARG_COMPILER}
            ${ARG_COMPILER_ARGS}
            --preprocessor-arg=-MD --preprocessor-arg=-MF --preprocessor-arg=${depfile}
            --preprocessor-arg=-MT --preprocessor-arg=${output}
            ${includeArgs}
            --codepage=65001
            --input=${rc} --input-format=rc --output=${output} --output-format=${ARG_FORMAT}
    DEPENDS ${rc} ${ARG_DEPENDS} ${moreDepends}
    DEPFILE ${depfile}
    COMMENT "Compiling resources ${rcName}.rc for ${target}"
    VERBATIM)
  set(${ARG_OUTPUT_VARIABLE} ${output} PARENT_SCOPE)
endfunction()
