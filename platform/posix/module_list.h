// What the loader knows about the loaded modules, for the module calls of this layer.
#pragma once

#include <windows.h>

#include <string>

struct link_map;

namespace kv_posix {

// The part of a path after its last '/' or '\'.
std::string FileNamePart(const std::string& path);
// Windows' rule for a module name: no extension gets ".dll"; a trailing dot means none.
std::string WithDefaultExtension(const std::string& name);
// The running program's full path (/proc/self/exe resolved); empty on failure.
std::string ProgramPath();

// The loader's record of a module handle, or null when the handle is not a loaded module.
// glibc's dlopen handle is the module's link map, so a handle is checked against the list
// before any call that would trust it.
const link_map* LoadedModuleMap(HMODULE module);
// The record of the program itself.
const link_map* ProgramMap();
// The record of the module holding an address; null when none does.
const link_map* ModuleMapOfAddress(const void* address);

// A new reference (dlopen) to the loaded module whose file name equals fileName ignoring
// case; the program counts under its own file name. Null when none is loaded.
void* OpenLoadedModuleByName(const std::string& fileName);

}  // namespace kv_posix
