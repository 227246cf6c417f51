// A scratch directory for one test, removed with everything in it (native build).
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

class TempDir {
 public:
  TempDir() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::string pattern = (base / "kv_platform_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
    }
  }
  ~TempDir() {
    std::error_code error;
    if (!path_.empty()) {
      std::filesystem::remove_all(path_, error);
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // A new subdirectory's full path.
  std::string Make(const std::string& name) const {
    std::error_code error;
    std::filesystem::create_directories(path_ + "/" + name, error);
    return path_ + "/" + name;
  }

 private:
  std::string path_;
};
