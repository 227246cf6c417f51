// Writes a model as the little-endian, sectioned file that FORMAT.md describes.
#include <cstdio>
#include <cstring>

#include "standins/a3dlib/model_file.h"

namespace a3dstore {
namespace {

using Bytes = std::vector<uint8_t>;

void PutU8(Bytes* out, uint8_t value) {
  out->push_back(value);
}

void PutU16(Bytes* out, uint16_t value) {
  PutU8(out, uint8_t(value));
  PutU8(out, uint8_t(value >> 8));
}

void PutU32(Bytes* out, uint32_t value) {
  PutU16(out, uint16_t(value));
  PutU16(out, uint16_t(value >> 16));
}

void PutF64(Bytes* out, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(out, uint32_t(bits));
  PutU32(out, uint32_t(bits >> 32));
}

void PutRefs(Bytes* out, const std::vector<uint32_t>& refs) {
  PutU32(out, uint32_t(refs.size()));
  for (uint32_t ref : refs) {
    PutU32(out, ref);
  }
}

void PutDoubles(Bytes* out, const std::vector<double>& values) {
  PutU32(out, uint32_t(values.size()));
  for (double value : values) {
    PutF64(out, value);
  }
}

void PutBase(Bytes* out, const Base& base) {
  if (!base.name) {
    PutU32(out, kNoRef);
  } else {
    PutU32(out, uint32_t(base.name->size()));
    out->insert(out->end(), base.name->begin(), base.name->end());
  }
  PutU32(out, base.flags);
}

void PutModelFile(Bytes* out, const ModelFileEntry& file) {
  PutBase(out, file.base);
  PutF64(out, file.unit);
  PutU32(out, file.writeParams.option04);
  PutU16(out, file.writeParams.option08);
  PutU16(out, file.writeParams.option0A);
  PutU32(out, file.writeParams.option0C);
  PutU32(out, file.writeParams.option10);
  PutRefs(out, file.occurrences);
}

void PutOccurrence(Bytes* out, const Occurrence& occ) {
  PutBase(out, occ.base);
  PutU32(out, occ.part);
  PutU32(out, occ.firstLinked);
  PutU32(out, occ.secondLinked);
  PutRefs(out, occ.children);
}

void PutPart(Bytes* out, const PartDefinition& part) {
  PutBase(out, part.base);
  PutRefs(out, part.items);
}

void PutItem(Bytes* out, const RepItem& item) {
  PutBase(out, item.base);
  PutU8(out, uint8_t(item.kind));
  PutU8(out, item.closed ? 1 : 0);
  PutU16(out, 0);
  PutU32(out, item.tessellation);
}

void PutFace(Bytes* out, const Face& face) {
  PutU16(out, face.triangleKind);
  PutU16(out, 0);
  PutU32(out, face.firstIndex);
  PutRefs(out, face.sizes);
}

void PutTessellation(Bytes* out, const Tessellation& tess) {
  PutBase(out, tess.base);
  PutU32(out, uint32_t(tess.type));
  PutDoubles(out, tess.coords);
  PutDoubles(out, tess.normals);
  PutRefs(out, tess.indices);
  PutU32(out, uint32_t(tess.faces.size()));
  for (const Face& face : tess.faces) {
    PutFace(out, face);
  }
}

// Opens a section: its tag and a length that CloseSection fills in.
size_t OpenSection(Bytes* out, uint32_t tag) {
  PutU32(out, tag);
  PutU32(out, 0);
  return out->size();
}

bool CloseSection(Bytes* out, size_t bodyStart) {
  const size_t length = out->size() - bodyStart;
  if (length > 0xFFFFFFFFu) {
    return false;
  }
  for (int i = 0; i < 4; ++i) {
    (*out)[bodyStart - 4 + i] = uint8_t(length >> (8 * i));
  }
  return true;
}

template <class Row, class Put>
bool PutTable(Bytes* out, uint32_t tag, const std::vector<Row>& rows, Put put) {
  const size_t body = OpenSection(out, tag);
  PutU32(out, uint32_t(rows.size()));
  for (const Row& row : rows) {
    put(out, row);
  }
  return CloseSection(out, body);
}

}  // namespace

bool WriteModelFile(const Model& model, Bytes* bytes) {
  if (!bytes || CheckModel(model) != LoadStatus::kOk) {
    return false;
  }
  Bytes out(kMagic, kMagic + sizeof kMagic);
  PutU16(&out, kFormatVersion);
  PutU16(&out, 0);
  const size_t body = OpenSection(&out, kTagModelFile);
  PutModelFile(&out, model.file);
  const bool ok = CloseSection(&out, body) &&
                  PutTable(&out, kTagOccurrences, model.occurrences, PutOccurrence) &&
                  PutTable(&out, kTagParts, model.parts, PutPart) &&
                  PutTable(&out, kTagItems, model.items, PutItem) &&
                  PutTable(&out, kTagTessellations, model.tessellations, PutTessellation);
  if (ok) {
    bytes->swap(out);
  }
  return ok;
}

bool WriteModelFile(const Model& model, const std::string& path) {
  Bytes bytes;
  if (!WriteModelFile(model, &bytes)) {
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

}  // namespace a3dstore
