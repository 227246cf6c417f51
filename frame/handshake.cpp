// The handshake procedure and the extension callbacks it supplies.
#include "platform/acrobat/host_operations.h"

#include "frame/frame_state.h"

HostAtom GetExtensionNameAtom() {
  return HostAtomFromString("AcroSDK:Korvalume");
}

HostBool HOSTCALL AnswerHandshake(uint32_t handshakeVersion, HandshakeData* data) {
  if (handshakeVersion != kHandshakeVersion || !data)
    return kHostFalse;
  data->extensionName = GetExtensionNameAtom();
  data->exportTables = MakeHostCallback(&ExportTables);
  data->importReplaceAndRegister = MakeHostCallback(&ImportReplaceAndRegister);
  data->init = MakeHostCallback(&InitPlugIn);
  data->unload = MakeHostCallback(&UnloadPlugIn);
  return kHostTrue;
}

// We export no table of our own.
HostBool HOSTCALL ExportTables() {
  return kHostTrue;
}

HostBool HOSTCALL ImportReplaceAndRegister() {
  return kHostTrue;
}

// What we registered stays with the host until it ends.
HostBool HOSTCALL UnloadPlugIn() {
  return kHostTrue;
}
