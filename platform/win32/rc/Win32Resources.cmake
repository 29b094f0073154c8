# Resource scripts for the win32 stand-in.
#
# win32_add_resources(<target> <rc file> [DEPENDS <files or targets>...] [INCLUDE_DIRS <dirs>...])
#   Compiles <rc file> with the resource compiler into a standard .res file and
#   embeds it into <target> as an allocated ELF note named "WIN32RES", where
#   FindResourceA(<module handle of target>, ...) finds it.  The script is
#   preprocessed by the host's cpp with RC_INVOKED defined; the win32 headers,
#   the script's own folder and INCLUDE_DIRS are on the include path (also for
#   files the script names, such as icons).
#
# win32_add_icon(<output .ico> <text picture>)
#   Adds a build step that turns a text picture (see icon_from_text.cpp)
#   into an 8-bit .ico file; a resource script names the .ico in an ICON statement.
#
# win32_set_resource_options(<rc file> [DEPENDS ...] [INCLUDE_DIRS ...])
#   Records options that every later win32_add_resources of <rc file> adds to its
#   own: lets the folder that owns a script say what the script needs (a generated
#   icon, say), whoever embeds it (cmake/ResourceOptions.cmake, shared with the
#   Windows build).

include(ResourceOptions)

find_program(WIN32_WINDRES NAMES x86_64-w64-mingw32-windres windres REQUIRED)
find_program(WIN32_RC_PREPROCESSOR NAMES cpp REQUIRED)
set(WIN32_HEADERS_DIR ${CMAKE_CURRENT_LIST_DIR}/../include CACHE INTERNAL "win32 stand-in headers")

function(win32_add_icon output source)
  get_filename_component(source ${source} ABSOLUTE)
  add_custom_command(
    OUTPUT ${output}
    COMMAND win32_icon_from_text ${source} ${output}
    DEPENDS win32_icon_from_text ${source}
    COMMENT "Drawing icon ${output}"
    VERBATIM)
endfunction()

function(win32_add_resources target rc)
  win32_compile_resources(${target} ${rc} COMPILER ${WIN32_WINDRES} FORMAT res SUFFIX .res OUTPUT_VARIABLE res
                          COMPILER_ARGS --preprocessor=${WIN32_RC_PREPROCESSOR} --preprocessor-arg=-DRC_INVOKED
                          EXTRA_INCLUDE_DIRS ${WIN32_HEADERS_DIR} ${ARGN})
  get_filename_component(rcName ${res} NAME_WE)
  set(embed ${res}.c)

  # The note: namesz, descsz, type, "WIN32RES", then the .res bytes.
  file(CONFIGURE OUTPUT ${embed} CONTENT [=[
/* Generated: embeds @rcName@.res as the module's WIN32RES note. */
__asm__(
    ".pushsection .note.win32res,\"a\",@note\n"
    ".balign 4\n"
    ".long 9\n"
    ".long 2f - 1f\n"
    ".long 0x53455257\n"
    ".asciz \"WIN32RES\"\n"
    ".balign 4\n"
    "1: .incbin \"@res@\"\n"
    "2: .balign 4\n"
    ".popsection\n");
]=] @ONLY)
  set_source_files_properties(${embed} PROPERTIES OBJECT_DEPENDS ${res} GENERATED TRUE)
  set_source_files_properties(${res} PROPERTIES HEADER_FILE_ONLY TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${res} ${embed})
endfunction()
