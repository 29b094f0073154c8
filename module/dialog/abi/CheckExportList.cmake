# Compares the symbols the module exports with the recorded list: on Linux its
# defined dynamic symbols (nm -DC --defined-only: type and demangled name), on
# Windows the names of its export table (objdump -p).
#
#   cmake -DMODULE=<module> -DFORMAT=nm|objdump -DTOOL=<nm or objdump>
#         -DRECORDED=<platform>/exports.txt -DCURRENT=<where to write the list found>
#         -DSTAMP=<file> -P CheckExportList.cmake
#
# A symbol a host links against that disappears or changes breaks every host
# built before; one that appears widens the interface that must be kept.

if(FORMAT STREQUAL "nm")
  execute_process(COMMAND ${TOOL} -DC --defined-only ${MODULE}
                  OUTPUT_VARIABLE output RESULT_VARIABLE failed)
elseif(FORMAT STREQUAL "objdump")
  execute_process(COMMAND ${TOOL} -p ${MODULE}
                  OUTPUT_VARIABLE output RESULT_VARIABLE failed)
else()
  message(FATAL_ERROR "CheckExportList.cmake: FORMAT must be nm or objdump")
endif()
if(failed)
  message(FATAL_ERROR "${TOOL} failed on ${MODULE}")
endif()

string(REPLACE ";" "\\;" output "${output}")
string(REPLACE "\n" ";" lines "${output}")
set(found "")
if(FORMAT STREQUAL "nm")
  foreach(line IN LISTS lines)
    # "0000000000005966 T CImportLayoutTemplateDlg::GetThisClass()"
    if(line MATCHES "^[0-9a-fA-F]+ ([A-Za-z]) (.+)$")
      set(type "${CMAKE_MATCH_1}")
      set(name "${CMAKE_MATCH_2}")
      # Added by the linker to every shared object, or by the sanitizers'
      # instrumentation (-DILT_SANITIZE=ON): not the module's interface.
      if(name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$" OR name MATCHES "^__(odr_)?asan")
        continue()
      endif()
      list(APPEND found "${type} ${name}")
    endif()
  endforeach()
else()
  # "[Ordinal/Name Pointer] Table", then "\t[   0] _ZN24CImportLayoutTemplateDlg10messageMapE"...
  set(inTable FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
      set(inTable TRUE)
    elseif(inTable AND line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
      list(APPEND found "${CMAKE_MATCH_1}")
    elseif(inTable)
      break()
    endif()
  endforeach()
endif()
list(SORT found)
list(JOIN found "\n" foundText)
file(WRITE "${CURRENT}" "${foundText}\n")

file(STRINGS "${RECORDED}" recordedLines)
set(recorded "")
foreach(line IN LISTS recordedLines)
  if(NOT line MATCHES "^#" AND NOT line STREQUAL "")
    list(APPEND recorded "${line}")
  endif()
endforeach()
list(SORT recorded)

if(NOT found STREQUAL recorded)
  # The differences, counting repeated lines (a constructor's complete-object
  # and base-object symbols demangle alike).
  set(missing ${recorded})
  set(added "")
  foreach(symbol IN LISTS found)
    list(FIND missing "${symbol}" at)
    if(at EQUAL -1)
      list(APPEND added "${symbol}")
    else()
      list(REMOVE_AT missing ${at})
    endif()
  endforeach()
  set(changes "")
  foreach(symbol IN LISTS missing)
    string(APPEND changes "  no longer exported: ${symbol}\n")
  endforeach()
  foreach(symbol IN LISTS added)
    string(APPEND changes "  exported, not recorded: ${symbol}\n")
  endforeach()
  message(FATAL_ERROR
    "The exports of ${MODULE} are not the recorded ones (${RECORDED}):\n"
    "${changes}"
    "If the change is meant (a new ABI version: docs/integration.md), the list found is in ${CURRENT}.")
endif()
file(WRITE "${STAMP}" "")
