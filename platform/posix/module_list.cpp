#include "module_list.h"

#include <dlfcn.h>
#include <link.h>
#include <strings.h>
#include <unistd.h>

#include <climits>
#include <vector>

namespace kv_posix {

std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithDefaultExtension(const std::string& name) {
  const std::string file = FileNamePart(name);
  if (file.empty()) {
    return name;
  }
  if (file.back() == '.') {
    return name.substr(0, name.size() - 1);
  }
  return file.find('.') == std::string::npos ? name + ".dll" : name;
}

std::string ProgramPath() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) {
    return std::string();
  }
  return std::string(buffer, static_cast<size_t>(length));
}

const link_map* ProgramMap() {
  void* self = dlopen(nullptr, RTLD_NOW);
  if (self == nullptr) {
    return nullptr;
  }
  link_map* map = nullptr;
  if (dlinfo(self, RTLD_DI_LINKMAP, &map) != 0) {
    map = nullptr;
  }
  dlclose(self);
  return map;
}

const link_map* LoadedModuleMap(HMODULE module) {
  if (module == nullptr) {
    return nullptr;
  }
  for (const link_map* map = ProgramMap(); map != nullptr; map = map->l_next) {
    if (static_cast<const void*>(map) == static_cast<const void*>(module)) {
      return map;
    }
  }
  return nullptr;
}

const link_map* ModuleMapOfAddress(const void* address) {
  Dl_info info;
  link_map* map = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) {
    return nullptr;
  }
  return map;
}

namespace {

int CollectName(dl_phdr_info* info, size_t, void* names) {
  static_cast<std::vector<std::string>*>(names)->push_back(info->dlpi_name ? info->dlpi_name : "");
  return 0;
}

}  // namespace

void* OpenLoadedModuleByName(const std::string& fileName) {
  // dlopen is not called from inside the walk: the walk holds the loader's lock.
  std::vector<std::string> names;
  dl_iterate_phdr(CollectName, &names);
  for (const std::string& path : names) {
    const bool program = path.empty();
    const std::string file = FileNamePart(program ? ProgramPath() : path);
    if (file.empty() || strcasecmp(file.c_str(), fileName.c_str()) != 0) {
      continue;
    }
    void* handle =
        program ? dlopen(nullptr, RTLD_NOW) : dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
      return handle;
    }
  }
  return nullptr;
}

}  // namespace kv_posix
