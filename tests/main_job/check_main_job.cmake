# The main job on either build: korvalume-host loads the real Korvalume.api and runs a case.
# -DHOST=program -DEMULATOR=(wine or empty) -DCASE=name -DMODEL=path -DSCRATCH=dir
# -DTEMP_DIR=(the folder "temp" names, as the host names it) -DLAUNCHER=(run-with-env on win32);
# run in bin/.
set(expect_code 0)
set(absent)
# The directories the case temp_is_directory puts where the temporary file goes; removed first
# too, so that a failed run of that case leaves the other cases unharmed.
set(temp_directories "${SCRATCH}/TVLTemp.prc" "${SCRATCH}\\TVLTemp.prc")
foreach(directory ${temp_directories})
  execute_process(COMMAND rmdir "${directory}" ERROR_QUIET)
endforeach()
if(CASE STREQUAL "setup")
  set(args)
  set(expected
      "handshake: host offered 0x20000, plug-in agreed 0x20000, PlugInMain answered true"
      "table ASExtra version 0x60000: granted"
      "set-up: true"
      "extension name: \"AcroSDK:Korvalume\""
      "callbacks: export tables callback#"
      "init: true"
      "menu \"ADBE:KorvalumeMenu\" at menubar index 8: title \"Korvalume\", 3 items"
      "item \"ADBE:Korvalume_Import\" at index 0: title \"&Import\""
      "item \"ADBE:Korvalume_Help\" at index 1: title \"&Help\""
      "item \"ADBE:Korvalume_About\" at index 2: title \"&About\""
      "item \"ADBE:Korvalume\" at index 0: title \"Korvalume\""
      "item \"ADBE:AboutKorvalume\" at index 0: title \"Korvalume...\""
      "tool button \"ADBE:Korvalume\" at tool bar index 2, after \"print\": help \"Activates Korvalume command\", icon 20x20"
      "unload: true"
      "leaks: none")
elseif(CASE STREQUAL "refuse_cos")
  set(args --refuse Cos@0x60000)
  set(expected "table Cos version 0x60000: refused" "set-up: false" "leaks: none")
  set(absent "table PDModel" "init: true")
elseif(CASE STREQUAL "import")
  # The call log names the temporary file that the host was asked to open: in the folder that
  # "temp" names (quoted as the log quotes it, each backslash doubled).
  string(REPLACE "\\" "\\\\" logged_temp_file "${TEMP_DIR}\\TVLTemp.prc")
  set(args --click ADBE:Korvalume --answer ${MODEL} --log)
  set(expected
      "click \"ADBE:Korvalume\": tool button executed"
      "a menu item in \"UsingExtensions\" bears the same name too: --click item:ADBE:Korvalume clicks it"
      "\"${logged_temp_file}\""
      "document \"Model\": PRC stream"
      "model: 16 triangles in 1 tessellation, 1 occurrence, named \"ModelFile\"; coordinates cover every index, normals cover theirs"
      "leaks: none")
  set(absent "alert:" "document not opened")
elseif(CASE STREQUAL "two_imports")
  # Each file dialog takes the next answer: the tool button's, then the menu item's.
  set(args --click ADBE:Korvalume --click ADBE:Korvalume_Import --answer ${MODEL} --answer ${MODEL})
  set(expected
      "click \"ADBE:Korvalume_Import\": menu item \"ADBE:Korvalume_Import\" in \"ADBE:KorvalumeMenu\" executed"
      "leaks: none")
  set(absent "alert:")
  set(count_pattern "document \"Model\": PRC stream [0-9]+ bytes, model: 16 triangles")
  set(expect_count 2)
elseif(CASE STREQUAL "help_item")
  # The UsingExtensions item shares the tool button's name; item: clicks the item (Help).
  set(args --click item:ADBE:Korvalume)
  set(expected
      "click \"item:ADBE:Korvalume\": menu item \"ADBE:Korvalume\" in \"UsingExtensions\" executed"
      "leaks: none")
  set(absent "tool button executed" "document \"Model\"")
elseif(CASE STREQUAL "temp_is_directory")
  # A directory where the temporary file goes: the host opens nothing from it and the run
  # ends as usual (on the native build the file's name keeps the backslash).
  foreach(directory ${temp_directories})
    execute_process(COMMAND mkdir -p "${directory}")
  endforeach()
  set(args --click ADBE:Korvalume --answer ${MODEL})
  set(expected "click \"ADBE:Korvalume\": tool button executed" "unload: true" "leaks: none")
  set(absent "document \"Model\"" "bad_alloc")
elseif(CASE STREQUAL "gate")
  set(args --app-version 8.1 --click ADBE:Korvalume_Import)
  set(expected "alert: \"This plug-in is designed to work with Acrobat 9 only\"" "leaks: none")
  set(absent "document \"Model\"")
elseif(CASE STREQUAL "about")
  set(args --click ADBE:Korvalume_About --click ADBE:AboutKorvalume)
  set(expected "executed" "leaks: none")
else()
  message(FATAL_ERROR "unknown case ${CASE}")
endif()

# "temp" given to the host as a user's session would give it; under wine only a Windows parent
# can, since wine sets TEMP from the prefix's registry for a program started from Linux.
if(LAUNCHER)
  set(EMULATOR ${EMULATOR} ${LAUNCHER} "temp=${TEMP_DIR}" --)
else()
  set(EMULATOR ${CMAKE_COMMAND} -E env "temp=${TEMP_DIR}" ${EMULATOR})
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../support/check_run_output.cmake)

foreach(directory ${temp_directories})
  execute_process(COMMAND rmdir "${directory}" ERROR_QUIET)
endforeach()

if(CASE STREQUAL "about")
  file(READ ${SCRATCH}/about.txt titles)
  if(NOT titles STREQUAL "Korvalume for Acrobat 9 version 1.0\nKorvalume for Acrobat 9 version 1.0\n")
    message(FATAL_ERROR "About showed: ${titles}")
  endif()
endif()
file(GLOB left ${SCRATCH}/*TVLTemp.prc "${SCRATCH}*TVLTemp.prc")
if(left)
  message(FATAL_ERROR "the temporary file is left: ${left}")
endif()
