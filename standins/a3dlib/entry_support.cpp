#include "standins/a3dlib/entry_support.h"

#include <cstdlib>
#include <cstring>

#include "standins/a3dlib/library_log.h"

namespace a3dlib {

ForcedFailure ReadForcedFailure() {
  ForcedFailure forced;
  if (!EnvValue("KV_A3D_FAIL_CALL", &forced.entry)) {
    return forced;
  }
  const size_t colon = forced.entry.find(':');
  if (colon == std::string::npos) {
    forced.call = 1;
    return forced;
  }
  forced.call = std::strtol(forced.entry.c_str() + colon + 1, nullptr, 10);
  forced.entry.erase(colon);  // shortens in place: no allocation
  return forced;
}

bool ForcedToFail(const char* entry) {
  ForcedFailure& forced = State().forced;
  return !forced.entry.empty() && forced.entry == entry && ++forced.calls == forced.call;
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
