#include "message_map.h"

#include "object_chain.h"

namespace {

// Deeper than any class chain; stops a map that names itself as its base.
constexpr int kMaxMapDepth = 64;

const AFX_MSGMAP_ENTRY rootEntries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
const AFX_MSGMAP rootMap = {nullptr, &rootEntries[0]};

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  return &rootMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* KvFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT id,
                                           const AFX_MSGMAP** foundIn) {
  for (int depth = 0; map != nullptr && depth < kMaxMapDepth; ++depth) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries;
         entry != nullptr && entry->nSig != AfxSig_end; ++entry) {
      if (entry->nMessage == message && id >= entry->nID && id <= entry->nLastID) {
        if (foundIn != nullptr) {
          *foundIn = map;
        }
        return entry;
      }
    }
    map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr;
  }
  return nullptr;
}
