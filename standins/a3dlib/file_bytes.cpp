#include "standins/a3dlib/file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

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

// What the file is, from its open handle: a directory opens for reading on some systems and
// then claims a size that no allocation could meet.
FileRead KindOf(std::FILE* file) {
  struct stat status = {};
  if (fstat(fileno(file), &status) != 0) {
    return FileRead::kOk;  // unknown: the read below is bounded all the same
  }
  if (S_ISDIR(status.st_mode)) {
    return FileRead::kDirectory;
  }
  return S_ISREG(status.st_mode) ? FileRead::kOk : FileRead::kNotAFile;
}

FileRead ReadOpenFile(std::FILE* file, size_t limit, std::vector<uint8_t>* bytes) {
  const FileRead kind = KindOf(file);
  if (kind != FileRead::kOk) {
    return kind;
  }
  uint64_t size = 0;
  if (!FileSize(file, &size)) {
    size = 0;  // read on to the end all the same
  }
  if (size > limit) {
    return FileRead::kTooLarge;
  }
  bytes->resize(size_t(size));
  bytes->resize(size == 0 ? 0 : std::fread(bytes->data(), 1, size_t(size), file));
  uint8_t chunk[64 * 1024];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (got > limit - bytes->size()) {
      return FileRead::kTooLarge;
    }
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  return std::ferror(file) == 0 ? FileRead::kOk : FileRead::kReadError;
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

FileRead ReadWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) {
  bytes->clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    // Windows refuses to open a directory as a file at all: say which it was all the same.
    struct stat status = {};
    const bool directory = stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    return directory ? FileRead::kDirectory : FileRead::kCannotOpen;
  }
  FileRead result = FileRead::kNotEnoughMemory;
  try {
    result = ReadOpenFile(file, limit, bytes);
  } catch (const std::bad_alloc&) {
    // a file within the limit that memory cannot hold: refused like any other
  }
  std::fclose(file);
  if (result != FileRead::kOk) {
    std::vector<uint8_t>().swap(*bytes);
  }
  return result;
}

const char* FileReadText(FileRead result) {
  switch (result) {
    case FileRead::kOk:
      return "was read";
    case FileRead::kCannotOpen:
      return "cannot be opened";
    case FileRead::kDirectory:
      return "is a directory";
    case FileRead::kNotAFile:
      return "is not a regular file";
    case FileRead::kTooLarge:
      return "is too large";
    case FileRead::kReadError:
      return "could not be read";
    case FileRead::kNotEnoughMemory:
      return "does not fit in memory";
  }
  return "could not be read";
}

}  // namespace a3dstore
