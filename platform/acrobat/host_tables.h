// The thirteen host function tables that a plug-in obtains, by name, in one list.
#pragma once

#include "host_abi.h"

// X(identifier): the identifier is also the table's name as the host knows it.
#define KV_HOST_TABLE_LIST(X) \
  X(AcroSupport)              \
  X(Core)                     \
  X(Cos)                      \
  X(PDModel)                  \
  X(PDFEditWrite)             \
  X(PDFEditRead)              \
  X(PDSysFont)                \
  X(PagePDEContent)           \
  X(AcroView)                 \
  X(PDSWrite)                 \
  X(PDSRead)                  \
  X(Win)                      \
  X(ASExtra)

enum class HostTableId : int {
#define KV_TABLE_ID(name) name,
  KV_HOST_TABLE_LIST(KV_TABLE_ID)
#undef KV_TABLE_ID
};

constexpr int kHostTableCount = 0
#define KV_TABLE_COUNT(name) +1
    KV_HOST_TABLE_LIST(KV_TABLE_COUNT)
#undef KV_TABLE_COUNT
    ;

// The table's name as the host knows it ("AcroSupport", "Core", ...).
inline const char* HostTableName(HostTableId id) {
  static const char* const kNames[] = {
#define KV_TABLE_NAME(name) #name,
      KV_HOST_TABLE_LIST(KV_TABLE_NAME)
#undef KV_TABLE_NAME
  };
  return kNames[static_cast<int>(id)];
}

// One obtained table: null until granted, with the version granted (0 until recorded).
struct HostTableSlot {
  HostFunctionTable table;
  uint32_t version;
};

struct HostTableSet {
  HostTableSlot slot[kHostTableCount];
  HostTableSlot& operator[](HostTableId id) { return slot[static_cast<int>(id)]; }
  const HostTableSlot& operator[](HostTableId id) const { return slot[static_cast<int>(id)]; }
};

// The tables through which a module calls its host. The module that calls the host defines it
// (the plug-in's frame fills it at set-up); the typed operations of host_operations.h read it.
extern HostTableSet HostTables;
