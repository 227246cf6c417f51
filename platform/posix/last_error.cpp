#include <windows.h>

namespace {
// note: one value for the process, not one a thread: everything here runs on the host's one
// thread, and thread-local storage in a module that is unloaded again confuses the leak checker.
DWORD lastError = 0;
}  // namespace

DWORD GetLastError() {
  return lastError;
}

void SetLastError(DWORD error) {
  lastError = error;
}
