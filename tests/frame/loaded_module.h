// The built module loaded as the host loads it: from bin/, where its help file lies beside it,
// or as a copy in a directory of its own, with no help file.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/support/test_env.h"

inline std::string BuiltModulePath() {
  return testenv::BuildPath(KV_BIN_DIR "/Korvalume.api");
}

class LoadedModule {
 public:
  explicit LoadedModule(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}
  ~LoadedModule() { Unload(); }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  void Unload() {
    if (module_)
      FreeLibrary(module_);
    module_ = nullptr;
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

// A copy of the built module, loaded from a fresh scratch directory (or a directory below it)
// where no Korvalume.chm lies: Help run while it is loaded looks there and starts no viewer.
class ModuleCopy {
 public:
  explicit ModuleCopy(const std::string& below = std::string())
      : directory_(Place(scratch_.path(), below)), module_(directory_ + Separator() + kName) {}
  const std::string& directory() const { return directory_; }
  HMODULE get() const { return module_.get(); }

 private:
  static constexpr const char* kName = "Korvalume.api";
  static char Separator() { return static_cast<char>(std::filesystem::path::preferred_separator); }
  static std::string Place(const std::string& scratch, const std::string& below) {
    std::filesystem::path directory(scratch);
    if (!below.empty())
      directory /= below;
    std::filesystem::create_directories(directory);
    std::filesystem::copy_file(BuiltModulePath(), directory / kName);
    return directory.string();
  }

  testenv::ScratchDir scratch_;
  std::string directory_;
  LoadedModule module_;
};
