# Resource scripts for the Windows build: the same functions, with the same
# arguments, as platform/win32/cmake/Win32Resources.cmake, but the compiled
# resources are linked into the module as a real .rsrc section, where the
# Windows loader's FindResource finds them.
#
# win32_add_resources(<target> <rc file> [DEPENDS <files or targets>...] [INCLUDE_DIRS <dirs>...])
#   Compiles <rc file> with windres (preprocessed by the mingw-w64 C compiler,
#   with the real Windows headers) into a COFF object linked into <target>.
# win32_add_icon(<output .ico> <text picture>)
#   Draws the icon with the Linux build's win32_icon_from_text.
# win32_set_resource_options(<rc file> [DEPENDS ...] [INCLUDE_DIRS ...])
#   Options that every later win32_add_resources of <rc file> adds to its own.

function(win32_add_icon output source)
  ilt_native_tool(drawer win32_icon_from_text platform/win32)
  get_filename_component(source ${source} ABSOLUTE)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${drawer} ${source} ${output}
    DEPENDS ${drawer} ${source}
    COMMENT "Drawing icon ${output}"
    VERBATIM)
endfunction()

function(win32_set_resource_options rc)
  cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDE_DIRS" ${ARGN})
  get_filename_component(rc ${rc} ABSOLUTE)
  set_property(GLOBAL APPEND PROPERTY "WIN32_RC_DEPENDS:${rc}" ${ARG_DEPENDS})
  set_property(GLOBAL APPEND PROPERTY "WIN32_RC_INCLUDE_DIRS:${rc}" ${ARG_INCLUDE_DIRS})
endfunction()

function(win32_add_resources target rc)
  cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDE_DIRS" ${ARGN})
  get_filename_component(rc ${rc} ABSOLUTE)
  get_filename_component(rcName ${rc} NAME_WE)
  get_filename_component(rcDir ${rc} DIRECTORY)
  get_property(moreDepends GLOBAL PROPERTY "WIN32_RC_DEPENDS:${rc}")
  get_property(moreIncludes GLOBAL PROPERTY "WIN32_RC_INCLUDE_DIRS:${rc}")

  set(outDir ${CMAKE_CURRENT_BINARY_DIR}/win32res/${target})
  set(object ${outDir}/${rcName}.res.obj)
  set(depfile ${outDir}/${rcName}.res.d)

  set(includeArgs)
  foreach(dir ${rcDir} ${ARG_INCLUDE_DIRS} ${moreIncludes})
    list(APPEND includeArgs --include-dir=${dir})
  endforeach()

  file(MAKE_DIRECTORY ${outDir})
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER}
            --preprocessor-arg=-MD --preprocessor-arg=-MF --preprocessor-arg=${depfile}
            --preprocessor-arg=-MT --preprocessor-arg=${object}
            ${includeArgs}
            --codepage=65001
            --input=${rc} --input-format=rc --output=${object} --output-format=coff
    DEPENDS ${rc} ${ARG_DEPENDS} ${moreDepends}
    DEPFILE ${depfile}
    COMMENT "Compiling resources ${rcName}.rc for ${target}"
    VERBATIM)
  set_source_files_properties(${object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${object})
endfunction()
