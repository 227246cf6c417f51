# The wine prefix of the Help tests (WINEPREFIX, from the test's environment): made on first
# use, then .chm files opened by the stand-in viewer ${VIEWER} and drive D: mapped to
# ${DRIVE_D}. Ends when every process of the prefix has ended.
set(prefix $ENV{WINEPREFIX})
if(NOT prefix STREQUAL PREFIX)
  message(FATAL_ERROR "WINEPREFIX is '${prefix}', not the Help tests' prefix ${PREFIX}")
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${code}):\n${out}")
  endif()
endfunction()

if(NOT EXISTS ${PREFIX}/system.reg)
  file(MAKE_DIRECTORY ${PREFIX})
  run(wineboot -i)
endif()
run(wine reg add "HKCR\\.chm" /ve /d KorvalumeHelpStandin /f)
run(wine reg add "HKCR\\KorvalumeHelpStandin\\shell\\open\\command" /ve
    /d "\"${VIEWER}\" \"%1\"" /f)
file(MAKE_DIRECTORY ${DRIVE_D})
file(REMOVE ${PREFIX}/dosdevices/d:)
file(CREATE_LINK ${DRIVE_D} ${PREFIX}/dosdevices/d: SYMBOLIC)
run(wineserver -w)
