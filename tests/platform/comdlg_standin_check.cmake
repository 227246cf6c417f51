# Runs comdlg_probe under wine with the stand-in comdlg32.dll chosen and an answer piped to
# its standard input; checks the prompt and the outcome. PROBE: the program; WORK_DIR:
# scratch space for the answer files. WINEPREFIX and WINEDEBUG come from the environment.
file(MAKE_DIRECTORY ${WORK_DIR})

function(check_case name mode answer expected_prompt expected_result)
  set(input ${WORK_DIR}/${name}.txt)
  file(WRITE ${input} "${answer}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env WINEDLLOVERRIDES=comdlg32=n wine ${PROBE} ${mode}
    INPUT_FILE ${input}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE code)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${name}: the probe failed (${code}):\n${output}\n${errors}")
  endif()
  string(FIND "${output}" "${expected_prompt}" prompt_at)
  string(FIND "${output}" "${expected_result}" result_at)
  if(prompt_at EQUAL -1 OR result_at EQUAL -1)
    message(FATAL_ERROR "${name}: expected prompt [${expected_prompt}] and [${expected_result}],"
                        " got:\n${output}\n${errors}")
  endif()
  message(STATUS "${name}: ok")
endfunction()

set(open_prompt "Open [SketchUp SKP Files (*.skp)]: ")
check_case(answer open "C:\\Models\\house.skp\r\n" "${open_prompt}"
           "result=IDOK path=[C:\\Models\\house.skp] name=[house.skp]")
check_case(empty_line open "\n" "${open_prompt}" "result=IDCANCEL path=[]")
check_case(end_of_input open "" "${open_prompt}" "result=IDCANCEL path=[]")
check_case(save save "Z:\\tmp\\out.skp\n" "Save [SketchUp SKP Files (*.skp)]: "
           "result=IDOK path=[Z:\\tmp\\out.skp] name=[out.skp]")
