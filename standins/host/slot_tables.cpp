// The thirteen tables of 512 slots. An unimplemented slot is a trap of its own that names its
// table and selector, so a plug-in calling outside the known operations stops at once and says
// where.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <type_traits>
#include <utility>

#include "standins/host/host_state.h"
#include "standins/host/operations.h"

namespace standin {
namespace {

HostProc gSlots[kHostTableCount][kHostTableSlots];

template <int Table, int Selector>
void HOSTCALL Trap() {
  std::fprintf(stderr, "standin host: trap: %s selector %d is not implemented\n",
               HostTableName(static_cast<HostTableId>(Table)), Selector);
  std::fflush(stderr);
  std::abort();
}

template <int Table, size_t... Selector>
constexpr std::array<HostProc, kHostTableSlots> TrapRow(std::index_sequence<Selector...>) {
  return {{&Trap<Table, static_cast<int>(Selector)>...}};
}

template <size_t... Table>
constexpr std::array<std::array<HostProc, kHostTableSlots>, kHostTableCount> TrapRows(
    std::index_sequence<Table...>) {
  return {{TrapRow<static_cast<int>(Table)>(std::make_index_sequence<kHostTableSlots>())...}};
}

const std::array<std::array<HostProc, kHostTableSlots>, kHostTableCount> kTraps =
    TrapRows(std::make_index_sequence<kHostTableCount>());

// No two operations may share a slot, and every selector must fit its table.
constexpr bool SlotsAreDistinct() {
  struct Slot {
    HostTableId table;
    int selector;
  };
  constexpr Slot kSlots[] = {
#define KV_OP_SLOT(name, table, selector, result, params, args) {HostTableId::table, selector},
      KV_HOST_OPERATION_LIST(KV_OP_SLOT)
#undef KV_OP_SLOT
  };
  constexpr size_t kCount = sizeof(kSlots) / sizeof(kSlots[0]);
  for (size_t i = 0; i < kCount; ++i) {
    if (kSlots[i].selector < 0 || kSlots[i].selector >= kHostTableSlots) {
      return false;
    }
    for (size_t j = i + 1; j < kCount; ++j) {
      if (kSlots[i].table == kSlots[j].table && kSlots[i].selector == kSlots[j].selector) {
        return false;
      }
    }
  }
  return true;
}
static_assert(SlotsAreDistinct(), "two operations share a slot, or a selector is out of range");

}  // namespace

void InstallHostTables() {
  for (int table = 0; table < kHostTableCount; ++table) {
    for (int selector = 0; selector < kHostTableSlots; ++selector) {
      gSlots[table][selector] = kTraps[table][selector];
    }
  }
#define KV_OP_INSTALL(name, table, selector, result, params, args)  \
  static_assert(std::is_same<decltype(&op::name), name##Fn>::value, \
                #name " must have exactly the type " #name "Fn");   \
  gSlots[static_cast<int>(HostTableId::table)][selector] = reinterpret_cast<HostProc>(&op::name);
  KV_HOST_OPERATION_LIST(KV_OP_INSTALL)
#undef KV_OP_INSTALL
}

HostFunctionTable TableOf(HostTableId id) {
  int index = static_cast<int>(id);
  return index >= 0 && index < kHostTableCount ? gSlots[index] : nullptr;
}

int TableIndexOf(HostFunctionTable table) {
  for (int index = 0; index < kHostTableCount; ++index) {
    if (table == gSlots[index]) {
      return index;
    }
  }
  return -1;
}

}  // namespace standin
