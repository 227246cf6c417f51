// Atoms, callbacks and the tables themselves (Core 5, 8, 10; AcroSupport 103).
#include "standins/host/handles.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

int TableNamed(const std::string& name) {
  for (int index = 0; index < kHostTableCount; ++index) {
    if (name == HostTableName(static_cast<HostTableId>(index))) {
      return index;
    }
  }
  return -1;
}

bool Refused(const Scenario& scenario, const std::string& name, uint32_t version) {
  auto found = scenario.refusedTables.find(name);
  return found != scenario.refusedTables.end() && found->second.count(version) != 0;
}

// A grant answers the version it was made for; the host's own table the version at which its
// name was last granted.
uint32_t VersionAnswer(const HostState& state, const std::string& name, const GrantRec* grant) {
  auto answer = state.scenario.versionAnswers.find(name);
  if (answer != state.scenario.versionAnswers.end()) {
    return answer->second;
  }
  if (grant != nullptr) {
    return grant->info.version;
  }
  auto granted = state.grantedVersion.find(name);
  return granted != state.grantedVersion.end() ? granted->second : 0;
}

}  // namespace

HostAtom InternAtom(HostState& state, const std::string& text) {
  auto found = state.atoms.ids.find(text);
  if (found != state.atoms.ids.end()) {
    return found->second;
  }
  if (state.atoms.names.size() > 0xFFFF) {
    return 0;  // the host has run out of atoms
  }
  HostAtom atom = static_cast<HostAtom>(state.atoms.names.size());
  state.atoms.names.push_back(text);
  state.atoms.ids.emplace(text, atom);
  return atom;
}

std::string AtomText(const HostState& state, HostAtom atom) {
  return atom < state.atoms.names.size() ? state.atoms.names[atom] : std::string();
}

HostAtom HOSTCALL op::HostAtomFromString(const char* text) {
  OpCall call(OpId::HostAtomFromString, Args({Quote(text)}));
  if (call.Failed() || text == nullptr) {
    return call.Answer<HostAtom>(0, "atom 0");
  }
  HostState& state = call.state();
  state.atomRequests.push_back(text);
  HostAtom atom = InternAtom(state, text);
  return call.Answer(atom, ShowAtom(state, atom));
}

HostCallback HOSTCALL op::HostMakeCallback(uint32_t extensionId, HostProc proc) {
  OpCall call(OpId::HostMakeCallback,
              Args({Hex32(extensionId), ShowPointer(reinterpret_cast<const void*>(proc))}));
  HostState& state = call.state();
  if (call.Failed() || proc == nullptr) {
    return call.Answer<HostCallback>(nullptr, "null");
  }
  HostCallback callback = MakeHandle<HostCallback>(HandleKind::Callback, state.callbacks.size());
  if (callback != nullptr) {
    state.callbacks.push_back(CallbackRec{extensionId, proc});
  }
  return call.Answer(callback, ShowHandle(callback));
}

HostFunctionTable HOSTCALL op::HostGetTable(HostAtom name, uint32_t version) {
  HostState& state = CurrentState();
  OpCall call(OpId::HostGetTable, Args({ShowAtom(state, name), Hex32(version)}));
  std::string text = AtomText(state, name);
  int index = name == 0 ? -1 : TableNamed(text);
  bool granted = !call.Failed() && index >= 0 && !Refused(state.scenario, text, version);
  HostFunctionTable table =
      granted ? NewGrant(state, static_cast<HostTableId>(index), version, call.Number()) : nullptr;
  if (granted && table == nullptr) {
    call.Note("no grant left");
    granted = false;
  }
  if (granted) {
    state.grantedVersion[text] = version;
  }
  state.tableRequests.push_back(
      TableRequest{text, version, granted, VersionAnswer(state, text, GrantOf(state, table))});
  if (!granted) {
    if (index < 0 && !call.Failed()) {
      call.Note("no such table");
    }
    return call.Answer<HostFunctionTable>(nullptr, "null (refused)");
  }
  return call.Answer(table, ShowTable(state, table));
}

uint32_t HOSTCALL op::HostTableVersion(HostFunctionTable table) {
  HostState& state = CurrentState();
  OpCall call(OpId::HostTableVersion, Args({ShowTable(state, table)}));
  int index = TableIndexOf(state, table);
  if (call.Failed() || index < 0) {
    return call.Answer<uint32_t>(0xFFFFFFFFu, Hex32(0xFFFFFFFFu));
  }
  uint32_t version =
      VersionAnswer(state, HostTableName(static_cast<HostTableId>(index)), GrantOf(state, table));
  return call.Answer(version, Hex32(version));
}

}  // namespace standin
