// Reads the model file of FORMAT.md. Every count is checked against the bytes that remain
// before anything is allocated for it, and references are checked once all tables are read.
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "standins/a3dlib/model_file.h"

#include "standins/a3dlib/file_bytes.h"

namespace a3dstore {
namespace {

// The unread rest of a section or of the file.
struct Cursor {
  const uint8_t* at;
  size_t left;
};

bool Take(Cursor* in, size_t count, const uint8_t** bytes) {
  if (in->left < count) {
    return false;
  }
  *bytes = in->at;
  in->at += count;
  in->left -= count;
  return true;
}

uint64_t LittleEndian(const uint8_t* bytes, int count) {
  uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = value << 8 | bytes[i];
  }
  return value;
}

template <class T>
bool Read(Cursor* in, T* value) {
  const uint8_t* bytes = nullptr;
  if (!Take(in, sizeof(T), &bytes)) {
    return false;
  }
  const uint64_t bits = LittleEndian(bytes, sizeof(T));
  if constexpr (std::is_floating_point<T>::value) {
    static_assert(sizeof(T) == sizeof bits, "doubles are 64-bit IEEE values");
    std::memcpy(value, &bits, sizeof bits);
  } else {
    *value = T(bits);
  }
  return true;
}

// A status of the parse so far: the first error wins.
#define KV_TRY(expr)                   \
  do {                                 \
    const LoadStatus status_ = (expr); \
    if (status_ != LoadStatus::kOk) {  \
      return status_;                  \
    }                                  \
  } while (0)

LoadStatus Field(bool read) {
  return read ? LoadStatus::kOk : LoadStatus::kTruncated;
}

// Reads a count and checks that `count` items of at least `itemBytes` bytes each fit.
LoadStatus ReadCount(Cursor* in, size_t itemBytes, uint32_t* count) {
  KV_TRY(Field(Read(in, count)));
  return uint64_t(*count) * itemBytes <= in->left ? LoadStatus::kOk : LoadStatus::kCountTooLarge;
}

bool LittleEndianHost() {
  const uint16_t one = 1;
  uint8_t first = 0;
  std::memcpy(&first, &one, 1);
  return first == 1;
}

template <class T>
LoadStatus ReadArray(Cursor* in, std::vector<T>* values) {
  uint32_t count = 0;
  KV_TRY(ReadCount(in, sizeof(T), &count));
  values->resize(count);
  if (LittleEndianHost()) {
    // The file's bytes are already the values' bytes: one copy of a large array.
    const uint8_t* bytes = nullptr;
    Take(in, sizeof(T) * count, &bytes);  // cannot fail: the count was checked
    if (count > 0) {
      std::memcpy(values->data(), bytes, sizeof(T) * count);
    }
    return LoadStatus::kOk;
  }
  for (T& value : *values) {
    Read(in, &value);  // cannot fail: the count was checked
  }
  return LoadStatus::kOk;
}

LoadStatus ReadBase(Cursor* in, Base* base) {
  uint32_t length = 0;
  KV_TRY(Field(Read(in, &length)));
  if (length != kNoRef) {
    const uint8_t* bytes = nullptr;
    KV_TRY(Field(Take(in, length, &bytes)));
    base->name.emplace(reinterpret_cast<const char*>(bytes), length);
  }
  return Field(Read(in, &base->flags));
}

LoadStatus ReadModelFile(Cursor* in, ModelFileEntry* file) {
  KV_TRY(ReadBase(in, &file->base));
  WriteParams& params = file->writeParams;
  KV_TRY(Field(Read(in, &file->unit) && Read(in, &params.option04) && Read(in, &params.option08) &&
               Read(in, &params.option0A) && Read(in, &params.option0C) &&
               Read(in, &params.option10)));
  return ReadArray(in, &file->occurrences);
}

LoadStatus ReadOccurrence(Cursor* in, Occurrence* occ) {
  KV_TRY(ReadBase(in, &occ->base));
  KV_TRY(
      Field(Read(in, &occ->part) && Read(in, &occ->firstLinked) && Read(in, &occ->secondLinked)));
  return ReadArray(in, &occ->children);
}

LoadStatus ReadPart(Cursor* in, PartDefinition* part) {
  KV_TRY(ReadBase(in, &part->base));
  return ReadArray(in, &part->items);
}

LoadStatus ReadItem(Cursor* in, RepItem* item) {
  KV_TRY(ReadBase(in, &item->base));
  uint8_t kind = 0;
  uint8_t closed = 0;
  uint16_t reserved = 0;
  KV_TRY(Field(Read(in, &kind) && Read(in, &closed) && Read(in, &reserved) &&
               Read(in, &item->tessellation)));
  if (closed > 1 || reserved != 0) {
    return LoadStatus::kBadValue;
  }
  item->kind = ItemKind(kind);  // CheckModel refuses an unknown kind
  item->closed = closed == 1;
  return LoadStatus::kOk;
}

LoadStatus ReadFace(Cursor* in, Face* face) {
  uint16_t reserved = 0;
  KV_TRY(
      Field(Read(in, &face->triangleKind) && Read(in, &reserved) && Read(in, &face->firstIndex)));
  if (reserved != 0) {
    return LoadStatus::kBadValue;
  }
  return ReadArray(in, &face->sizes);
}

constexpr size_t kMinBaseBytes = 8;  // unnamed: length and flags
constexpr size_t kMinFaceBytes = 12;

template <class Row, class ReadRow>
LoadStatus ReadTable(Cursor* in, size_t minRowBytes, std::vector<Row>* rows, ReadRow readRow) {
  uint32_t count = 0;
  KV_TRY(ReadCount(in, minRowBytes, &count));
  rows->resize(count);
  for (Row& row : *rows) {
    KV_TRY(readRow(in, &row));
  }
  return LoadStatus::kOk;
}

LoadStatus ReadTessellation(Cursor* in, Tessellation* tess) {
  KV_TRY(ReadBase(in, &tess->base));
  KV_TRY(Field(Read(in, &tess->type)));
  KV_TRY(ReadArray(in, &tess->coords));
  KV_TRY(ReadArray(in, &tess->normals));
  KV_TRY(ReadArray(in, &tess->indices));
  return ReadTable(in, kMinFaceBytes, &tess->faces, ReadFace);
}

// Checks an array as ReadArray does and passes over its values; answers its count.
template <class T>
LoadStatus SkipArray(Cursor* in, uint32_t* count) {
  KV_TRY(ReadCount(in, sizeof(T), count));
  const uint8_t* bytes = nullptr;
  Take(in, sizeof(T) * *count, &bytes);  // cannot fail: the count was checked
  return LoadStatus::kOk;
}

// A tessellation without its three large arrays; adds its coordinates' count.
LoadStatus ReadTessellationOutline(Cursor* in, Tessellation* tess, uint64_t* coordinates) {
  KV_TRY(ReadBase(in, &tess->base));
  KV_TRY(Field(Read(in, &tess->type)));
  uint32_t count = 0;
  KV_TRY(SkipArray<double>(in, &count));
  *coordinates += count;
  KV_TRY(SkipArray<double>(in, &count));
  KV_TRY(SkipArray<uint32_t>(in, &count));
  return ReadTable(in, kMinFaceBytes, &tess->faces, ReadFace);
}

// Reads one section whose tag must be `tag`; its body must be exactly what readBody reads.
template <class ReadBody>
LoadStatus ReadSection(Cursor* file, uint32_t tag, ReadBody readBody) {
  uint32_t foundTag = 0;
  uint32_t length = 0;
  KV_TRY(Field(Read(file, &foundTag) && Read(file, &length)));
  if (foundTag != tag) {
    return LoadStatus::kBadSection;
  }
  Cursor body{file->at, 0};
  KV_TRY(Field(Take(file, length, &body.at)));
  body.left = length;
  KV_TRY(readBody(&body));
  return body.left == 0 ? LoadStatus::kOk : LoadStatus::kBadSection;
}

template <class Row, class ReadRow>
LoadStatus ReadTableSection(Cursor* file, uint32_t tag, size_t minRowBytes, std::vector<Row>* rows,
                            ReadRow readRow) {
  return ReadSection(file, tag,
                     [&](Cursor* body) { return ReadTable(body, minRowBytes, rows, readRow); });
}

LoadStatus ReadHeader(Cursor* file) {
  const uint8_t* magic = nullptr;
  if (!Take(file, sizeof kMagic, &magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
    return LoadStatus::kBadMagic;
  }
  uint16_t version = 0;
  uint16_t reserved = 0;
  KV_TRY(Field(Read(file, &version) && Read(file, &reserved)));
  if (version != kFormatVersion) {
    return LoadStatus::kUnsupportedVersion;
  }
  return reserved == 0 ? LoadStatus::kOk : LoadStatus::kBadValue;
}

template <class ReadTess>
LoadStatus ReadFile(Cursor* file, Model* model, ReadTess readTess) {
  KV_TRY(ReadHeader(file));
  KV_TRY(ReadSection(file, kTagModelFile,
                     [&](Cursor* body) { return ReadModelFile(body, &model->file); }));
  KV_TRY(ReadTableSection(file, kTagOccurrences, kMinBaseBytes + 16, &model->occurrences,
                          ReadOccurrence));
  KV_TRY(ReadTableSection(file, kTagParts, kMinBaseBytes + 4, &model->parts, ReadPart));
  KV_TRY(ReadTableSection(file, kTagItems, kMinBaseBytes + 8, &model->items, ReadItem));
  KV_TRY(ReadTableSection(file, kTagTessellations, kMinBaseBytes + 20, &model->tessellations,
                          readTess));
  return file->left == 0 ? LoadStatus::kOk : LoadStatus::kTrailingData;
}

#undef KV_TRY

}  // namespace

namespace {

template <class ReadTess>
LoadStatus Load(const uint8_t* data, size_t size, Model* out, ReadTess readTess) {
  if (!out || (!data && size != 0)) {
    return LoadStatus::kNullArgument;
  }
  Cursor file{data, size};
  Model model;
  LoadStatus status = ReadFile(&file, &model, readTess);
  if (status == LoadStatus::kOk) {
    status = CheckModel(model);
  }
  if (status == LoadStatus::kOk) {
    *out = std::move(model);
  }
  return status;
}

}  // namespace

LoadStatus LoadModelFile(const uint8_t* data, size_t size, Model* out) {
  return Load(data, size, out, ReadTessellation);
}

LoadStatus LoadModelOutline(const uint8_t* data, size_t size, Model* out, uint64_t* coordinates) {
  uint64_t counted = 0;
  const LoadStatus status = Load(data, size, out, [&](Cursor* in, Tessellation* tess) {
    return ReadTessellationOutline(in, tess, &counted);
  });
  if (status == LoadStatus::kOk && coordinates) {
    *coordinates = counted;
  }
  return status;
}

LoadStatus LoadModelFile(const std::string& path, Model* out) {
  if (!out) {
    return LoadStatus::kNullArgument;
  }
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, kMaxFileBytes, &bytes)) {
    return LoadStatus::kUnreadable;
  }
  return LoadModelFile(bytes.data(), bytes.size(), out);
}

}  // namespace a3dstore
