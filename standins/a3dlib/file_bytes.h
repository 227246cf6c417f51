// Files read by the stand-ins: a whole file into memory, and a file's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace a3dstore {

// The size of an open file in 64 bits (a 32-bit build meets files over 2 GiB too), the file
// left at its start. False when it cannot be told, as for a pipe.
bool FileSize(std::FILE* file, uint64_t* size);

// The file's bytes: read in one piece at the size it has (a model file is large, and growing
// the array as it comes would copy it over and over), then on to its end in case it has grown.
// False when it cannot be opened or read, or holds more than `limit` bytes.
bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>* bytes);

}  // namespace a3dstore
