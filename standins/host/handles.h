// The host's handles are numbers, not addresses: a kind and an index in a tagged word, so that
// a stale, foreign or garbage value is recognised and answered with null instead of followed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/acrobat/host_abi.h"

namespace standin {

enum class HandleKind : uint32_t {
  Menubar = 1,
  Menu,
  MenuItem,
  ToolBar,
  ToolButton,
  FileSys,
  PathName,
  Text,
  ViewDoc,
  PdDoc,
  Page,
  Stream,
  Callback,
};

constexpr uintptr_t kHandleTag = 0xC0000000u;
constexpr uintptr_t kHandleIndexLimit = 0x00FFFFFFu;

// The handle of an index; null when the index does not fit.
template <typename H>
H MakeHandle(HandleKind kind, size_t index) {
  if (index >= kHandleIndexLimit) {
    return nullptr;
  }
  uintptr_t value = kHandleTag | (static_cast<uintptr_t>(kind) << 24) | (index + 1);
  return reinterpret_cast<H>(value);
}

// The index of a handle of the kind, when it is one (it may still be out of range).
bool HandleIndex(const void* handle, HandleKind kind, size_t* index);

// "menu#3", "null", or the raw value for something that is no handle of ours.
std::string ShowHandle(const void* handle);

// The 8-byte values: a tag word and an index + 1; {0, 0} is the null Cos object.
constexpr uint32_t kAnnotTag = 0x416E6E74u;
constexpr uint32_t kCosTag = 0x436F734Fu;
HostAnnot MakeAnnot(size_t index);
bool AnnotIndex(HostAnnot annot, size_t* index);
HostCosObj MakeCos(size_t index);
bool CosIndex(HostCosObj object, size_t* index);

}  // namespace standin
