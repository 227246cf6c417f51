// The host's side of loading a plug-in: the entry point, the set-up, the handshake and the
// four callbacks it hands back. Each call into the plug-in is logged around the host calls it
// makes.
#include "standins/host/handles.h"
#include "standins/host/host_state.h"
#include "standins/host/op_call.h"

namespace standin {

size_t BeginPlugInCall(HostState& state, const std::string& name, const std::string& arguments) {
  CallRecord record;
  record.intoPlugIn = true;
  record.operation = name;
  record.arguments = arguments;
  record.result = "(running)";
  state.log.push_back(std::move(record));
  return state.log.size() - 1;
}

HostBool EndPlugInCall(HostState& state, size_t record, HostBool result, const std::string& note) {
  state.log[record].result = ShowBool(result);
  state.log[record].note = note;
  return result;
}

HostBool RefusePlugInCall(HostState& state, const std::string& name, const std::string& why) {
  return EndPlugInCall(state, BeginPlugInCall(state, name, ""), kHostFalse, why);
}

HostBool Host::CallPlugInMain(PlugInMainProc main, void* moduleInstance, void* hostWindow,
                              uint32_t hostHandshakeVersion) {
  HostState& state = *state_;
  PlugInRecord& plugIn = state.plugIn;
  if (main == nullptr) {
    return RefusePlugInCall(state, "PlugInMain", "no entry point");
  }
  plugIn.mainCalled = true;
  plugIn.hostHandshakeVersion = hostHandshakeVersion;
  plugIn.agreedVersion = 0;
  plugIn.setupProc = nullptr;
  plugIn.windowsData.hostWindow = hostWindow;
  plugIn.windowsData.moduleInstance = moduleInstance;
  size_t record = BeginPlugInCall(state, "PlugInMain", Hex32(hostHandshakeVersion));
  plugIn.mainResult =
      main(hostHandshakeVersion, &plugIn.agreedVersion, &plugIn.setupProc, &plugIn.windowsData);
  return EndPlugInCall(state, record, plugIn.mainResult,
                       "agreed " + Hex32(plugIn.agreedVersion) + ", set-up " +
                           ShowPointer(reinterpret_cast<const void*>(plugIn.setupProc)));
}

HostBool Host::CallSetup(uint32_t version, uint32_t recordVersion, HostCallback handshakeField) {
  HostState& state = *state_;
  PlugInRecord& plugIn = state.plugIn;
  if (plugIn.setupProc == nullptr) {
    return RefusePlugInCall(state, "set-up", "no set-up procedure");
  }
  // the record's "Core" is a grant of its own, like every table the plug-in asks for later
  HostFunctionTable core = NewGrant(state, HostTableId::Core, kHandshakeVersion, 0);
  if (core == nullptr) {
    return RefusePlugInCall(state, "set-up", "no grant left for the Core table");
  }
  plugIn.setupData = SdkSetupData{recordVersion, state.scenario.extensionId, core, handshakeField};
  plugIn.setupCalled = true;
  size_t record = BeginPlugInCall(
      state, "set-up",
      Hex32(version) + ", {" + Hex32(recordVersion) + ", " + Hex32(state.scenario.extensionId) +
          ", " + ShowTable(state, core) + ", " + ShowHandle(handshakeField) + "}");
  plugIn.setupResult = plugIn.setupProc(version, &plugIn.setupData);
  return EndPlugInCall(state, record, plugIn.setupResult,
                       "handshake callback " + ShowHandle(plugIn.setupData.handshakeCallback));
}

HostBool Host::CallHandshake(uint32_t version) {
  HostState& state = *state_;
  PlugInRecord& plugIn = state.plugIn;
  HostProc proc = ProcOf(plugIn.setupData.handshakeCallback);
  if (proc == nullptr) {
    return RefusePlugInCall(state, "handshake", "no handshake callback in the set-up record");
  }
  plugIn.handshakeData = HandshakeData{};
  plugIn.handshakeData.handshakeVersion = version;
  plugIn.handshakeCalled = true;
  size_t record = BeginPlugInCall(state, "handshake", Hex32(version));
  plugIn.handshakeResult = reinterpret_cast<HandshakeProc>(proc)(version, &plugIn.handshakeData);
  const HandshakeData& data = plugIn.handshakeData;
  return EndPlugInCall(state, record, plugIn.handshakeResult,
                       "name " + ShowAtom(state, data.extensionName) + ", export " +
                           ShowHandle(data.exportTables) + ", import " +
                           ShowHandle(data.importReplaceAndRegister) + ", init " +
                           ShowHandle(data.init) + ", unload " + ShowHandle(data.unload));
}

namespace {

HostBool CallExtension(Host& host, HostCallback callback, const char* name) {
  HostState& state = host.state();
  HostProc proc = host.ProcOf(callback);
  if (proc == nullptr) {
    return RefusePlugInCall(state, name, "no callback");
  }
  size_t record = BeginPlugInCall(state, name, "");
  return EndPlugInCall(state, record, reinterpret_cast<ExtensionProc>(proc)());
}

}  // namespace

HostBool Host::CallInit() {
  return CallExtension(*this, state_->plugIn.handshakeData.init, "init");
}

HostBool Host::CallUnload() {
  return CallExtension(*this, state_->plugIn.handshakeData.unload, "unload");
}

HostBool Host::CallExportTables() {
  return CallExtension(*this, state_->plugIn.handshakeData.exportTables, "export tables");
}

HostBool Host::CallImportReplaceAndRegister() {
  return CallExtension(*this, state_->plugIn.handshakeData.importReplaceAndRegister,
                       "import, replace and register");
}

const PlugInRecord& Host::PlugIn() const {
  return state_->plugIn;
}

std::string Host::ExtensionName() const {
  return AtomText(*state_, state_->plugIn.handshakeData.extensionName);
}

}  // namespace standin
