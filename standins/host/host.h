// The stand-in host application: the thirteen function tables a plug-in calls, what it answers,
// and the calls with which the host drives a plug-in. One Host at a time is the current host;
// the host procedures reach it through Host::Current().
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/acrobat/host_abi.h"
#include "platform/acrobat/host_tables.h"
#include "standins/host/call_log.h"
#include "standins/host/document_model.h"
#include "standins/host/scenario.h"
#include "standins/host/ui_model.h"

namespace standin {

constexpr int kHostTableSlots = 512;

struct HostState;

// What the host recorded of its calls into the plug-in.
struct PlugInRecord {
  bool mainCalled = false;
  HostBool mainResult = kHostFalse;
  uint32_t hostHandshakeVersion = 0;
  uint32_t agreedVersion = 0;  // what PlugInMain wrote
  SetupProc setupProc = nullptr;
  HostWindowsData windowsData = {};

  bool setupCalled = false;
  HostBool setupResult = kHostFalse;
  SdkSetupData setupData = {};

  bool handshakeCalled = false;
  HostBool handshakeResult = kHostFalse;
  HandshakeData handshakeData = {};
};

struct BlockLeak {
  const void* block;
  size_t size;
};

struct LeakReport {
  std::vector<BlockLeak> blocks;  // memory not freed, in order of allocation
  size_t pathNames = 0;
  size_t texts = 0;
  size_t streams = 0;
  size_t menuAcquisitions = 0;  // host menus acquired and not released
  size_t icons = 0;  // bitmaps offered to a tool button the host did not make, not deleted
  std::vector<std::string> memoryErrors;  // frees of unknown or freed blocks
  std::vector<std::string> handleErrors;  // releases of unknown or released handles
  size_t BlockBytes() const;
  bool Clean() const;
};

class Host {
 public:
  explicit Host(Scenario scenario = Scenario());
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The current host; null when there is none.
  static Host* Current();
  const Scenario& scenario() const;

  // The host's own tables, handed out by no grant: for tests that call the host directly.
  // Calls through them are logged with grant 0.
  HostFunctionTable Table(HostTableId id) const;
  // The tables handed to the plug-in, each a table of its own: the set-up record's "Core" and
  // every table Core 10 granted, in order.
  std::vector<TableGrant> Grants() const;
  // The id of the grant a table is; 0 for any other pointer.
  uint32_t GrantId(HostFunctionTable table) const;
  // The plug-in procedure behind a callback made by Core 8; null for any other value.
  HostProc ProcOf(HostCallback callback) const;
  uint32_t CallbackExtensionId(HostCallback callback) const;

  // Documents: a test's model, or one opened from a file by AcroView 485.
  HostViewDoc AddDocument(DocumentModel document);
  const DocumentModel* Document(HostViewDoc document) const;
  std::vector<HostViewDoc> OpenedDocuments() const;  // by AcroView 485, in order
  // Files AcroView 485 could not open, each as its quoted path and why ("... is a directory").
  const std::vector<std::string>& RefusedOpens() const;

  // Driving the plug-in. Each answers what the plug-in answered, false when there is nothing to
  // call.
  HostBool CallPlugInMain(PlugInMainProc main, void* moduleInstance, void* hostWindow,
                          uint32_t hostHandshakeVersion = kHandshakeVersion);
  // The set-up record holds a new grant of "Core"; handshakeField is what its handshake
  // callback field holds before the call.
  HostBool CallSetup(uint32_t version = kHandshakeVersion,
                     uint32_t recordVersion = kHandshakeVersion,
                     HostCallback handshakeField = nullptr);
  HostBool CallHandshake(uint32_t version = kHandshakeVersion);
  HostBool CallInit();
  HostBool CallUnload();
  HostBool CallExportTables();
  HostBool CallImportReplaceAndRegister();
  const PlugInRecord& PlugIn() const;
  std::string ExtensionName() const;  // the atom's string; empty before the handshake
  // The plug-in procedures behind the callbacks made by Core 8, in order of making.
  std::vector<HostProc> CallbackProcs() const;

  // The call log and what tests read of it.
  const std::vector<CallRecord>& Log() const;
  // Drops the records so far, between calls only; the numbering goes on. A host that serves
  // many runs, as a benchmark's does, would otherwise keep every earlier run's records and move
  // them all whenever the log outgrows its room.
  void ForgetLog();
  std::string FormatLog() const;
  uint32_t CallCount() const;  // host calls so far (a fault sweep runs n up to it)
  std::vector<std::string> AtomRequests() const;  // the strings of Core 5, in order
  const std::vector<TableRequest>& TableRequests() const;
  const std::vector<std::string>& Alerts() const;
  std::string AtomString(HostAtom atom) const;

  // The user interface the plug-in built.
  std::vector<MenuInfo> Menus() const;  // the menubar's in order, then the others
  std::optional<MenuInfo> FindMenu(const std::string& name) const;
  std::vector<ButtonInfo> Buttons() const;  // the tool bar's in order, then the others
  std::optional<ButtonInfo> FindButton(const std::string& name) const;
  // Call the execute procedure; false when the item or button or its procedure is missing.
  bool ClickItem(const std::string& menuName, const std::string& itemName);
  bool ClickButton(const std::string& name);
  // Ask the compute-enabled procedure (none: enabled); false when the item or button is missing.
  bool ItemEnabled(const std::string& menuName, const std::string& itemName);
  bool ButtonEnabled(const std::string& name);

  LeakReport Leaks() const;

  HostState& state() { return *state_; }
  const HostState& state() const { return *state_; }

 private:
  std::unique_ptr<HostState> state_;
};

// Whether the name is one of the operations the host implements (for fault plans).
bool IsHostOperation(const std::string& name);

// Whether a handle is a bitmap not deleted yet. On the native build each module keeps its own
// bitmaps, so only those made in the host's own part of the process are seen.
bool IsLiveBitmap(const void* handle);

}  // namespace standin
