// The record of every call a plug-in made into the stand-in host, and of the host's calls
// into the plug-in, in order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct CallRecord {
  uint32_t number = 0;      // 1-based among host calls; 0 for a call into the plug-in
  bool intoPlugIn = false;  // the host called the plug-in (set-up, handshake, a click, ...)
  std::string_view table;   // the table's name, static text; empty for a call into the plug-in
  int selector = -1;
  std::string operation;  // a call into the plug-in names what it ran: "execute " + the button
  std::string arguments;  // formatted: strings quoted, atoms with their string, handles as ids
  std::string result;
  bool failed = false;  // an injected fault answered instead of the operation
  std::string note;
  // The table the call came through: the id of its grant (see TableGrant), 0 for one of the
  // host's own tables that no grant handed out; and the version that grant was made for.
  uint32_t grant = 0;
  uint32_t grantVersion = 0;
};

// One line per record: "#12 AcroView 71 HostAcquireMenuByName(menubar#1, "Help") -> menu#5",
// then any note in brackets and the grant the call came through: "{grant 9 at 0x60000}".
std::string FormatCallRecord(const CallRecord& record);

// One table handed to a plug-in: the set-up record's "Core", or a table granted by Core 10.
// Every grant is a table of its own, so the log tells which one each call came through.
struct TableGrant {
  uint32_t id = 0;  // 1-based, in order of granting
  std::string name;
  uint32_t version = 0;  // asked for by Core 10; the handshake version for the set-up record's
  uint32_t madeBy = 0;   // number of the Core 10 call that granted it; 0: the set-up record
};

struct TableRequest {
  std::string name;
  uint32_t version = 0;
  bool granted = false;
  uint32_t recorded = 0;  // what the version query answers for the table after this request
};

}  // namespace standin
