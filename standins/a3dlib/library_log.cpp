#include "standins/a3dlib/library_log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

#include "standins/a3dlib/store_memory.h"

namespace a3dlib {
namespace {

#ifdef _WIN32
// The process environment itself, which SetEnvironmentVariableA changes; the C runtime's
// copy may be older.
bool ReadEnv(const char* name, std::string* value) {
  char small[512];
  SetLastError(ERROR_SUCCESS);  // an empty value answers 0 without setting an error
  DWORD length = GetEnvironmentVariableA(name, small, sizeof small);
  if (length == 0) {
    value->clear();
    return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
  }
  if (length < sizeof small) {
    value->assign(small, length);
    return true;
  }
  std::string large(length, '\0');
  length = GetEnvironmentVariableA(name, &large[0], DWORD(large.size()));
  large.resize(length < large.size() ? length : 0);
  *value = large;
  return true;
}
#else
bool ReadEnv(const char* name, std::string* value) {
  const char* found = std::getenv(name);
  if (!found) {
    return false;
  }
  *value = found;
  return true;
}
#endif

}  // namespace

bool EnvValue(const char* name, std::string* value) {
  // A value that cannot be copied counts as unset: it steers only the log and test scenarios.
  bool set = false;
  return a3dstore::CompletedInMemory([&] { set = ReadEnv(name, value); }) && set;
}

void LogLine(const char* format, ...) {
  std::string path;
  if (!EnvValue("KV_A3D_LOG", &path) || path.empty()) {
    return;
  }
  char line[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  line[sizeof line - 1] = '\0';
  std::FILE* file = std::fopen(path.c_str(), "a");
  if (!file) {
    return;
  }
  std::fputs(line, file);
  std::fputc('\n', file);
  std::fclose(file);
}

}  // namespace a3dlib
