// The thirteen tables of 512 slots. An unimplemented slot is a trap of its own that names its
// table and selector, so a plug-in calling outside the known operations stops at once and says
// where. Beside the host's own thirteen, every grant is a table of its own whose operations note
// the grant before they run, so that the log tells which table each call came through.
#include <algorithm>
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

// More grants than any plug-in's set-up asks for; each one is a row of procedures below.
constexpr int kGrantLimit = 64;

// The operations as grant Grant (0-based) hands them out.
template <int Grant>
struct Routed {
#define KV_OP_ROUTED(name, table, selector, result, params, args) \
  static result HOSTCALL name params {                            \
    CurrentState().callGrant = Grant + 1;                         \
    return op::name args;                                         \
  }
  KV_HOST_OPERATION_LIST(KV_OP_ROUTED)
#undef KV_OP_ROUTED
};

using GrantInstaller = void (*)(HostTableId table, HostProc* slots);

template <int Grant>
void InstallGrantOperations(HostTableId table, HostProc* slots) {
#define KV_OP_ROUTE(name, tableName, selector, result, params, args)                   \
  static_assert(std::is_same<decltype(&Routed<Grant>::name), name##Fn>::value, #name); \
  if (table == HostTableId::tableName)                                                 \
    slots[selector] = reinterpret_cast<HostProc>(&Routed<Grant>::name);
  KV_HOST_OPERATION_LIST(KV_OP_ROUTE)
#undef KV_OP_ROUTE
}

template <size_t... Grant>
constexpr std::array<GrantInstaller, kGrantLimit> GrantInstallers(std::index_sequence<Grant...>) {
  return {{&InstallGrantOperations<static_cast<int>(Grant)>...}};
}

constexpr std::array<GrantInstaller, kGrantLimit> kGrantInstallers =
    GrantInstallers(std::make_index_sequence<kGrantLimit>());

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

HostFunctionTable NewGrant(HostState& state, HostTableId id, uint32_t version, uint32_t madeBy) {
  const size_t index = state.grants.size();
  const int row = static_cast<int>(id);
  if (index >= static_cast<size_t>(kGrantLimit) || row < 0 || row >= kHostTableCount) {
    return nullptr;
  }
  auto grant = std::make_unique<GrantRec>();
  grant->info = TableGrant{static_cast<uint32_t>(index + 1), HostTableName(id), version, madeBy};
  grant->table = id;
  std::copy(kTraps[row].begin(), kTraps[row].end(), grant->slots.begin());
  kGrantInstallers[index](id, grant->slots.data());
  HostFunctionTable table = grant->slots.data();
  state.grants.push_back(std::move(grant));
  return table;
}

const GrantRec* GrantOf(const HostState& state, HostFunctionTable table) {
  for (const std::unique_ptr<GrantRec>& grant : state.grants) {
    if (table != nullptr && table == grant->slots.data()) {
      return grant.get();
    }
  }
  return nullptr;
}

int TableIndexOf(const HostState& state, HostFunctionTable table) {
  for (int index = 0; index < kHostTableCount; ++index) {
    if (table == gSlots[index]) {
      return index;
    }
  }
  const GrantRec* grant = GrantOf(state, table);
  return grant != nullptr ? static_cast<int>(grant->table) : -1;
}

}  // namespace standin
