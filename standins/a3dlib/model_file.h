// Reading and writing the stand-in library's model file (layout in FORMAT.md beside this).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "standins/a3dlib/model.h"

namespace a3dstore {

// The four bytes of each section tag, in file order, read as a little-endian u32.
constexpr uint32_t SectionTag(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
         uint32_t(uint8_t(d)) << 24;
}

constexpr uint8_t kMagic[8] = {0x89, 'K', 'V', 'A', '3', 'D', 0x0D, 0x0A};
constexpr uint16_t kFormatVersion = 1;
constexpr uint32_t kTagModelFile = SectionTag('M', 'O', 'D', 'L');
constexpr uint32_t kTagOccurrences = SectionTag('O', 'C', 'C', 'S');
constexpr uint32_t kTagParts = SectionTag('P', 'A', 'R', 'T');
constexpr uint32_t kTagItems = SectionTag('I', 'T', 'E', 'M');
constexpr uint32_t kTagTessellations = SectionTag('T', 'E', 'S', 'S');

// Whether this machine keeps values in the file's byte order, so that an array's bytes are its
// values' bytes as they stand.
inline bool LittleEndianHost() {
  const uint16_t one = 1;
  uint8_t first = 0;
  std::memcpy(&first, &one, 1);
  return first == 1;
}

enum class LoadStatus {
  kOk = 0,
  kNullArgument,        // no output model, or no data with a nonzero size
  kUnreadable,          // the path cannot be opened or read
  kBadMagic,            // not a model file
  kUnsupportedVersion,  // a format version this loader does not know
  kTruncated,           // the data ends inside a field or a section
  kBadSection,          // a section tag out of order, or a body its records do not fill
  kCountTooLarge,       // a count whose items cannot fit in the bytes that remain
  kBadReference,        // an index outside its table
  kBadValue,            // a field with a value the format does not allow
  kTrailingData,        // bytes after the last section
  kNoMemory,            // the model does not fit in this process's memory
};

// A short English word or two for a status, for messages.
const char* LoadStatusName(LoadStatus status);

// kOk when the model can be written and read back as it is: every reference inside its
// table, names without NUL, known flags and kinds, counts within 32 bits.
LoadStatus CheckModel(const Model& model);

// False (and nothing written) for a model that CheckModel refuses or a file that cannot be
// written.
bool WriteModelFile(const Model& model, std::vector<uint8_t>* bytes);
bool WriteModelFile(const Model& model, const std::string& path);

// The check of every count the loader reads, before anything is allocated for it: `count`
// items of at least `fileBytes` bytes each must fit in the `left` bytes that remain of their
// section (else kCountTooLarge), and `count` values of `memoryBytes` bytes each must be one block
// this process can address (else kNoMemory). No other limit: a file of any size that fits in
// memory loads.
LoadStatus CheckCount(uint64_t count, size_t fileBytes, size_t memoryBytes, uint64_t left);

// On success *out holds the model; on any error *out is left as it was. A file is read as the
// loader goes, never held whole: at the peak only the model itself is in memory.
LoadStatus LoadModelFile(const uint8_t* data, size_t size, Model* out);
LoadStatus LoadModelFile(const std::string& path, Model* out);

}  // namespace a3dstore
