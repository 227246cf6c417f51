// The module's entry point and its module state.
#include "frame/frame_state.h"

HostTableSet HostTables;
uint32_t ExtensionId;
HINSTANCE ModuleInstance;
HWND HostWindow;

extern "C" HostBool HOSTCALL PlugInMain(uint32_t hostHandshakeVersion, uint32_t* handshakeVersion,
                                        SetupProc* setupProc, HostWindowsData* windowsData) {
  if (windowsData) {
    HostWindow = static_cast<HWND>(windowsData->hostWindow);
    ModuleInstance = static_cast<HINSTANCE>(windowsData->moduleInstance);
  }
  if (handshakeVersion) {
    *handshakeVersion =
        hostHandshakeVersion < kHandshakeVersion ? hostHandshakeVersion : kHandshakeVersion;
  }
  if (setupProc)
    *setupProc = &ImportHostTables;
  return kHostTrue;
}
