// The set-up procedure: the thirteen host tables, each required, in a fixed order.
#include "platform/acrobat/host_operations.h"

#include "frame/frame_state.h"

namespace {

// One request of the set-up.
struct HostTableRequest {
  const char* name;
  uint32_t requiredVersion;
  uint32_t* grantedVersion;
  HostFunctionTable* table;
  uint16_t optional;  // nonzero: a refusal does not end the set-up
};

HostTableRequest Request(HostTableId id, uint32_t requiredVersion) {
  HostTableSlot& slot = HostTables[id];
  return {HostTableName(id), requiredVersion, &slot.version, &slot.table, 0};
}

// The first "AcroSupport" request, made directly through the set-up record's "Core" table; it
// tells the version from which tables may be asked for directly.
void RequestFirstAcroSupport() {
  HostTableSlot& acroSupport = HostTables[HostTableId::AcroSupport];
  HostAtom atom = HostAtomFromString(HostTableName(HostTableId::AcroSupport));
  acroSupport.table = HostGetTable(atom, 0x60000);
  if (acroSupport.table)
    acroSupport.version = HostTableVersion(acroSupport.table);
}

}  // namespace

HostBool HOSTCALL ImportHostTables(uint32_t handshakeVersion, SdkSetupData* setupData) {
  if (handshakeVersion != kHandshakeVersion)
    return kHostFalse;
  if (!setupData || setupData->handshakeVersion != kHandshakeVersion)
    return kHostFalse;

  ExtensionId = setupData->extensionId;
  HostTables[HostTableId::Core] = {setupData->coreTable, kHandshakeVersion};

  RequestFirstAcroSupport();
  HostTableSlot& acroSupport = HostTables[HostTableId::AcroSupport];
  if (!RequestHostTable(HostTableName(HostTableId::AcroSupport), 0x80000, &acroSupport.version,
                        &acroSupport.table)) {
    return kHostFalse;
  }

  // note: the "Core" request goes through the set-up record's table and replaces it
  const HostTableRequest requests[] = {
      Request(HostTableId::Core, 0x50000),
      Request(HostTableId::Cos, 0x60000),
      Request(HostTableId::PDModel, 0x60000),
      Request(HostTableId::PDFEditWrite, 0x60000),
      Request(HostTableId::PDFEditRead, 0x60000),
      Request(HostTableId::PDSysFont, 0x40000),
      Request(HostTableId::PagePDEContent, 0x60000),
      Request(HostTableId::AcroView, 0x60000),
      Request(HostTableId::PDSWrite, 0x60000),
      Request(HostTableId::PDSRead, 0x60000),
      Request(HostTableId::Win, 0x50000),
      Request(HostTableId::ASExtra, 0x60000),
  };
  for (const HostTableRequest& request : requests) {
    if (!RequestHostTable(request.name, request.requiredVersion, request.grantedVersion,
                          request.table) &&
        !request.optional) {
      return kHostFalse;
    }
  }

  setupData->handshakeCallback = MakeHostCallback(&AnswerHandshake);
  return kHostTrue;
}
