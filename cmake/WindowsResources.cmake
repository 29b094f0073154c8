# Resource scripts for the Windows build: the same functions, with the same
# arguments, as platform/win32/rc/Win32Resources.cmake, but the compiled
# resources are linked into the module as a real .rsrc section, where the
# Windows loader's FindResource finds them.
#
# win32_add_resources(<target> <rc file> [DEPENDS <files or targets>...] [INCLUDE_DIRS <dirs>...])
#   Compiles <rc file> with windres (preprocessed by the mingw-w64 C compiler,
#   with the real Windows headers) into a COFF object linked into <target>.
# win32_add_icon(<output .ico> <text picture>)
#   Draws the icon with the Linux build's win32_icon_from_text.
# win32_set_resource_options(<rc file> [DEPENDS ...] [INCLUDE_DIRS ...])
#   Options that every later win32_add_resources of <rc file> adds to its own
#   (cmake/ResourceOptions.cmake).

include(ResourceOptions)

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

function(win32_add_resources target rc)
  win32_compile_resources(${target} ${rc} COMPILER ${CMAKE_RC_COMPILER} FORMAT coff SUFFIX .res.obj
                          OUTPUT_VARIABLE object ${ARGN})
  set_source_files_properties(${object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${object})
endfunction()
