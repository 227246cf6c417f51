# Help end to end: korvalume-host loads the module (${MODULE}, or the built one in bin/), both
# Help items are clicked, and the stand-in viewer must have been given ${HELP}, a compiled help
# file, once per click, with no alert. -DHOST -DEMULATOR -DLOG=viewer's log -DHELP
# [-DMODULE=path as the host names it -DCOPY_TO=folder that the module and help file are
# copied to first]; run in bin/.
if(COPY_TO)
  file(MAKE_DIRECTORY ${COPY_TO})
  file(COPY Korvalume.api Korvalume.chm DESTINATION ${COPY_TO})
endif()
file(REMOVE ${LOG})

set(expect_code 0)
set(args ${MODULE} --click ADBE:Korvalume_Help --click UsingExtensions/ADBE:Korvalume)
set(expected
    "click \"ADBE:Korvalume_Help\": menu item \"ADBE:Korvalume_Help\" in \"ADBE:KorvalumeMenu\" executed"
    "click \"UsingExtensions/ADBE:Korvalume\": menu item \"ADBE:Korvalume\" in \"UsingExtensions\" executed"
    "leaks: none")
set(absent "alert:")
include(${CMAKE_CURRENT_LIST_DIR}/../support/check_run_output.cmake)

# The viewer runs on its own: wait a bounded time for both of its lines.
set(line "viewer: \"${HELP}\", a compiled help file, 1 argument(s)")
if(EMULATOR)
  string(APPEND line ", show command 5")  # SW_SHOW
endif()
set(want "${line}\n${line}\n")
foreach(attempt RANGE 150)
  if(EXISTS ${LOG})
    file(READ ${LOG} seen)
    if(seen STREQUAL want)
      break()
    endif()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.2)
endforeach()
if(NOT seen STREQUAL want)
  message(FATAL_ERROR "the viewer was given:\n${seen}\nexpected:\n${want}")
endif()

# Nothing that Help started stays: every process of the prefix ends.
if(EMULATOR)
  execute_process(COMMAND wineserver -w)
endif()
