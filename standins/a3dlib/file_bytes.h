// Files read by the stand-ins: a whole file into memory, and a file's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace a3dstore {

enum class FileRead {
  kOk = 0,
  kCannotOpen,  // missing, or not readable by this process
  kDirectory,   // a directory stands at the path
  kNotAFile,    // something else that is not a regular file (a device, a pipe)
  kTooLarge,    // more than the caller's limit
  kReadError,   // the read itself failed
  kNotEnoughMemory,
};

// The size of an open file in 64 bits (a 32-bit build meets files over 2 GiB too), the file
// left at its start. False when it cannot be told, as for a pipe.
bool FileSize(std::FILE* file, uint64_t* size);

// The file's bytes: read in one piece at the size it has (a model file is large, and growing
// the array as it comes would copy it over and over), then on to its end in case it has grown.
// Only a regular file of at most `limit` bytes is read; on any other answer *bytes is empty.
FileRead ReadWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes);

// A few words for a result other than kOk, to follow the file's name: "is a directory".
const char* FileReadText(FileRead result);

}  // namespace a3dstore
