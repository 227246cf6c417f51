# Checks that one shipped module loads on 32-bit Windows from XP SP2 on, from what
# `objdump -p` shows of it:
# - every function it imports from a system DLL is on that DLL's allow-list, ALLOWED/<dll>.txt
#   (the DLL's name in lower case); a DLL without a list is not allowed at all, so neither is
#   a runtime DLL of the compiler (libgcc_s, libstdc++, libwinpthread) nor any other C runtime;
# - the DLLs named in OWN (ours, linked at load time) may be imported from freely;
# - it uses the system's msvcrt.dll, the C runtime that every module shares (one heap);
# - it has no TLS directory, no delay imports (this check could not vet them), is stripped, and
#   asks for no newer subsystem than XP's (5.1).
# -DOBJDUMP=program -DMODULE=file -DALLOWED=folder -DOWN=name,name,...
# Every fault found is listed, each naming the module and the import.
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed (${status})")
endif()
get_filename_component(module_name ${MODULE} NAME)
string(REPLACE "," ";" own "${OWN}")
string(TOLOWER "${own}" own)

set(faults)
set(dlls)
set(in_imports FALSE)
set(dll)
# One list element per line: the text's own semicolons escaped and its brackets, which the
# list commands would pair across lines, made parentheses (no line read below needs them).
string(REPLACE ";" "\\;" lines "${dump}")
string(REPLACE "[" "(" lines "${lines}")
string(REPLACE "]" ")" lines "${lines}")
string(REPLACE "\n" ";" lines "${lines}")
foreach(line IN LISTS lines)
  if(line MATCHES "^The Import Tables")
    set(in_imports TRUE)
  elseif(line MATCHES "^The ")
    set(in_imports FALSE)
  elseif(line MATCHES "^Entry 9 ([0-9a-fA-F]+) ([0-9a-fA-F]+) Thread Storage Directory")
    if(NOT CMAKE_MATCH_2 MATCHES "^0+$")
      list(APPEND faults "has a TLS directory (its callbacks would run in the host's threads)")
    endif()
  elseif(line MATCHES "^Entry d ([0-9a-fA-F]+) ([0-9a-fA-F]+) Delay Import Directory")
    if(NOT CMAKE_MATCH_2 MATCHES "^0+$")
      list(APPEND faults "has delay imports, which this check does not read")
    endif()
  elseif(line MATCHES "^MajorSubsystemVersion[ \t]+([0-9]+)")
    set(subsystem_major ${CMAKE_MATCH_1})
  elseif(line MATCHES "^MinorSubsystemVersion[ \t]+([0-9]+)")
    set(subsystem_minor ${CMAKE_MATCH_1})
  elseif(in_imports AND line MATCHES "^\tDLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    list(APPEND dlls ${dll})
    set(allowed)
    set(list_file ${ALLOWED}/${dll}.txt)
    if(EXISTS ${list_file})
      file(STRINGS ${list_file} allowed REGEX "^[^#]")
    endif()
  elseif(in_imports AND dll AND line MATCHES "^\t[0-9a-fA-F]+\t +([0-9]+)  ([^ ]+)")
    set(ordinal ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    if(name STREQUAL "<none>")
      set(name "ordinal ${ordinal}")
    endif()
    if(NOT dll IN_LIST own AND NOT name IN_LIST allowed)
      if(EXISTS ${list_file})
        list(APPEND faults "imports ${name} from ${dll}, which is not on ${list_file}")
      else()
        list(APPEND faults "imports ${name} from ${dll}, a DLL with no allow-list in ${ALLOWED}")
      endif()
    endif()
  endif()
endforeach()

if(NOT "msvcrt.dll" IN_LIST dlls)
  list(APPEND faults "does not use msvcrt.dll, the C runtime every module shares")
endif()
if(NOT dump MATCHES "\n\tsymbols stripped\n")
  list(APPEND faults "is not stripped")
endif()
if(NOT DEFINED subsystem_major OR subsystem_major GREATER 5
   OR (subsystem_major EQUAL 5 AND subsystem_minor GREATER 1))
  list(APPEND faults
       "asks for subsystem ${subsystem_major}.${subsystem_minor}, newer than XP's 5.1")
endif()

if(faults)
  list(JOIN faults "\n  ${module_name} " report)
  message(FATAL_ERROR "${MODULE} is not fit for the host's process on XP SP2 and later:\n"
                      "  ${module_name} ${report}")
endif()
list(JOIN dlls ", " dll_text)
message(STATUS "${module_name}: every import allowed (${dll_text}), no TLS directory, stripped")
