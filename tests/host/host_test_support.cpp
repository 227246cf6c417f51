#include "tests/host/host_test_support.h"

#include <windows.h>

HostTableSet HostTables;

void HostTest::Start(const standin::Scenario& scenario) {
  host_.reset();
  host_ = std::make_unique<standin::Host>(scenario);
  for (int index = 0; index < kHostTableCount; ++index) {
    HostTableId id = static_cast<HostTableId>(index);
    HostTables[id] = HostTableSlot{host_->Table(id), 0x60000};
  }
}

FakePlugIn::FakePlugIn() {
  HMODULE loaded = LoadLibraryA("FakePlugIn.api");
  module = loaded;
  if (loaded != nullptr) {
    main = reinterpret_cast<PlugInMainProc>(
        reinterpret_cast<void*>(GetProcAddress(loaded, "PlugInMain")));
  }
}

FakePlugIn::~FakePlugIn() {
  if (module != nullptr) {
    FreeLibrary(static_cast<HMODULE>(module));
  }
}

bool LoadFakePlugIn(standin::Host& host, const FakePlugIn& plugIn) {
  return host.CallPlugInMain(plugIn.main, plugIn.module, nullptr) && host.CallSetup() &&
         host.CallHandshake() && host.CallInit();
}
