// GetModuleHandleA and GetModuleFileNameA from the loader's list of modules.
#include <dlfcn.h>
#include <link.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "module_list.h"

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  void* handle = moduleName == nullptr ? dlopen(nullptr, RTLD_NOW)
                                       : kv_posix::OpenLoadedModuleByName(kv_posix::FileNamePart(
                                             kv_posix::WithDefaultExtension(moduleName)));
  if (handle == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // The module stays loaded by the references others hold; this call adds none. The loader
  // keeps the handle valid while they do.
  dlclose(handle);
  return static_cast<HMODULE>(handle);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  const link_map* map =
      module == nullptr ? kv_posix::ProgramMap() : kv_posix::LoadedModuleMap(module);
  if (map == nullptr || fileName == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const bool program = map->l_name == nullptr || map->l_name[0] == '\0';
  const std::string path = program ? kv_posix::ProgramPath() : std::string(map->l_name);
  if (path.empty()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Windows XP's rule: a buffer too small gets size - 1 characters and a NUL, and the
  // answer is size (not the length needed).
  if (path.size() >= size) {
    memcpy(fileName, path.data(), size - 1);
    fileName[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  memcpy(fileName, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}
