// LoadLibrary and its companions over dlopen: Windows' search for a bare name, the loader's
// own handle as the module handle.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "module_list.h"

namespace {

bool IsFile(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

// An absolute path, so that the loader records the full name GetModuleFileNameA gives back.
std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') {
    return path;
  }
  const std::string cwd = CurrentDirectory();
  return cwd.empty() ? path : cwd + "/" + path;
}

std::string InDirectory(const std::string& directory, const std::string& file) {
  if (directory.empty()) {
    return std::string();
  }
  return Absolute(directory.back() == '/' ? directory + file : directory + "/" + file);
}

// The first existing file of the search: the program's directory, the current directory,
// then each directory of PATH. Empty when none exists.
std::string SearchBareName(const std::string& file) {
  const std::string program = kv_posix::ProgramPath();
  const size_t slash = program.rfind('/');
  if (slash != std::string::npos) {
    const std::string candidate = InDirectory(program.substr(0, slash + 1), file);
    if (IsFile(candidate)) {
      return candidate;
    }
  }
  const std::string here = InDirectory(CurrentDirectory(), file);
  if (IsFile(here)) {
    return here;
  }
  const char* path = getenv("PATH");
  const std::string list = path != nullptr ? path : "";
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) {
      end = list.size();
    }
    const std::string candidate = InDirectory(list.substr(start, end - start), file);
    if (!candidate.empty() && IsFile(candidate)) {
      return candidate;
    }
    start = end + 1;
  }
  return std::string();
}

HMODULE Open(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    SetLastError(IsFile(path) ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
  }
  return static_cast<HMODULE>(handle);
}

}  // namespace

HMODULE LoadLibraryExA(LPCSTR fileName, HANDLE, DWORD) {
  if (fileName == nullptr || fileName[0] == '\0') {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::string name = kv_posix::WithDefaultExtension(fileName);
  if (name.find_first_of("/\\") != std::string::npos) {
    for (char& c : name) {
      c = c == '\\' ? '/' : c;
    }
    return Open(Absolute(name));
  }
  // As on Windows, a module of that name already loaded is the answer, wherever it is.
  if (void* loaded = kv_posix::OpenLoadedModuleByName(name)) {
    return static_cast<HMODULE>(loaded);
  }
  const std::string found = SearchBareName(name);
  if (found.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return Open(found);
}

HMODULE LoadLibraryA(LPCSTR fileName) {
  return LoadLibraryExA(fileName, nullptr, 0);
}

BOOL FreeLibrary(HMODULE module) {
  if (kv_posix::LoadedModuleMap(module) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return dlclose(module) == 0 ? TRUE : FALSE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  // An ordinal (a number in place of the name) has no meaning for a shared object.
  if (kv_posix::LoadedModuleMap(module) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (name == nullptr || IS_INTRESOURCE(name)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* symbol = dlsym(module, name);
  if (symbol == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}
