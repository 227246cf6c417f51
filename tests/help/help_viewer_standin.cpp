// The help viewer of the Help tests: it stands where the system's opener of a .chm file would
// be (registered for .chm in the tests' wine prefix; named xdg-open first on PATH natively), so
// that Help starts no real viewer. It shows nothing and ends at once: it appends to the file
// that KV_HELP_LOG names what it was given and whether that is a compiled help file.
#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A compiled help file begins with the signature "ITSF".
bool IsCompiledHelp(const char* path) {
  char signature[4] = {};
  std::FILE* file = std::fopen(path, "rb");
  if (!file)
    return false;
  const bool read = std::fread(signature, 1, sizeof(signature), file) == sizeof(signature);
  std::fclose(file);
  return read && std::memcmp(signature, "ITSF", 4) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* logName = std::getenv("KV_HELP_LOG");
  std::FILE* log = logName ? std::fopen(logName, "ab") : nullptr;
  if (!log)
    return 1;
  const char* path = argc > 1 ? argv[1] : "";
  std::fprintf(log, "viewer: \"%s\", %s, %d argument(s)", path,
               IsCompiledHelp(path) ? "a compiled help file" : "not a compiled help file",
               argc - 1);
#ifdef _WIN32
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  GetStartupInfoA(&startup);
  if (startup.dwFlags & STARTF_USESHOWWINDOW)
    std::fprintf(log, ", show command %d", startup.wShowWindow);
#endif
  std::fprintf(log, "\n");
  std::fclose(log);
  return 0;
}
