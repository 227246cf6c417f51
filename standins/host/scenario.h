// What a stand-in host run looks like: which requests it refuses, what it answers and which of
// its calls fails. Every field has the default of an ordinary, complete host.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace standin {

struct Scenario {
  // Table name -> versions at which Core 10 refuses it; other versions are granted. Names that
  // are not one of the thirteen tables are always refused.
  std::map<std::string, std::set<uint32_t>> refusedTables;
  // Table name -> the answer of the version query (AcroSupport 103). A table without an entry
  // answers the version at which it was last granted (0 before any grant).
  std::map<std::string, uint32_t> versionAnswers;

  uint32_t extensionId = 0x4B560001;
  int16_t appMajor = 9;  // AcroView 7
  int16_t appMinor = 0;

  // Top-level menus already on the menubar, in order.
  std::vector<std::string> menubarMenus = {"File",  "Edit",  "View",     "Document", "Comments",
                                           "Forms", "Tools", "Advanced", "Window",   "Help"};
  bool usingExtensionsMenu = true;  // host menu "UsingExtensions"
  bool aboutExtensionsMenu = true;  // host menu "AboutExtensions"
  bool refuseOwnMenu = false;       // AcroView 78 answers null
  bool endToolsGroupButton = true;  // host button "endToolsGroup" on the tool bar

  // Faults: the failCall-th host call overall fails (1-based, 0: none), and the
  // failOperationCall-th call of the operation named failOperation fails (0: none).
  uint32_t failCall = 0;
  std::string failOperation;
  uint32_t failOperationCall = 0;

  // At most this many bytes per stream read (0: as many as asked).
  uint32_t streamReadLimit = 0;

  // Alerts are also printed to standard error as they come.
  bool printAlerts = true;
};

}  // namespace standin
