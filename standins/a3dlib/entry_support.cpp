#include "standins/a3dlib/entry_support.h"

#include <cstdlib>
#include <cstring>

#include "standins/a3dlib/library_log.h"

namespace a3dlib {

bool ForcedToFail(const char* entry) {
  std::string text;
  if (!EnvValue("KV_A3D_FAIL_CALL", &text)) {
    return false;
  }
  const size_t colon = text.find(':');
  if (text.compare(0, colon, entry) != 0) {
    return false;
  }
  const long n =
      colon == std::string::npos ? 1 : std::strtol(text.c_str() + colon + 1, nullptr, 10);
  return ++State().forcedCallCount == n;
}

A3dStatus ReadName(const char* name, std::optional<std::string>* out) {
  if (!name) {
    out->reset();
    return kA3dSuccess;
  }
  const size_t length = std::strlen(name);
  if (length >= a3dstore::kNoRef) {
    return kErrTooLarge;
  }
  std::optional<std::string> copy;
  if (!a3dstore::Allocated([&] { copy.emplace(name, length); })) {
    return kErrNoMemory;
  }
  out->swap(copy);
  return kA3dSuccess;
}

unsigned LogId(A3dEntity handle) {
  return unsigned(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace a3dlib
