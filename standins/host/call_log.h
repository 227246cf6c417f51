// The record of every call a plug-in made into the stand-in host, and of the host's calls
// into the plug-in, in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct CallRecord {
  uint32_t number = 0;      // 1-based among host calls; 0 for a call into the plug-in
  bool intoPlugIn = false;  // the host called the plug-in (set-up, handshake, a click, ...)
  std::string table;
  int selector = -1;
  std::string operation;
  std::string arguments;  // formatted: strings quoted, atoms with their string, handles as ids
  std::string result;
  bool failed = false;  // an injected fault answered instead of the operation
  std::string note;
};

// One line per record: "#12 AcroView 71 HostAcquireMenuByName(menubar#1, "Help") -> menu#5".
std::string FormatCallRecord(const CallRecord& record);

struct TableRequest {
  std::string name;
  uint32_t version = 0;
  bool granted = false;
  uint32_t recorded = 0;  // what the version query answers for the table after this request
};

}  // namespace standin
