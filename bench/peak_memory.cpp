#include "bench/peak_memory.h"

#include <malloc.h>

#include <cstdio>
#include <cstring>

namespace {

// A "Name:   1234 kB" line of /proc/self/status, in bytes; 0 when missing.
size_t StatusBytes(const char* name) {
  std::FILE* file = std::fopen("/proc/self/status", "r");
  if (!file)
    return 0;
  char line[256];
  size_t kb = 0;
  const size_t length = std::strlen(name);
  while (std::fgets(line, sizeof line, file)) {
    if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
      std::sscanf(line + length + 1, "%zu", &kb);
      break;
    }
  }
  std::fclose(file);
  return kb * 1024;
}

bool ResetHighWaterMark() {
  std::FILE* file = std::fopen("/proc/self/clear_refs", "w");
  if (!file)
    return false;
  const bool written = std::fputs("5", file) >= 0;
  return std::fclose(file) == 0 && written;
}

}  // namespace

bool PeakMeter::Start() {
  malloc_trim(0);
  ok_ = ResetHighWaterMark();
  start_ = StatusBytes("VmRSS");
  return ok_;
}

size_t PeakMeter::PeakBytes() const {
  const size_t peak = StatusBytes("VmHWM");
  return ok_ && peak > start_ ? peak - start_ : 0;
}
