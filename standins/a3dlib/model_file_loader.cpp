// Reads the model file of FORMAT.md from a block of memory or straight from a file. Every count
// is checked against the bytes that remain before anything is allocated for it, and references
// are checked once all tables are read.
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "standins/a3dlib/model_file.h"

#include "standins/a3dlib/byte_source.h"
#include "standins/a3dlib/file_bytes.h"
#include "standins/a3dlib/store_memory.h"

namespace a3dstore {
namespace {

// The unread rest of a section or of the file, taken from the source.
struct Cursor {
  ByteSource* source;
  uint64_t left;
};

// The next `count` bytes; false when fewer remain or the source fails.
bool Take(Cursor* in, void* to, size_t count) {
  if (in->left < count || !in->source->Read(to, count)) {
    return false;
  }
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
  uint8_t bytes[sizeof(T)];
  if (!Take(in, bytes, sizeof bytes)) {
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

LoadStatus Room(bool allocated) {
  return allocated ? LoadStatus::kOk : LoadStatus::kNoMemory;
}

// Reads a count of items of at least `fileBytes` bytes each, kept as values of `memoryBytes`.
LoadStatus ReadCount(Cursor* in, size_t fileBytes, size_t memoryBytes, uint32_t* count) {
  KV_TRY(Field(Read(in, count)));
  return CheckCount(*count, fileBytes, memoryBytes, in->left);
}

template <class T>
LoadStatus ReadArray(Cursor* in, std::vector<T>* values) {
  uint32_t count = 0;
  KV_TRY(ReadCount(in, sizeof(T), sizeof(T), &count));
  KV_TRY(Room(Resize(values, count)));
  if (LittleEndianHost()) {
    // The file's bytes are already the values' bytes: read straight into their place.
    return Field(count == 0 || Take(in, values->data(), sizeof(T) * count));
  }
  for (T& value : *values) {
    KV_TRY(Field(Read(in, &value)));
  }
  return LoadStatus::kOk;
}

LoadStatus ReadBase(Cursor* in, Base* base) {
  uint32_t length = 0;
  KV_TRY(Field(Read(in, &length)));
  if (length != kNoRef) {
    KV_TRY(Field(length <= in->left));
    std::string name;
    KV_TRY(Room(FitsInMemory(length, 1) && Allocated([&] { name.resize(length); })));
    KV_TRY(Field(length == 0 || Take(in, &name[0], length)));
    base->name.emplace().swap(name);
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
  KV_TRY(ReadCount(in, minRowBytes, sizeof(Row), &count));
  KV_TRY(Room(Resize(rows, count)));
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

// Reads one section whose tag must be `tag`; its body must be exactly what readBody reads.
template <class ReadBody>
LoadStatus ReadSection(Cursor* file, uint32_t tag, ReadBody readBody) {
  uint32_t foundTag = 0;
  uint32_t length = 0;
  KV_TRY(Field(Read(file, &foundTag) && Read(file, &length)));
  if (foundTag != tag) {
    return LoadStatus::kBadSection;
  }
  KV_TRY(Field(length <= file->left));
  file->left -= length;
  Cursor body{file->source, length};
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
  uint8_t magic[sizeof kMagic];
  if (!Take(file, magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
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

LoadStatus ReadFile(Cursor* file, Model* model) {
  KV_TRY(ReadHeader(file));
  KV_TRY(ReadSection(file, kTagModelFile,
                     [&](Cursor* body) { return ReadModelFile(body, &model->file); }));
  KV_TRY(ReadTableSection(file, kTagOccurrences, kMinBaseBytes + 16, &model->occurrences,
                          ReadOccurrence));
  KV_TRY(ReadTableSection(file, kTagParts, kMinBaseBytes + 4, &model->parts, ReadPart));
  KV_TRY(ReadTableSection(file, kTagItems, kMinBaseBytes + 8, &model->items, ReadItem));
  KV_TRY(ReadTableSection(file, kTagTessellations, kMinBaseBytes + 20, &model->tessellations,
                          ReadTessellation));
  return file->left == 0 ? LoadStatus::kOk : LoadStatus::kTrailingData;
}

#undef KV_TRY

// The model of `size` bytes from the source into *out, which changes only on success. Memory
// that the standard library cannot allocate (a name, a row's own arrays) ends the load as
// kNoMemory like the loader's own allocations; a source that fails makes it kUnreadable.
LoadStatus Load(ByteSource* source, uint64_t size, Model* out) {
  Cursor file{source, size};
  Model model;
  LoadStatus status = LoadStatus::kNoMemory;
  CompletedInMemory([&] { status = ReadFile(&file, &model); });
  if (source->failed()) {
    status = LoadStatus::kUnreadable;
  }
  if (status == LoadStatus::kOk) {
    status = CheckModel(model);
  }
  if (status == LoadStatus::kOk) {
    *out = std::move(model);
  }
  return status;
}

}  // namespace

LoadStatus CheckCount(uint64_t count, size_t fileBytes, size_t memoryBytes, uint64_t left) {
  if (fileBytes != 0 && count > left / fileBytes) {
    return LoadStatus::kCountTooLarge;
  }
  return FitsInMemory(count, memoryBytes) ? LoadStatus::kOk : LoadStatus::kNoMemory;
}

LoadStatus LoadModelFile(const uint8_t* data, size_t size, Model* out) {
  if (!out || (!data && size != 0)) {
    return LoadStatus::kNullArgument;
  }
  MemorySource source(data, size);
  return Load(&source, size, out);
}

LoadStatus LoadModelFile(const std::string& path, Model* out) {
  if (!out) {
    return LoadStatus::kNullArgument;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    return LoadStatus::kUnreadable;
  }
  uint64_t size = 0;
  LoadStatus status = LoadStatus::kUnreadable;
  if (FileSize(file, &size)) {
    FileSource source(file);
    status = Load(&source, size, out);
  }
  std::fclose(file);
  return status;
}

}  // namespace a3dstore
