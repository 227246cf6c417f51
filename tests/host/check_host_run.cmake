# Runs korvalume-host on the fake plug-in for one case and checks what it printed.
# -DHOST=program -DEMULATOR=(wine or empty) -DCASE=name; run in the build's bin directory.
set(model fake_model_${CASE}.prc)
file(WRITE ${model} "a model file of 27 bytes...")

set(expect_code 0)
set(absent)
if(CASE STREQUAL "full")
  set(args --click KV:Hello --click KV:FakeMenu/KV:MenuHello --click KV:OpenModel
           --answer ${model} --log FakePlugIn.api)
  set(expected
      "handshake: host offered 0x20000, plug-in agreed 0x20000, PlugInMain answered true"
      "table Core version 0x20000: granted, version recorded 0x20000"
      "table AcroView version 0x60000: granted, version recorded 0x60000"
      "set-up: true"
      "extension name: \"KV:FakePlugIn\""
      "callbacks: export tables callback#"
      "init: true"
      "host menu \"UsingExtensions\" not on the menubar"
      "item \"KV:OpenModel\" at index 0: title \"Open Model...\""
      "menu \"KV:FakeMenu\" at menubar index 3: title \"Fake\", 1 items"
      "tool button \"KV:Hello\" at tool bar index 3, after \"endToolsGroup\": help \"Say hello\", no icon"
      "click \"KV:Hello\": tool button executed"
      "click \"KV:FakeMenu/KV:MenuHello\": menu item \"KV:MenuHello\" in \"KV:FakeMenu\" executed"
      "click \"KV:OpenModel\": menu item \"KV:OpenModel\" in \"UsingExtensions\" executed"
      "alert: \"fake plug-in: hello\""
      "alert: \"fake plug-in: read 27 bytes\""
      "document \"fake model\": PRC stream 27 bytes, not a model file this host can read (bad magic)"
      "unload: true"
      "leaks: none"
      "#1 Core 5 HostAtomFromString(\"Core\") -> atom "
      "AcroView 485 HostOpenDocFromFile(path#1, filesys#1, text#1) -> viewdoc#1")
elseif(CASE STREQUAL "refused")
  set(args --refuse AcroView@0x60000 --version-answer Cos=0x70000 FakePlugIn.api)
  set(expected
      "table AcroView version 0x60000: refused, version recorded 0x0"
      "set-up: false"
      "init: not called (the set-up failed)"
      "leaks: none")
  set(absent "init: true" "tool button")
elseif(CASE STREQUAL "fault")
  set(args --fail HostNewMenu:1 --no-end-tools-group --log FakePlugIn.api)
  set(expected
      "HostNewMenu(\"Fake\", \"KV:FakeMenu\", 0x"
      "-> null  [fault injected]"
      "tool button \"KV:Hello\" at tool bar index 3, after \"find\""
      "init: true")
  set(absent "menu \"KV:FakeMenu\"")
elseif(CASE STREQUAL "unregistered")
  # A click that names nothing stops the clicks; the run still ends cleanly, and says so.
  set(args --click KV:Nothing --click KV:Hello FakePlugIn.api)
  set(expect_code 4)
  set(expected
      "click \"KV:Nothing\": nothing registered by that name"
      "korvalume-host: --click KV:Nothing names nothing registered; the clicks after it are not made"
      "unload: true"
      "leaks: none")
  set(absent "click \"KV:Hello\"" "fake plug-in: hello")
elseif(CASE STREQUAL "kinds")
  # button: and item: name one kind only.
  set(args --click button:KV:Hello --click item:KV:MenuHello --click item:KV:Hello FakePlugIn.api)
  set(expect_code 4)
  set(expected
      "click \"button:KV:Hello\": tool button executed"
      "click \"item:KV:MenuHello\": menu item \"KV:MenuHello\" in \"KV:FakeMenu\" executed"
      "click \"item:KV:Hello\": no menu item by that name")
elseif(CASE STREQUAL "bad_files")
  # Each dialog takes the next answer; a directory and an empty file open no document.
  file(MAKE_DIRECTORY fake_model_dir.prc)
  file(WRITE fake_model_empty.prc "")
  set(args --click KV:OpenModel --click KV:OpenModel --click KV:OpenModel
           --answer fake_model_dir.prc --answer fake_model_empty.prc --answer ${model}
           FakePlugIn.api)
  set(expected
      "alert: \"fake plug-in: read -1 bytes\""
      "alert: \"fake plug-in: read 27 bytes\""
      "document not opened: \"fake_model_dir.prc\" "
      "document not opened: \"fake_model_empty.prc\" is empty"
      "document \"fake model\": PRC stream 27 bytes"
      "leaks: none")
  set(count_pattern "document not opened")
  set(expect_count 2)
elseif(CASE STREQUAL "help")
  # The operations --fail takes come from the host's list: those with a result.
  set(args --help)
  set(expected "--fail OP:N" "HostOpenDocFromFile" "HostStreamRead" "HostAtomFromString"
               "button:NAME" "item:NAME" "MENU/ITEM" "--answer PATH")
  set(absent "HostAlert" "HostMemoryFree" "HostStreamClose")
elseif(CASE STREQUAL "usage")
  set(args --refuse NoSuchTable@1 FakePlugIn.api)
  set(expect_code 2)
  set(expected "korvalume-host: bad value for --refuse")
elseif(CASE STREQUAL "no_result")
  set(args --fail HostAlert:1 FakePlugIn.api)
  set(expect_code 2)
  set(expected "korvalume-host: HostAlert has no result, so it cannot be made to fail")
elseif(CASE STREQUAL "missing")
  set(args NoSuchModule.api)
  set(expect_code 3)
  set(expected "korvalume-host: cannot load the module NoSuchModule.api")
else()
  message(FATAL_ERROR "unknown case ${CASE}")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/../support/check_run_output.cmake)
if(CASE STREQUAL "bad_files")
  file(REMOVE_RECURSE fake_model_dir.prc fake_model_empty.prc)
endif()
file(REMOVE ${model})
