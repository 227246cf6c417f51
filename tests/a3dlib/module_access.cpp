#include "tests/a3dlib/module_access.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace a3dtest {
namespace {

#ifdef _WIN32
// The build's paths are those of the Linux side: wine shows them on drive Z.
std::string HostPath(const std::string& path) {
  std::string converted = "Z:" + path;
  for (char& c : converted) {
    if (c == '/') {
      c = '\\';
    }
  }
  return converted;
}
const char kSeparator[] = "\\";
#else
std::string HostPath(const std::string& path) {
  return path;
}
const char kSeparator[] = "/";
#endif

}  // namespace

std::string FullBuildDir() {
  return HostPath(KV_A3DLIB_DIR);
}

std::string PartialBuildDir() {
  return HostPath(KV_A3DLIB_PARTIAL_DIR);
}

#ifdef _WIN32
void* OpenModule(const std::string& dir) {
  return LoadLibraryA((dir + kSeparator + "A3DLIB.dll").c_str());
}

A3dProc FindProc(void* module, const char* name) {
  return reinterpret_cast<A3dProc>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void CloseModule(void* module) {
  FreeLibrary(static_cast<HMODULE>(module));
}

void SetEnv(const char* name, const char* value) {
  SetEnvironmentVariableA(name, value);
}
#else
void* OpenModule(const std::string& dir) {
  return dlopen((dir + kSeparator + "A3DLIB.dll").c_str(), RTLD_NOW | RTLD_LOCAL);
}

A3dProc FindProc(void* module, const char* name) {
  return reinterpret_cast<A3dProc>(dlsym(module, name));
}

void CloseModule(void* module) {
  dlclose(module);
}

void SetEnv(const char* name, const char* value) {
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}
#endif

}  // namespace a3dtest
