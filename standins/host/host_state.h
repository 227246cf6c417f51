// Inside the stand-in host: everything a Host holds, which its procedures reach through the
// current host. Not for tests; they read what host.h offers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "standins/host/host.h"
#include "standins/host/operations.h"

namespace standin {

struct AtomTable {
  std::map<std::string, HostAtom> ids;
  std::vector<std::string> names = {""};  // atom 0 is no atom
};

struct CallbackRec {
  uint32_t extensionId;
  HostProc proc;
};

// A text object or a path name: alive until destroyed or released.
struct NamedRec {
  std::string value;
  bool alive = true;
};

struct StreamRec {
  const std::vector<uint8_t>* content;
  size_t position = 0;
  bool open = true;
};

struct DocRec {
  DocumentModel model;
  bool fromFile = false;
  std::string path;
  size_t firstPage = 0;  // its pages in HostState::pages
};

struct PageRef {
  size_t doc;
  size_t page;
  size_t firstAnnot;  // its annotations in HostState::annots
};

struct AnnotRef {
  size_t doc;
  size_t page;
  size_t annot;
};

struct MenuRec {
  MenuInfo info;  // its items are in itemIds
  std::vector<size_t> itemIds;
  int acquired = 0;
};

// A table handed out by a grant: slots of its own, whose operations note the grant at each call.
struct GrantRec {
  TableGrant info;
  HostTableId table;
  std::array<HostProc, kHostTableSlots> slots;
};

struct HostState {
  Scenario scenario;
  AtomTable atoms;
  std::vector<std::unique_ptr<GrantRec>> grants;  // in order of granting
  uint32_t callGrant = 0;  // the grant the call being entered came through (0: none)

  std::vector<CallRecord> log;
  uint32_t callCount = 0;
  std::array<uint32_t, kOpCount> operationCalls{};  // by OpId
  std::vector<std::string> atomRequests;
  std::vector<TableRequest> tableRequests;
  std::map<std::string, uint32_t> grantedVersion;
  std::vector<std::string> alerts;
  std::vector<std::string> refusedOpens;  // why AcroView 485 gave no document, one per call

  std::vector<CallbackRec> callbacks;
  std::map<const void*, size_t> blocks;  // live block -> size
  std::vector<const void*> blockOrder;   // live blocks, in order of allocation
  std::set<const void*> freedBlocks;
  std::vector<std::string> memoryErrors;
  std::vector<std::string> handleErrors;

  std::vector<NamedRec> pathNames;
  std::vector<NamedRec> texts;
  std::vector<StreamRec> streams;

  std::vector<std::unique_ptr<DocRec>> docs;
  std::vector<PageRef> pages;
  std::vector<AnnotRef> annots;
  std::vector<const CosObject*> cosObjects;
  std::map<const CosObject*, uint32_t> cosIds;

  std::vector<MenuRec> menus;
  std::vector<size_t> menubar;  // menu ids, in order
  std::vector<MenuItemInfo> items;
  std::vector<ButtonInfo> buttons;
  std::vector<size_t> toolBar;             // button ids, in order
  std::vector<const void*> iconsNotTaken;  // offered to a button the host did not make

  PlugInRecord plugIn;
};

// The current host's state; prints and aborts when a host procedure runs with no host.
HostState& CurrentState();

HostAtom InternAtom(HostState& state, const std::string& text);
std::string AtomText(const HostState& state, HostAtom atom);

// The thirteen tables of the host's own: every slot a trap, then every operation at its
// selector.
void InstallHostTables();
HostFunctionTable TableOf(HostTableId id);
// A new grant of a table: a table of its own, laid out like the host's own one. Null when the
// host has no grant left.
HostFunctionTable NewGrant(HostState& state, HostTableId id, uint32_t version, uint32_t madeBy);
// The grant a pointer is; null for any other pointer.
const GrantRec* GrantOf(const HostState& state, HostFunctionTable table);
// The table a pointer is, one of the host's own or a grant, or -1.
int TableIndexOf(const HostState& state, HostFunctionTable table);

IconInfo ReadIcon(void* icon);

// The host's calls into the plug-in, in the same log as the plug-in's calls into the host.
size_t BeginPlugInCall(HostState& state, const std::string& name, const std::string& arguments);
HostBool EndPlugInCall(HostState& state, size_t record, HostBool result,
                       const std::string& note = "");
HostBool RefusePlugInCall(HostState& state, const std::string& name, const std::string& why);

}  // namespace standin

namespace standin {

// Adds a document with its pages and annotations; null when no handle is left for it.
HostViewDoc RegisterDocument(HostState& state, std::unique_ptr<DocRec> document);
// The id of a Cos object of a held document (made on first use).
HostCosObj CosHandleOf(HostState& state, const CosObject* object);
const CosObject* CosObjectOf(const HostState& state, HostCosObj object);

}  // namespace standin
