// Puts the plug-in's module state back to what it is when the module has just loaded, so that
// each in-process test starts like a fresh host session.
#pragma once

#include "frame/frame_state.h"

inline void ResetPlugInState() {
  HostTables = HostTableSet{};
  ExtensionId = 0;
  ModuleInstance = nullptr;
  HostWindow = nullptr;
}
