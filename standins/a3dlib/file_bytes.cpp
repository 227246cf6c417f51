#include "standins/a3dlib/file_bytes.h"

#include <cstdio>

namespace a3dstore {
namespace {

// The file's size when it can be told, else 0.
size_t SizeOf(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0)
    return 0;
  const long size = std::ftell(file);
  std::rewind(file);
  return size > 0 ? static_cast<size_t>(size) : 0;
}

bool ReadOpenFile(std::FILE* file, size_t limit, std::vector<uint8_t>* bytes) {
  const size_t size = SizeOf(file);
  if (size > limit)
    return false;
  bytes->resize(size);
  bytes->resize(size == 0 ? 0 : std::fread(bytes->data(), 1, size, file));
  uint8_t chunk[64 * 1024];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (bytes->size() + got > limit)
      return false;
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  return std::ferror(file) == 0;
}

}  // namespace

bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file)
    return false;
  const bool read = ReadOpenFile(file, limit, bytes);
  std::fclose(file);
  return read;
}

}  // namespace a3dstore
