#include "standins/a3dlib/entry_support.h"

#include <cstring>

namespace a3dlib {

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
