// A model file written field by field as FORMAT.md lays it out, with every count, reference
// and reserved field settable: files the writer never makes. One row in each table.
#pragma once

#include <cstdint>
#include <vector>

namespace a3dtest {

constexpr uint32_t kNone = 0xFFFFFFFFu;

struct RawModelFile {
  uint8_t magic0 = 0x89;
  uint16_t version = 1;
  uint16_t headerReserved = 0;
  bool sectionsSwapped = false;  // OCCS before MODL
  uint32_t extraBodyByte = 0;    // bytes of junk at the end of the PART body
  uint32_t trailingBytes = 0;    // bytes after the last section
  uint32_t nameLength = 4;       // of the model file's name "Name"
  uint8_t nameSecondByte = 'a';
  uint32_t rootCount = 1;
  uint32_t root = 0;
  uint32_t occurrenceRows = 1;
  uint32_t part = 0;
  uint32_t firstLinked = kNone;
  uint32_t secondLinked = kNone;
  uint32_t childCount = 1;
  uint32_t child = 0;  // the occurrence is its own child
  uint32_t partRows = 1;
  uint32_t itemCount = 1;
  uint32_t item = 0;
  uint32_t itemRows = 1;
  uint32_t itemFlags = 0;
  uint8_t itemKind = 1;
  uint8_t closed = 1;
  uint16_t itemReserved = 0;
  uint32_t tessellation = 0;
  uint32_t tessRows = 1;
  uint32_t coordCount = 3;
  uint32_t normalCount = 3;
  uint32_t indexCount = 4;
  uint32_t faceCount = 1;
  uint16_t faceReserved = 0;
  uint32_t sizeCount = 1;
};

std::vector<uint8_t> Encode(const RawModelFile& raw);

}  // namespace a3dtest
