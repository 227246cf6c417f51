#include "import/a3d_binding.h"

#include <cstdio>

#include "frame/module_statics.h"

A3dProc A3dEntryTable[kA3dEntryCount];

KV_MODULE_STATIC(KV_ORDER_LAST_ERROR_TEXT) CString LastErrorText;

CString GetLastErrorText() {
  return LastErrorText;
}

void SetLastErrorText(const CString& text) {
  LastErrorText = text;
}

HMODULE LoadA3dLibrary() {
  char fileName[MAX_PATH];
  std::snprintf(fileName, sizeof(fileName), "%s", "A3DLIB.dll");
  HMODULE module = LoadLibraryExA(fileName, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    SetLastErrorText("Unable to load Acrobat 3D Library (A3DLIB.DLL)");
    return nullptr;
  }
  BindA3dEntryPoints(module);
  return module;
}

void BindA3dEntryPoints(HMODULE module) {
  for (int i = 0; i < kA3dEntryCount; ++i) {
    A3dEntryTable[i] = reinterpret_cast<A3dProc>(GetProcAddress(module, A3dEntryName(i)));
  }
}

bool RequireA3dEntries(std::initializer_list<A3dEntry> entries) {
  for (A3dEntry entry : entries) {
    int index = static_cast<int>(entry);
    if (!A3dEntryTable[index]) {
      CString text;
      text.Format("Incompatible Acrobat 3D Library [Missing entry point %s]", A3dEntryName(index));
      SetLastErrorText(text);
      return false;
    }
  }
  return true;
}

int InitA3dLibrary() {
  int32_t major = 0;
  int32_t minor = 0;
  if (!RequireA3dEntries({A3dEntry::A3DDllGetVersion, A3dEntry::A3DDllInitialize}))
    return 0;
  A3dCall(A3DDllGetVersion)(&major, &minor);
  if (major != 2) {
    SetLastErrorText("Incompatible Acrobat 3D Library [Invalid major version]");
    return 0;
  }
  if (minor < 0) {
    SetLastErrorText("Incompatible Acrobat 3D Library [Invalid minor version]");
    return 0;
  }
  if (A3dCall(A3DDllInitialize)(major, minor) != kA3dSuccess) {
    SetLastErrorText("Unable to initialize the Acrobat 3D Library");
    return 0;
  }
  return 1;
}

A3dLibrarySession::A3dLibrarySession(std::initializer_list<A3dEntry> required)
    : module_(LoadA3dLibrary()) {
  if (!module_)
    return;
  if (!InitA3dLibrary()) {
    FreeA3dLibrary(module_);
    module_ = nullptr;
  } else if (!RequireA3dEntries(required)) {
    TerminateA3dLibrary();
    FreeA3dLibrary(module_);
    module_ = nullptr;
  }
}

A3dLibrarySession::~A3dLibrarySession() {
  if (module_) {
    TerminateA3dLibrary();
    FreeA3dLibrary(module_);
  }
}

void TerminateA3dLibrary() {
  A3dCall(A3DDllTerminate)();
}

void FreeA3dLibrary(HMODULE module) {
  FreeLibrary(module);
}
