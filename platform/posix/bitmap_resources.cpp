// Bitmap resources on the native build. Each module links its own copy of this layer, so
// the records below belong to the module that registered them and vanish with it. A request
// for another module's bitmap goes to that module's copy through one exported lookup.
#include <dlfcn.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

#include "module_list.h"

// Exported from every module that holds records, so that another module's LoadBitmapA can
// reach this module's copy. Answers the bytes and size of a record, or null.
extern "C" __attribute__((visibility("default"))) const unsigned char* KvModuleBitmapResource(
    const link_map* module, int id, size_t* size);

namespace {

constexpr uint32_t kBitmapMagic = 0x4B564246;  // "KVBF"

// The object behind an HBITMAP: plain, so that any module's copy can read it.
struct Bitmap {
  uint32_t magic;
  size_t size;
  unsigned char bits[1];
};

struct Record {
  const link_map* module;
  const void* anchor;
  int id;
  const unsigned char* dib;
  size_t size;
};

std::mutex registryLock;

// Built by the first registration, so it outlives every static object that registers.
std::vector<Record>& Registry() {
  static std::vector<Record> records;
  return records;
}

// The bitmaps this copy made and has not deleted. Answering from here never reads a handle,
// so a deleted one can be asked about.
std::set<const void*>& LiveBitmaps() {
  static std::set<const void*> live;
  return live;
}

const Bitmap* AsBitmap(const void* handle) {
  const Bitmap* bitmap = static_cast<const Bitmap*>(handle);
  return bitmap != nullptr && bitmap->magic == kBitmapMagic ? bitmap : nullptr;
}

HBITMAP NewBitmap(const unsigned char* dib, size_t size) {
  if (size > SIZE_MAX - sizeof(Bitmap)) {
    return nullptr;
  }
  Bitmap* bitmap = static_cast<Bitmap*>(malloc(sizeof(Bitmap) + size));
  if (bitmap == nullptr) {
    return nullptr;
  }
  bitmap->magic = kBitmapMagic;
  bitmap->size = size;
  if (size > 0) {
    memcpy(bitmap->bits, dib, size);
  }
  std::lock_guard<std::mutex> hold(registryLock);
  LiveBitmaps().insert(bitmap);
  return reinterpret_cast<HBITMAP>(bitmap);
}

// Another module's record, asked of that module's own copy of this layer.
const unsigned char* ForeignRecord(const link_map* module, int id, size_t* size) {
  using Lookup = const unsigned char* (*)(const link_map*, int, size_t*);
  void* symbol = dlsym(const_cast<link_map*>(module), "KvModuleBitmapResource");
  // dlsym also searches the module's dependencies: only the module's own copy answers.
  if (symbol == nullptr || kv_posix::ModuleMapOfAddress(symbol) != module) {
    return nullptr;
  }
  return reinterpret_cast<Lookup>(symbol)(module, id, size);
}

// This copy's own record. Called directly inside the module: a call to the exported name
// could bind to another module's copy.
const unsigned char* OwnRecord(const link_map* module, int id, size_t* size) {
  std::lock_guard<std::mutex> hold(registryLock);
  for (const Record& record : Registry()) {
    if (record.module == module && record.id == id) {
      *size = record.size;
      return record.dib;
    }
  }
  return nullptr;
}

}  // namespace

extern "C" const unsigned char* KvModuleBitmapResource(const link_map* module, int id,
                                                       size_t* size) {
  return size != nullptr ? OwnRecord(module, id, size) : nullptr;
}

void KvRegisterBitmapResource(const void* moduleAnchor, int id, const unsigned char* dib,
                              size_t size) {
  const link_map* module = kv_posix::ModuleMapOfAddress(moduleAnchor);
  if (module == nullptr || (dib == nullptr && size > 0)) {
    return;
  }
  std::lock_guard<std::mutex> hold(registryLock);
  Registry().push_back(Record{module, moduleAnchor, id, dib, size});
}

void KvUnregisterBitmapResource(const void* moduleAnchor, int id) {
  std::lock_guard<std::mutex> hold(registryLock);
  std::vector<Record>& records = Registry();
  for (size_t i = records.size(); i-- > 0;) {
    if (records[i].anchor == moduleAnchor && records[i].id == id) {
      records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) {
    return nullptr;  // resources are registered by number only
  }
  const link_map* module =
      instance == nullptr ? kv_posix::ProgramMap() : kv_posix::LoadedModuleMap(instance);
  if (module == nullptr) {
    return nullptr;
  }
  const int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
  size_t size = 0;
  const unsigned char* dib = OwnRecord(module, id, &size);
  if (dib == nullptr && module != kv_posix::ModuleMapOfAddress(&registryLock)) {
    dib = ForeignRecord(module, id, &size);
  }
  return dib != nullptr ? NewBitmap(dib, size) : nullptr;
}

const unsigned char* KvBitmapBits(HBITMAP bitmap, size_t* size) {
  const Bitmap* object = AsBitmap(bitmap);
  if (object == nullptr) {
    return nullptr;
  }
  if (size != nullptr) {
    *size = object->size;
  }
  return object->bits;
}

BOOL KvBitmapLive(HBITMAP bitmap) {
  std::lock_guard<std::mutex> hold(registryLock);
  return LiveBitmaps().count(bitmap) != 0 ? TRUE : FALSE;
}

BOOL DeleteObject(HGDIOBJ object) {
  {
    std::lock_guard<std::mutex> hold(registryLock);
    LiveBitmaps().erase(object);
  }
  Bitmap* bitmap = const_cast<Bitmap*>(AsBitmap(object));
  if (bitmap == nullptr) {
    return FALSE;
  }
  bitmap->magic = 0;
  free(bitmap);
  return TRUE;
}
