#include "standins/a3dlib/file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

namespace a3dstore {
namespace {

// What the file is, from its open handle: a directory opens for reading on some systems and
// then claims a size that no allocation could meet. *size is 0 when the system cannot tell.
FileRead KindOf(std::FILE* file, size_t* size) {
  struct stat status = {};
  *size = 0;
  if (fstat(fileno(file), &status) != 0) {
    return FileRead::kOk;  // unknown: the read below is bounded all the same
  }
  if (S_ISDIR(status.st_mode)) {
    return FileRead::kDirectory;
  }
  if (!S_ISREG(status.st_mode)) {
    return FileRead::kNotAFile;
  }
  *size = status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0;
  return FileRead::kOk;
}

FileRead ReadOpenFile(std::FILE* file, size_t limit, std::vector<uint8_t>* bytes) {
  size_t size = 0;
  const FileRead kind = KindOf(file, &size);
  if (kind != FileRead::kOk) {
    return kind;
  }
  if (size > limit) {
    return FileRead::kTooLarge;
  }
  bytes->resize(size);
  bytes->resize(size == 0 ? 0 : std::fread(bytes->data(), 1, size, file));
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

bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) {
  return ReadWholeFile(path, limit, bytes) == FileRead::kOk;
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
