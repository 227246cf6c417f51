#include "standins/a3dlib/file_bytes.h"

namespace a3dstore {
namespace {

#ifdef _WIN32
// The C runtime's 64-bit seek and tell (emulated by MinGW where the system's runtime lacks them).
int SeekEnd(std::FILE* file) {
  return _fseeki64(file, 0, SEEK_END);
}
int64_t Tell(std::FILE* file) {
  return _ftelli64(file);
}
#else
int SeekEnd(std::FILE* file) {
  return fseeko(file, 0, SEEK_END);
}
int64_t Tell(std::FILE* file) {
  return ftello(file);
}
#endif

bool ReadOpenFile(std::FILE* file, size_t limit, std::vector<uint8_t>* bytes) {
  uint64_t size = 0;
  if (!FileSize(file, &size)) {
    size = 0;  // read on to the end all the same
  }
  if (size > limit)
    return false;
  bytes->resize(size_t(size));
  bytes->resize(size == 0 ? 0 : std::fread(bytes->data(), 1, size_t(size), file));
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

bool FileSize(std::FILE* file, uint64_t* size) {
  if (SeekEnd(file) != 0) {
    return false;
  }
  const int64_t end = Tell(file);
  std::rewind(file);
  if (end < 0) {
    return false;
  }
  *size = uint64_t(end);
  return true;
}

bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file)
    return false;
  const bool read = ReadOpenFile(file, limit, bytes);
  std::fclose(file);
  return read;
}

}  // namespace a3dstore
