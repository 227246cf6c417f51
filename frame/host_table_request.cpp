// Obtaining the host's function tables by name and version.
#include "platform/acrobat/host_operations.h"

#include "frame/frame_state.h"

namespace {

constexpr uint32_t kNoVersion = 0xFFFFFFFF;

// The recorded "AcroSupport" version from which a table is asked for at its required version.
constexpr uint32_t kDirectRequestVersion = 0x60000;

// Fallback versions, newest first.
constexpr uint32_t HostTableVersions[] = {0x50001, 0x50000, 0x40005, 0x40000,
                                          0x20003, 0x20002, 0x20001};
constexpr int kHostTableVersionCount = 7;
static_assert(sizeof(HostTableVersions) / sizeof(HostTableVersions[0]) == kHostTableVersionCount,
              "fallback list");

// Walks the fallback versions not below the required one, newest first. Answers the first
// version granted, or 0 when every request was refused; asked tells whether it asked at all.
uint32_t WalkFallbackVersions(HostAtom atom, uint32_t requiredVersion, HostFunctionTable* table,
                              bool* asked) {
  *asked = false;
  for (uint32_t version : HostTableVersions) {
    if (version < requiredVersion)
      break;
    *asked = true;
    *table = HostGetTable(atom, version);
    if (*table)
      return version;
  }
  return 0;
}

}  // namespace

HostBool RequestHostTable(const char* name, uint32_t requiredVersion, uint32_t* grantedVersion,
                          HostFunctionTable* table) {
  HostAtom atom = HostAtomFromString(name);
  uint32_t version = kNoVersion;
  HostFunctionTable found = nullptr;

  // direct request, only once "AcroSupport" is known to answer version queries
  if (HostTables[HostTableId::AcroSupport].version >= kDirectRequestVersion) {
    found = HostGetTable(atom, requiredVersion);
    if (found)
      version = HostTableVersion(found);
  }

  if (version == kNoVersion) {
    bool asked = false;
    version = WalkFallbackVersions(atom, requiredVersion, &found, &asked);
    if (version == 0 && (asked || !found)) {
      found = nullptr;
    } else if (version == 0) {
      // note: granted directly but the host cannot tell its version; the host did answer the
      // request at the required version, so that is what is recorded
      version = requiredVersion;
    }
  }

  *table = found;
  *grantedVersion = version;
  return version != 0 ? kHostTrue : kHostFalse;
}
