#include "standins/host/handles.h"

#include <cstdio>

namespace standin {
namespace {

const char* KindName(uint32_t kind) {
  static const char* const kNames[] = {"?",      "menubar", "menu",   "item",    "toolbar",
                                       "button", "filesys", "path",   "text",    "viewdoc",
                                       "pddoc",  "page",    "stream", "callback"};
  return kind < sizeof(kNames) / sizeof(kNames[0]) ? kNames[kind] : "?";
}

std::string Hex(uintptr_t value) {
  char text[32];
  std::snprintf(text, sizeof(text), "0x%llx", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

bool HandleIndex(const void* handle, HandleKind kind, size_t* index) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if ((value & ~static_cast<uintptr_t>(0x3FFFFFFFu)) != kHandleTag) {
    return false;
  }
  if (((value >> 24) & 0x3Fu) != static_cast<uint32_t>(kind)) {
    return false;
  }
  uintptr_t low = value & kHandleIndexLimit;
  if (low == 0) {
    return false;
  }
  *index = low - 1;
  return true;
}

std::string ShowHandle(const void* handle) {
  if (handle == nullptr) {
    return "null";
  }
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  uint32_t kind = static_cast<uint32_t>((value >> 24) & 0x3Fu);
  size_t index = 0;
  if (kind == 0 || !HandleIndex(handle, static_cast<HandleKind>(kind), &index) ||
      KindName(kind)[0] == '?') {
    return Hex(value) + "(not a handle)";
  }
  return std::string(KindName(kind)) + "#" + std::to_string(index + 1);
}

HostAnnot MakeAnnot(size_t index) {
  return HostAnnot{kAnnotTag, static_cast<uint32_t>(index + 1)};
}

bool AnnotIndex(HostAnnot annot, size_t* index) {
  if (annot.a != kAnnotTag || annot.b == 0) {
    return false;
  }
  *index = annot.b - 1;
  return true;
}

HostCosObj MakeCos(size_t index) {
  return HostCosObj{kCosTag, static_cast<uint32_t>(index + 1)};
}

bool CosIndex(HostCosObj object, size_t* index) {
  if (object.a != kCosTag || object.b == 0) {
    return false;
  }
  *index = object.b - 1;
  return true;
}

}  // namespace standin
