// Writes a model as the little-endian, sectioned file that FORMAT.md describes.
//
// Every writer runs twice over the model: once into a counting sink, which gives each section's
// length before its bytes are written and the size of the whole file, and once into the real
// sink. A file is streamed through a small buffer, its large arrays written straight from the
// model, so that writing needs no second copy of them.
#include <cstdio>
#include <cstring>

#include "standins/a3dlib/model_file.h"

namespace a3dstore {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint64_t kMaxSection = 0xFFFFFFFFu;

// Only counts the bytes.
struct CountSink {
  uint64_t size = 0;
  void Put(const void* /*bytes*/, size_t count) { size += count; }
};

// Appends to a vector, which the caller has reserved.
struct VectorSink {
  Bytes* out;
  void Put(const void* bytes, size_t count) {
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    out->insert(out->end(), p, p + count);
  }
};

// Writes to a file: small pieces through a buffer, large ones straight from the caller.
class FileSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Put(const void* bytes, size_t count) {
    if (used_ + count > sizeof buffer_) {
      Flush();
    }
    if (count >= sizeof buffer_) {
      ok_ = ok_ && std::fwrite(bytes, 1, count, file_) == count;
      return;
    }
    std::memcpy(buffer_ + used_, bytes, count);
    used_ += count;
  }
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  void Flush() {
    ok_ = ok_ && std::fwrite(buffer_, 1, used_, file_) == used_;
    used_ = 0;
  }

  std::FILE* file_;
  uint8_t buffer_[1 << 16];
  size_t used_ = 0;
  bool ok_ = true;
};

template <class Sink>
void PutU8(Sink* out, uint8_t value) {
  out->Put(&value, 1);
}

template <class Sink>
void PutU16(Sink* out, uint16_t value) {
  const uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
  out->Put(bytes, sizeof bytes);
}

template <class Sink>
void PutU32(Sink* out, uint32_t value) {
  const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                            uint8_t(value >> 24)};
  out->Put(bytes, sizeof bytes);
}

template <class Sink>
void PutF64(Sink* out, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(out, uint32_t(bits));
  PutU32(out, uint32_t(bits >> 32));
}

// A count and its values: on a little-endian host the values' bytes are already the file's.
template <class Sink, class T>
void PutArray(Sink* out, const std::vector<T>& values) {
  PutU32(out, uint32_t(values.size()));
  if (LittleEndianHost()) {
    if (!values.empty()) {
      out->Put(values.data(), sizeof(T) * values.size());
    }
    return;
  }
  for (const T& value : values) {
    if constexpr (sizeof(T) == 8) {
      PutF64(out, value);
    } else {
      PutU32(out, value);
    }
  }
}

template <class Sink>
void PutBase(Sink* out, const Base& base) {
  if (!base.name) {
    PutU32(out, kNoRef);
  } else {
    PutU32(out, uint32_t(base.name->size()));
    out->Put(base.name->data(), base.name->size());
  }
  PutU32(out, base.flags);
}

template <class Sink>
void PutModelFile(Sink* out, const ModelFileEntry& file) {
  PutBase(out, file.base);
  PutF64(out, file.unit);
  PutU32(out, file.writeParams.option04);
  PutU16(out, file.writeParams.option08);
  PutU16(out, file.writeParams.option0A);
  PutU32(out, file.writeParams.option0C);
  PutU32(out, file.writeParams.option10);
  PutArray(out, file.occurrences);
}

template <class Sink>
void PutOccurrence(Sink* out, const Occurrence& occ) {
  PutBase(out, occ.base);
  PutU32(out, occ.part);
  PutU32(out, occ.firstLinked);
  PutU32(out, occ.secondLinked);
  PutArray(out, occ.children);
}

template <class Sink>
void PutPart(Sink* out, const PartDefinition& part) {
  PutBase(out, part.base);
  PutArray(out, part.items);
}

template <class Sink>
void PutItem(Sink* out, const RepItem& item) {
  PutBase(out, item.base);
  PutU8(out, uint8_t(item.kind));
  PutU8(out, item.closed ? 1 : 0);
  PutU16(out, 0);
  PutU32(out, item.tessellation);
}

template <class Sink>
void PutFace(Sink* out, const Face& face) {
  PutU16(out, face.triangleKind);
  PutU16(out, 0);
  PutU32(out, face.firstIndex);
  PutArray(out, face.sizes);
}

template <class Sink>
void PutTessellation(Sink* out, const Tessellation& tess) {
  PutBase(out, tess.base);
  PutU32(out, uint32_t(tess.type));
  PutArray(out, tess.coords);
  PutArray(out, tess.normals);
  PutArray(out, tess.indices);
  PutU32(out, uint32_t(tess.faces.size()));
  for (const Face& face : tess.faces) {
    PutFace(out, face);
  }
}

// A section: its tag, the length of its body (counted first) and the body. False when the
// body is too long for its 32-bit length.
template <class Sink, class Body>
bool PutSection(Sink* out, uint32_t tag, Body body) {
  CountSink length;
  body(&length);
  if (length.size > kMaxSection) {
    return false;
  }
  PutU32(out, tag);
  PutU32(out, uint32_t(length.size));
  body(out);
  return true;
}

template <class Sink, class Row, class Put>
bool PutTable(Sink* out, uint32_t tag, const std::vector<Row>& rows, Put put) {
  return PutSection(out, tag, [&](auto* sink) {
    PutU32(sink, uint32_t(rows.size()));
    for (const Row& row : rows) {
      put(sink, row);
    }
  });
}

template <class Sink>
bool PutModel(Sink* out, const Model& model) {
  out->Put(kMagic, sizeof kMagic);
  PutU16(out, kFormatVersion);
  PutU16(out, 0);
  return PutSection(out, kTagModelFile, [&](auto* sink) { PutModelFile(sink, model.file); }) &&
         PutTable(out, kTagOccurrences, model.occurrences,
                  [](auto* sink, const Occurrence& row) { PutOccurrence(sink, row); }) &&
         PutTable(out, kTagParts, model.parts,
                  [](auto* sink, const PartDefinition& row) { PutPart(sink, row); }) &&
         PutTable(out, kTagItems, model.items,
                  [](auto* sink, const RepItem& row) { PutItem(sink, row); }) &&
         PutTable(out, kTagTessellations, model.tessellations,
                  [](auto* sink, const Tessellation& row) { PutTessellation(sink, row); });
}

// The size of the model's file; false when it cannot be written.
bool FileSize(const Model& model, uint64_t* size) {
  if (CheckModel(model) != LoadStatus::kOk) {
    return false;
  }
  CountSink count;
  if (!PutModel(&count, model)) {
    return false;
  }
  *size = count.size;
  return true;
}

}  // namespace

bool WriteModelFile(const Model& model, Bytes* bytes) {
  uint64_t size = 0;
  if (!bytes || !FileSize(model, &size) || size > Bytes().max_size()) {
    return false;
  }
  Bytes out;
  out.reserve(size_t(size));
  VectorSink sink{&out};
  PutModel(&sink, model);
  bytes->swap(out);
  return true;
}

bool WriteModelFile(const Model& model, const std::string& path) {
  uint64_t size = 0;
  if (!FileSize(model, &size)) {
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    return false;
  }
  std::setvbuf(file, nullptr, _IONBF, 0);  // the sink has a buffer of its own
  FileSink sink(file);
  PutModel(&sink, model);
  const bool written = sink.Finish();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

}  // namespace a3dstore
