// The block behind a CString: a header, then the characters and their NUL. Private to the
// module.
#pragma once

#include <climits>
#include <cstddef>

namespace kv_mfc {

struct StringHeader {
  int length;
  int capacity;  // characters that fit, without the NUL; 0 only for the shared empty string
};

// The largest capacity whose block size fits an int, as the lengths do.
constexpr int kMaxStringCapacity = INT_MAX - static_cast<int>(sizeof(StringHeader)) - 1;

// The characters of the shared empty string: never written, never freed.
char* EmptyStringData();
inline StringHeader* HeaderOf(char* data) {
  return reinterpret_cast<StringHeader*>(data - sizeof(StringHeader));
}
inline const StringHeader* HeaderOf(const char* data) {
  return reinterpret_cast<const StringHeader*>(data - sizeof(StringHeader));
}
// A new block with room for capacity characters, holding the empty string; null on failure
// or for a capacity outside [1, kMaxStringCapacity].
char* AllocateStringData(int capacity);
void FreeStringData(char* data);

}  // namespace kv_mfc
