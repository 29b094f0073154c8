# Compares the virtual-function table of CImportLayoutTemplateDlg, as the
# compiler laid it out in its class dump (-fdump-lang-class of LayoutCheck.cpp),
# with the recorded one. C++ has no constant expression for a virtual
# function's slot, so this part of the layout is checked from the dump.
#
#   cmake -DDUMP=<class dump> -DRECORDED=<platform>/vtable.txt
#         -DCURRENT=<where to write the table found> -DSTAMP=<file> -P CheckVtable.cmake
#
# Records and the table found hold one slot a line: its byte offset in the
# table, then the function in it; lines starting with # are comments.

file(READ "${DUMP}" dump)
set(heading "Vtable for CImportLayoutTemplateDlg\n")
string(FIND "${dump}" "${heading}" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${DUMP}: the class dump has no virtual-function table of CImportLayoutTemplateDlg")
endif()
string(SUBSTRING "${dump}" ${start} -1 dump)
string(FIND "${dump}" "\n\n" end)
string(SUBSTRING "${dump}" 0 ${end} table)

# "120   (int (*)(...))CImportLayoutTemplateDlg::OnInitDialog": offset and
# function; the offset-to-top and type-information entries are no functions.
string(REPLACE "\n" ";" lines "${table}")
set(found "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([0-9]+) +\\(int \\(\\*\\)\\(\\.\\.\\.\\)\\)(.+)$")
    set(offset ${CMAKE_MATCH_1})
    set(function "${CMAKE_MATCH_2}")
    if(NOT function MATCHES "^[0-9]+$" AND NOT function MATCHES "^\\(&")
      string(APPEND found "${offset} ${function}\n")
    endif()
  endif()
endforeach()
file(WRITE "${CURRENT}" "${found}")

file(STRINGS "${RECORDED}" recordedLines)
set(recorded "")
foreach(line IN LISTS recordedLines)
  if(NOT line MATCHES "^#" AND NOT line STREQUAL "")
    string(APPEND recorded "${line}\n")
  endif()
endforeach()

if(NOT found STREQUAL recorded)
  # Slot by slot: what the record has, what the class has now.
  string(REPLACE "\n" ";" foundSlots "${found}")
  string(REPLACE "\n" ";" recordedSlots "${recorded}")
  set(offsets "")
  foreach(slot IN LISTS foundSlots recordedSlots)
    if(slot MATCHES "^([0-9]+) (.+)$")
      list(APPEND offsets ${CMAKE_MATCH_1})
      set(now_${CMAKE_MATCH_1} "")
      set(was_${CMAKE_MATCH_1} "")
    endif()
  endforeach()
  foreach(slot IN LISTS foundSlots)
    if(slot MATCHES "^([0-9]+) (.+)$")
      set(now_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endif()
  endforeach()
  foreach(slot IN LISTS recordedSlots)
    if(slot MATCHES "^([0-9]+) (.+)$")
      set(was_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES offsets)
  list(SORT offsets COMPARE NATURAL)
  set(changes "")
  foreach(offset IN LISTS offsets)
    if(NOT now_${offset} STREQUAL was_${offset})
      set(was "${was_${offset}}")
      set(now "${now_${offset}}")
      if(was STREQUAL "")
        set(was "(no slot)")
      endif()
      if(now STREQUAL "")
        set(now "(no slot)")
      endif()
      string(APPEND changes "  slot at byte ${offset}: recorded ${was}, now ${now}\n")
    endif()
  endforeach()
  message(FATAL_ERROR
    "The virtual-function table of CImportLayoutTemplateDlg is not the recorded one (${RECORDED}):\n"
    "${changes}"
    "A host built against the recorded table would call the wrong functions. If the change is meant "
    "(a new ABI version: docs/integration.md), the table found is in ${CURRENT}.")
endif()
file(WRITE "${STAMP}" "")
