// A whole file read into memory, for the stand-ins that take a file at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace a3dstore {

// The file's bytes: read in one piece at the size it has (a model file is large, and growing
// the array as it comes would copy it over and over), then on to its end in case it has grown.
// False when it cannot be opened or read, or holds more than `limit` bytes.
bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>* bytes);

}  // namespace a3dstore
