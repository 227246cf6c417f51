// What the plug-in's in-process tests set around it: environment variables (the plug-in reads
// "temp", the library search reads PATH, the stand-ins read their scenario variables), a
// scratch directory, and build paths in the form the running build's file calls take.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testenv {

// A path of the build tree (given at compile time as a Linux path) as this build names it.
inline std::string BuildPath(const std::string& linuxPath) {
#ifdef _WIN32
  std::string path = "Z:" + linuxPath;
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  return path;
#else
  return linuxPath;
#endif
}

inline char PathSeparator() {
#ifdef _WIN32
  return ';';
#else
  return ':';
#endif
}

// Sets (or, with a null value, removes) a variable both for the C runtime's getenv and, on
// Windows, for the system's own lookups such as the library search.
inline void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
  std::string entry = std::string(name) + "=" + (value ? value : "");
  _putenv(entry.c_str());
  SetEnvironmentVariableA(name, value);
#else
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
#endif
}

// Keeps a variable's value for the span of a test and puts it back afterwards.
class ScopedEnv {
 public:
  // Only keeps the value, to be put back however the test changes it.
  explicit ScopedEnv(const char* name) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) {
      old_ = old;
    }
  }
  ScopedEnv(const char* name, const char* value) : ScopedEnv(name) { SetEnv(name, value); }
  ~ScopedEnv() { SetEnv(name_.c_str(), had_ ? old_.c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::string old_;
  bool had_ = false;
};

// PATH with one directory put first, so the library search finds what that directory holds.
inline std::string PathWith(const std::string& directory) {
  const char* path = std::getenv("PATH");
  return directory + PathSeparator() + (path ? path : "");
}

// A fresh directory removed with its contents at the end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    std::random_device random;
    std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("kv_test_" + std::to_string(random()));
    } while (std::filesystem::exists(path_));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary) << text;
    return File(name);
  }
  // Every file in the directory, by name.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes the bytes through the C runtime's narrow fopen, which takes a name's bytes as they are,
// as the plug-in's own file calls do (the library's path classes may decode names outside ASCII
// otherwise on Windows). False when the file cannot be written whole.
inline bool WriteBytes(const std::string& path, const void* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}
inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  return WriteBytes(path, bytes.data(), bytes.size());
}

// False also for a path the system cannot even look at (too long, say).
inline bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace testenv
