// Loading a build of the 3D library the way the plug-in does, and the environment it reads.
// Natively this is dlopen/dlsym directly: the Windows layer of the native build is written
// alongside and the library tests do not depend on it.
#pragma once

#include <string>

#include "platform/a3d/a3d_signatures.h"

namespace a3dtest {

// The folders of the two builds, as the loader on this build spells paths.
std::string FullBuildDir();
std::string PartialBuildDir();

// Null when the module cannot be loaded.
void* OpenModule(const std::string& dir);
A3dProc FindProc(void* module, const char* name);
void CloseModule(void* module);

// Sets (value non-null) or removes a variable of the process environment.
void SetEnv(const char* name, const char* value);

}  // namespace a3dtest
