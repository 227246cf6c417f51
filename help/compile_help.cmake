# Compiles ${STAGE}/Korvalume.hhp with ${CHMCMD} and copies the result to ${OUTPUT}. chmcmd
# answers 0 even when it finds no project, and only warns about a page it cannot find: any
# warning, error or missing result fails the build here.
file(REMOVE ${STAGE}/Korvalume.chm)
execute_process(COMMAND ${CHMCMD} Korvalume.hhp WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT code EQUAL 0 OR out MATCHES "Warning|Error|rror:|Can't|exception"
   OR NOT EXISTS ${STAGE}/Korvalume.chm)
  message(FATAL_ERROR "chmcmd could not compile the help file (exit ${code}):\n${out}")
endif()
file(COPY_FILE ${STAGE}/Korvalume.chm ${OUTPUT})
