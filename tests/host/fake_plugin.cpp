// A tiny plug-in for testing the stand-in host: it does what a real plug-in does at each step,
// through the host's tables only. Its init registers a host-menu item that opens a model file
// named on standard input, a tool button after "endToolsGroup" that alerts, and a menu of its
// own on the menubar.
#ifdef _WIN32
#include <windows.h>
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#include <cstdio>
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#include <cstring>
#include <string>

#include "platform/acrobat/host_operations.h"

HostTableSet HostTables;

namespace {

uint32_t gExtensionId = 0;

HostProc AsProc(ExtensionProc proc) {
  return reinterpret_cast<HostProc>(proc);
}

// The file dialog's part: one line from standard input, as the dialog reads it, leaving the
// lines after it to the next dialog.
std::string ReadAnswer() {
  char line[1024] = {};
#ifdef _WIN32
  DWORD length = 0;
  DWORD got = 0;
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  while (length < sizeof(line) - 1 && ReadFile(in, line + length, 1, &got, nullptr) && got == 1 &&
         line[length] != '\n') {
    ++length;
  }
  line[length] = '\0';
#else
  if (std::fgets(line, sizeof(line), stdin) == nullptr) {
    line[0] = '\0';
  }
#endif
  std::string answer(line);
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) {
    answer.pop_back();
  }
  return answer;
}

// Reads the first 3D annotation's "3DD" stream in small chunks; -1 when any step fails.
long ReadModelStream(HostViewDoc view) {
  HostPage page = HostDocAcquirePage(HostViewDocGetPdDoc(view), 0);
  if (HostPageAnnotCount(page) < 1) {
    return -1;
  }
  HostAnnot annot = HostPageGetAnnot(page, 0);
  HostCosObj stream = HostCosDictGet(HostAnnotGetCosDict(annot), HostAtomFromString("3DD"));
  if (!HostAnnotIsValid(annot) || HostCosObjType(stream) != kHostCosStream) {
    return -1;
  }
  HostStream reader = HostCosStreamOpen(stream, 2);
  char* buffer = static_cast<char*>(HostMemoryAlloc(7));
  long total = reader && buffer ? 0 : -1;
  int32_t got = 0;
  while (total >= 0 && (got = HostStreamRead(buffer, 1, 7, reader)) > 0) {
    total += got;
  }
  HostMemoryFree(buffer);
  if (reader) {
    HostStreamClose(reader);
  }
  return got < 0 ? -1 : total;
}

void HOSTCALL OpenModel(void*) {
  std::string path = ReadAnswer();
  if (path.empty()) {
    HostAlert("fake plug-in: cancelled");
    return;
  }
  HostAtom kind = HostAtomFromString("Cstring");
  HostFileSys fileSys = HostFileSysFromPath(kind, path.c_str());
  HostPathName name = HostPathNameFromPath(fileSys, kind, path.c_str(), nullptr);
  HostText title = HostTextNew();
  HostTextSetText(title, "fake model");
  HostViewDoc view = HostOpenDocFromFile(name, fileSys, title);
  if (name) {
    HostReleasePathName(fileSys, name);
  }
  if (title) {
    HostTextDestroy(title);
  }
  long bytes = view ? ReadModelStream(view) : -1;
  std::string message = "fake plug-in: read " + std::to_string(bytes) + " bytes";
  HostAlert(message.c_str());
}

void HOSTCALL SayHello(void*) {
  HostAlert("fake plug-in: hello");
}

HostBool HOSTCALL AlwaysEnabled(void*) {
  return kHostTrue;
}

HostMenuItem NewItem(const char* title, const char* name, ExecuteProc execute) {
  HostMenuItem item =
      HostNewMenuItem(title, name, nullptr, kHostFalse, 0, 0, nullptr, gExtensionId);
  HostSetItemExecuteProc(item, HostMakeCallback(gExtensionId, reinterpret_cast<HostProc>(execute)),
                         nullptr);
  return item;
}

void AddToolButton() {
  HostToolBar toolBar = HostGetToolBar();
  HostToolButton anchor = HostGetButtonByName(toolBar, HostAtomFromString("endToolsGroup"));
  HostToolButton button =
      HostNewToolButton(HostAtomFromString("KV:Hello"), nullptr, kHostFalse, kHostFalse);
  HostAddToolButton(toolBar, button, kHostFalse, anchor);
  HostSetButtonExecuteProc(
      button, HostMakeCallback(gExtensionId, reinterpret_cast<HostProc>(&SayHello)), nullptr);
  HostSetButtonComputeEnabledProc(
      button, HostMakeCallback(gExtensionId, reinterpret_cast<HostProc>(&AlwaysEnabled)), nullptr);
  HostSetButtonHelpText(button, "Say hello");
}

HostBool HOSTCALL Init() {
  HostMenubar menubar = HostGetMenubar();
  HostMenu tools = HostAcquireMenuByName(menubar, "UsingExtensions");
  if (tools) {
    HostAddMenuItem(tools, NewItem("Open Model...", "KV:OpenModel", &OpenModel), 100);
    HostReleaseMenu(tools);
  }
  AddToolButton();
  HostMenu own = HostNewMenu("Fake", "KV:FakeMenu", gExtensionId);
  if (own) {
    HostAddMenuItem(own, NewItem("Hello", "KV:MenuHello", &SayHello), 0);
    HostAddMenuToMenubar(menubar, own, 3);
  }
  return kHostTrue;
}

HostBool HOSTCALL Succeed() {
  return kHostTrue;
}

HostBool HOSTCALL Handshake(uint32_t version, HandshakeData* data) {
  if (version != kHandshakeVersion || data == nullptr) {
    return kHostFalse;
  }
  data->extensionName = HostAtomFromString("KV:FakePlugIn");
  data->exportTables = HostMakeCallback(gExtensionId, AsProc(&Succeed));
  data->importReplaceAndRegister = HostMakeCallback(gExtensionId, AsProc(&Succeed));
  data->init = HostMakeCallback(gExtensionId, AsProc(&Init));
  data->unload = HostMakeCallback(gExtensionId, AsProc(&Succeed));
  return kHostTrue;
}

bool ObtainTable(HostTableId id, uint32_t version) {
  HostFunctionTable table = HostGetTable(HostAtomFromString(HostTableName(id)), version);
  HostTables[id] = HostTableSlot{table, table ? version : 0};
  return table != nullptr;
}

HostBool HOSTCALL Setup(uint32_t version, SdkSetupData* data) {
  if (version != kHandshakeVersion || data == nullptr || data->coreTable == nullptr) {
    return kHostFalse;
  }
  HostTables = HostTableSet{};
  HostTables[HostTableId::Core] = HostTableSlot{data->coreTable, 0};
  gExtensionId = data->extensionId;
  bool ready =
      ObtainTable(HostTableId::Core, 0x20000) && ObtainTable(HostTableId::AcroSupport, 0x60000) &&
      ObtainTable(HostTableId::AcroView, 0x60000) && ObtainTable(HostTableId::ASExtra, 0x60000) &&
      ObtainTable(HostTableId::PDModel, 0x60000) && ObtainTable(HostTableId::Cos, 0x60000);
  if (!ready || HostTableVersion(HostTables[HostTableId::AcroView].table) < 0x60000) {
    return kHostFalse;
  }
  data->handshakeCallback = HostMakeCallback(
      gExtensionId, reinterpret_cast<HostProc>(static_cast<HandshakeProc>(&Handshake)));
  return data->handshakeCallback ? kHostTrue : kHostFalse;
}

}  // namespace

FAKE_EXPORT HostBool HOSTCALL PlugInMain(uint32_t hostHandshakeVersion, uint32_t* handshakeVersion,
                                         SetupProc* setupProc, HostWindowsData* windowsData) {
  if (hostHandshakeVersion < kHandshakeVersion || windowsData == nullptr) {
    return kHostFalse;
  }
  *handshakeVersion = kHandshakeVersion;
  *setupProc = &Setup;
  return kHostTrue;
}
