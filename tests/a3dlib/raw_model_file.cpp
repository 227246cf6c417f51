#include "tests/a3dlib/raw_model_file.h"

#include <cstring>
#include <utility>

namespace a3dtest {
namespace {

using Bytes = std::vector<uint8_t>;

void U8(Bytes* out, uint8_t value) {
  out->push_back(value);
}

void U16(Bytes* out, uint16_t value) {
  U8(out, uint8_t(value));
  U8(out, uint8_t(value >> 8));
}

void U32(Bytes* out, uint32_t value) {
  U16(out, uint16_t(value));
  U16(out, uint16_t(value >> 16));
}

void F64(Bytes* out, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  U32(out, uint32_t(bits));
  U32(out, uint32_t(bits >> 32));
}

void Unnamed(Bytes* out, uint32_t flags = 0) {
  U32(out, kNone);
  U32(out, flags);
}

void Section(Bytes* out, const char* tag, const Bytes& body) {
  out->insert(out->end(), tag, tag + 4);
  U32(out, uint32_t(body.size()));
  out->insert(out->end(), body.begin(), body.end());
}

Bytes ModelSection(const RawModelFile& raw) {
  Bytes body;
  U32(&body, raw.nameLength);
  const uint8_t name[] = {'N', raw.nameSecondByte, 'm', 'e'};
  body.insert(body.end(), name, name + 4);
  U32(&body, 0);  // flags
  F64(&body, 1.0);
  for (int i = 0; i < 4; ++i) {
    U32(&body, 0);  // the write parameters: 4 + 2 + 2 + 4 + 4 bytes
  }
  U32(&body, raw.rootCount);
  U32(&body, raw.root);
  return body;
}

Bytes OccurrenceSection(const RawModelFile& raw) {
  Bytes body;
  U32(&body, raw.occurrenceRows);
  Unnamed(&body);
  U32(&body, raw.part);
  U32(&body, raw.firstLinked);
  U32(&body, raw.secondLinked);
  U32(&body, raw.childCount);
  U32(&body, raw.child);
  return body;
}

Bytes PartSection(const RawModelFile& raw) {
  Bytes body;
  U32(&body, raw.partRows);
  Unnamed(&body);
  U32(&body, raw.itemCount);
  U32(&body, raw.item);
  body.resize(body.size() + raw.extraBodyByte, 0);
  return body;
}

Bytes ItemSection(const RawModelFile& raw) {
  Bytes body;
  U32(&body, raw.itemRows);
  Unnamed(&body, raw.itemFlags);
  U8(&body, raw.itemKind);
  U8(&body, raw.closed);
  U16(&body, raw.itemReserved);
  U32(&body, raw.tessellation);
  return body;
}

Bytes TessSection(const RawModelFile& raw) {
  Bytes body;
  U32(&body, raw.tessRows);
  Unnamed(&body);
  U32(&body, 172);
  U32(&body, raw.coordCount);
  for (double c : {0.0, 1.0, 2.0}) {
    F64(&body, c);
  }
  U32(&body, raw.normalCount);
  for (double n : {0.0, 0.0, 1.0}) {
    F64(&body, n);
  }
  U32(&body, raw.indexCount);
  for (uint32_t index : {0u, 0u, 0u, 0u}) {
    U32(&body, index);
  }
  U32(&body, raw.faceCount);
  U16(&body, 0x20);
  U16(&body, raw.faceReserved);
  U32(&body, 0);  // first index
  U32(&body, raw.sizeCount);
  U32(&body, 1);
  return body;
}

}  // namespace

std::vector<uint8_t> Encode(const RawModelFile& raw) {
  Bytes out = {raw.magic0, 'K', 'V', 'A', '3', 'D', 0x0D, 0x0A};
  U16(&out, raw.version);
  U16(&out, raw.headerReserved);
  std::pair<const char*, Bytes> first{"MODL", ModelSection(raw)};
  std::pair<const char*, Bytes> second{"OCCS", OccurrenceSection(raw)};
  if (raw.sectionsSwapped) {
    std::swap(first, second);
  }
  Section(&out, first.first, first.second);
  Section(&out, second.first, second.second);
  Section(&out, "PART", PartSection(raw));
  Section(&out, "ITEM", ItemSection(raw));
  Section(&out, "TESS", TessSection(raw));
  out.resize(out.size() + raw.trailingBytes, 0);
  return out;
}

}  // namespace a3dtest
