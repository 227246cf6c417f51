#include "standins/a3dlib/byte_source.h"

#include <algorithm>
#include <cstring>

namespace a3dstore {

bool MemorySource::Read(void* to, size_t count) {
  if (count > left_) {
    return Fail();
  }
  if (count > 0) {
    std::memcpy(to, at_, count);
  }
  at_ += count;
  left_ -= count;
  return true;
}

size_t FileSource::FromBuffer(uint8_t* to, size_t count) {
  const size_t taken = std::min(count, end_ - at_);
  if (taken > 0) {
    std::memcpy(to, buffer_ + at_, taken);
    at_ += taken;
  }
  return taken;
}

bool FileSource::Refill() {
  at_ = 0;
  end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  return end_ > 0;
}

bool FileSource::Read(void* to, size_t count) {
  uint8_t* into = static_cast<uint8_t*>(to);
  const size_t taken = FromBuffer(into, count);
  into += taken;
  count -= taken;
  if (count >= sizeof buffer_) {
    return std::fread(into, 1, count, file_) == count || Fail();
  }
  if (count > 0 && (!Refill() || FromBuffer(into, count) != count)) {
    return Fail();
  }
  return true;
}

}  // namespace a3dstore
