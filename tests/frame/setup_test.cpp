// The entry point, the set-up's table requests with their fallback, and the handshake.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string_view>

#include "frame/frame_state.h"
#include "standins/host/host.h"
#include "tests/support/plugin_session.h"
#include "tests/support/plugin_state.h"

namespace {

using standin::Host;
using standin::Scenario;
using standin::TableGrant;
using standin::TableRequest;

std::vector<uint32_t> VersionsAsked(const Host& host, const std::string& table) {
  std::vector<uint32_t> versions;
  for (const TableRequest& request : host.TableRequests()) {
    if (request.name == table)
      versions.push_back(request.version);
  }
  return versions;
}

// The table of that name; none for a name no table has.
std::optional<HostTableId> TableNamed(std::string_view name) {
  for (int index = 0; index < kHostTableCount; ++index) {
    if (name == HostTableName(static_cast<HostTableId>(index)))
      return static_cast<HostTableId>(index);
  }
  return std::nullopt;
}

// What a set-up record's handshake field holds before the set-up, where a test looks whether
// the set-up left it as it was.
const HostCallback kPoisonedHandshake = reinterpret_cast<HostCallback>(uintptr_t{0x5EEDF00D});

// The entry point and the set-up, with the record's handshake field holding handshakeField.
struct SetupRun {
  explicit SetupRun(Scenario scenario, HostCallback handshakeField = nullptr)
      : host(std::move(scenario)) {
    ResetPlugInState();
    host.CallPlugInMain(&PlugInMain, nullptr, nullptr);
    result = host.CallSetup(kHandshakeVersion, kHandshakeVersion, handshakeField);
  }
  Host host;
  HostBool result = kHostFalse;
};

TEST(PlugInMain, AgreesOnTheHandshakeVersionAndHandsBackTheSetUp) {
  const struct {
    uint32_t host;
    uint32_t agreed;
  } cases[] = {{0x10000, 0x10000},
               {0x20000, 0x20000},
               {0x20001, 0x20000},
               {0x80000, 0x20000},
               {0xFFFFFFFF, 0x20000}};
  for (const auto& c : cases) {
    ResetPlugInState();
    uint32_t agreed = 0;
    SetupProc setup = nullptr;
    HostWindowsData windows = {reinterpret_cast<void*>(0x1111), reinterpret_cast<void*>(0x2222)};
    EXPECT_EQ(kHostTrue, PlugInMain(c.host, &agreed, &setup, &windows)) << std::hex << c.host;
    EXPECT_EQ(c.agreed, agreed) << std::hex << c.host;
    EXPECT_EQ(&ImportHostTables, setup);
    EXPECT_EQ(reinterpret_cast<HWND>(0x1111), HostWindow);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(0x2222), ModuleInstance);
  }
}

TEST(SetUp, GrantsAllThirteenTablesAndLeavesTheHandshakeCallback) {
  SetupRun run{Scenario()};
  ASSERT_EQ(kHostTrue, run.result);
  for (int i = 0; i < kHostTableCount; ++i) {
    EXPECT_NE(nullptr, HostTables.slot[i].table) << HostTableName(static_cast<HostTableId>(i));
  }
  EXPECT_EQ(run.host.scenario().extensionId, ExtensionId);
  const std::vector<std::string> order = {
      "AcroSupport", "AcroSupport", "Core",           "Cos",      "PDModel",  "PDFEditWrite",
      "PDFEditRead", "PDSysFont",   "PagePDEContent", "AcroView", "PDSWrite", "PDSRead",
      "Win",         "ASExtra"};
  std::vector<std::string> asked;
  for (const TableRequest& request : run.host.TableRequests())
    asked.push_back(request.name);
  EXPECT_EQ(order, asked);
  HostCallback handshake = run.host.PlugIn().setupData.handshakeCallback;
  ASSERT_NE(nullptr, handshake);
  EXPECT_EQ(reinterpret_cast<HostProc>(&AnswerHandshake), run.host.ProcOf(handshake));
  EXPECT_NE(reinterpret_cast<void*>(&AnswerHandshake), reinterpret_cast<void*>(handshake));
}

TEST(SetUp, RefusesOtherHandshakeVersionsWithoutCallingTheHost) {
  for (bool inRecord : {false, true}) {
    Host host;
    ResetPlugInState();
    host.CallPlugInMain(&PlugInMain, nullptr, nullptr);
    HostBool result = inRecord ? host.CallSetup(0x20000, 0x10000) : host.CallSetup(0x10000);
    EXPECT_EQ(kHostFalse, result);
    EXPECT_EQ(0u, host.CallCount());
    EXPECT_EQ(nullptr, host.PlugIn().setupData.handshakeCallback);
  }
}

TEST(SetUp, AcroSupportRefusedAtFirstAsksNoOtherTable) {
  Scenario scenario;
  scenario.refusedTables["AcroSupport"] = {0x60000};
  SetupRun run{scenario};
  EXPECT_EQ(kHostFalse, run.result);
  EXPECT_EQ((std::vector<std::string>{"AcroSupport", "AcroSupport"}), run.host.AtomRequests());
  ASSERT_EQ(1u, run.host.TableRequests().size());
  EXPECT_EQ(0x60000u, run.host.TableRequests()[0].version);
  EXPECT_EQ(0u, HostTables[HostTableId::AcroSupport].version);
  EXPECT_EQ(nullptr, run.host.PlugIn().setupData.handshakeCallback);
}

TEST(SetUp, AnOldAcroSupportVersionTurnsOffTheSecondRequest) {
  Scenario scenario;
  scenario.versionAnswers["AcroSupport"] = 0x50000;
  SetupRun run{scenario};
  EXPECT_EQ(kHostFalse, run.result);
  EXPECT_EQ((std::vector<uint32_t>{0x60000}), VersionsAsked(run.host, "AcroSupport"));
  EXPECT_EQ(1u, run.host.TableRequests().size());
}

// A table's requests in order, and the version recorded, for each way the host answers.
TEST(SetUp, FallsBackThroughTheVersionList) {
  const struct {
    const char* table;
    std::set<uint32_t> refused;
    uint32_t versionAnswer;  // 0: the host's default
    std::vector<uint32_t> asked;
    bool granted;
    uint32_t recorded;
  } cases[] = {
      {"Core", {0x50000}, 0, {0x50000, 0x50001}, true, 0x50001},
      {"Core", {0x50000, 0x50001}, 0, {0x50000, 0x50001, 0x50000}, false, 0},
      {"PDSysFont", {0x40000}, 0, {0x40000, 0x50001}, true, 0x50001},
      {"PDSysFont",
       {0x40000, 0x50001, 0x50000},
       0,
       {0x40000, 0x50001, 0x50000, 0x40005},
       true,
       0x40005},
      // walked to its end: the entries below 0x40000 are never asked
      {"PDSysFont",
       {0x40000, 0x50001, 0x50000, 0x40005, 0x20003, 0x20002, 0x20001},
       0,
       {0x40000, 0x50001, 0x50000, 0x40005, 0x40000},
       false,
       0},
      {"Win", {0x50000, 0x50001}, 0, {0x50000, 0x50001, 0x50000}, false, 0},
      {"Core", {}, 0xFFFFFFFF, {0x50000, 0x50001}, true, 0x50001},
      {"Core", {0x50001}, 0xFFFFFFFF, {0x50000, 0x50001, 0x50000}, true, 0x50000},
      {"AcroView", {}, 0x40000, {0x60000}, true, 0x40000},
      // granted directly while the host cannot tell its version: the required version
      {"PDModel", {}, 0xFFFFFFFF, {0x60000}, true, 0x60000},
      {"Cos", {0x60000}, 0, {0x60000}, false, 0},
  };
  for (const auto& c : cases) {
    Scenario scenario;
    if (!c.refused.empty())
      scenario.refusedTables[c.table] = c.refused;
    if (c.versionAnswer)
      scenario.versionAnswers[c.table] = c.versionAnswer;
    SetupRun run{scenario};
    SCOPED_TRACE(c.table);
    EXPECT_EQ(c.asked, VersionsAsked(run.host, c.table));
    EXPECT_EQ(c.granted ? kHostTrue : kHostFalse, run.result);
    const std::optional<HostTableId> table = TableNamed(c.table);
    ASSERT_TRUE(table);
    EXPECT_EQ(c.recorded, HostTables[*table].version);
    EXPECT_EQ(c.granted, HostTables[*table].table != nullptr);
    if (!c.granted) {
      // nothing after the refused table is asked for
      EXPECT_EQ(c.table, run.host.TableRequests().back().name);
    }
  }
}

// The last grant of a table at a version; a grant with id 0 when there is none.
TableGrant GrantOf(const Host& host, const std::string& name, uint32_t version) {
  TableGrant found;
  for (const TableGrant& grant : host.Grants()) {
    if (grant.name == name && grant.version == version)
      found = grant;
  }
  return found;
}

// The host hands out every table as one of its own, so the log tells which table each call
// came through: the set-up record's "Core" until "Core" is granted, the first "AcroSupport"
// until the second one has been asked for its version, and the recorded table of every other.
TEST(SetUp, EveryCallGoesThroughTheTableItsStepNames) {
  const struct {
    const char* what;
    std::set<uint32_t> coreRefused;
    uint32_t coreVersionAnswer;  // 0: the host's default
    uint32_t coreKept;           // the version of the "Core" grant that the set-up keeps
  } cases[] = {
      {"granted directly", {}, 0, 0x50000},
      {"granted by the walk", {0x50000}, 0, 0x50001},
      {"granted directly with no version, then by the walk", {}, 0xFFFFFFFF, 0x50001},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scenario scenario;
    if (!c.coreRefused.empty())
      scenario.refusedTables["Core"] = c.coreRefused;
    if (c.coreVersionAnswer)
      scenario.versionAnswers["Core"] = c.coreVersionAnswer;
    PlugInSession session(scenario);
    ASSERT_TRUE(session.ready);
    ASSERT_EQ(kHostTrue, session.host.CallInit());
    GetHostIndex();
    const Host& host = session.host;

    const TableGrant record = host.Grants().front();
    EXPECT_EQ(record.id, host.GrantId(host.PlugIn().setupData.coreTable));
    EXPECT_EQ("Core", record.name);
    EXPECT_EQ(0u, record.madeBy);
    const TableGrant core = GrantOf(host, "Core", c.coreKept);
    const TableGrant firstAcroSupport = GrantOf(host, "AcroSupport", 0x60000);
    const TableGrant acroSupport = GrantOf(host, "AcroSupport", 0x80000);
    ASSERT_TRUE(core.id && firstAcroSupport.id && acroSupport.id);
    EXPECT_EQ(core.id, host.GrantId(HostTables[HostTableId::Core].table));
    EXPECT_EQ(c.coreKept, HostTables[HostTableId::Core].version);
    EXPECT_EQ(acroSupport.id, host.GrantId(HostTables[HostTableId::AcroSupport].table));

    int coreCallsAfter = 0;
    int acroSupportCallsAfter = 0;
    for (const standin::CallRecord& call : host.Log()) {
      if (call.intoPlugIn)
        continue;
      const std::optional<HostTableId> table = TableNamed(call.table);
      ASSERT_TRUE(table) << standin::FormatCallRecord(call);
      uint32_t expected = host.GrantId(HostTables[*table].table);
      if (call.table == "Core" && call.number <= core.madeBy) {
        expected = record.id;
      } else if (call.table == "AcroSupport" && call.number <= acroSupport.madeBy + 1) {
        expected = firstAcroSupport.id;  // up to the version query of the second table
      }
      coreCallsAfter += call.table == "Core" && call.number > core.madeBy;
      acroSupportCallsAfter += call.table == "AcroSupport" && call.number > acroSupport.madeBy + 1;
      EXPECT_EQ(expected, call.grant) << standin::FormatCallRecord(call);
    }
    EXPECT_GT(coreCallsAfter, 0);
    EXPECT_GT(acroSupportCallsAfter, 0);
  }
}

// A refused set-up leaves the handshake field of the record as it was, and stops at the
// refused request with what was recorded before it.
TEST(SetUp, ARefusedTableLeavesTheRecordAndTheLaterTablesUntouched) {
  const HostTableId requested[] = {
      HostTableId::Core,           HostTableId::Cos,         HostTableId::PDModel,
      HostTableId::PDFEditWrite,   HostTableId::PDFEditRead, HostTableId::PDSysFont,
      HostTableId::PagePDEContent, HostTableId::AcroView,    HostTableId::PDSWrite,
      HostTableId::PDSRead,        HostTableId::Win,         HostTableId::ASExtra};
  const std::set<uint32_t> everyVersion = {0x60000, 0x50001, 0x50000, 0x40005,
                                           0x40000, 0x20003, 0x20002, 0x20001};
  for (size_t refused = 0; refused < 12; ++refused) {
    const std::string name = HostTableName(requested[refused]);
    SCOPED_TRACE(name);
    Scenario scenario;
    scenario.refusedTables[name] = everyVersion;
    SetupRun run(scenario, kPoisonedHandshake);
    EXPECT_EQ(kHostFalse, run.result);
    EXPECT_EQ(kPoisonedHandshake, run.host.PlugIn().setupData.handshakeCallback);
    EXPECT_EQ(name, run.host.TableRequests().back().name);
    EXPECT_EQ(0x80000u, GrantOf(run.host, "AcroSupport", 0x80000).version);
    for (size_t i = 0; i < 12; ++i) {
      const HostTableSlot& slot = HostTables[requested[i]];
      EXPECT_EQ(i < refused, slot.table != nullptr) << HostTableName(requested[i]);
      EXPECT_EQ(i < refused, slot.version != 0) << HostTableName(requested[i]);
    }
  }
}

// When "AcroSupport" is not granted at 0x80000 the set-up ends before the twelve requests:
// "Core" stays the set-up record's table at the handshake version.
TEST(SetUp, AFailedAcroSupportLeavesCoreAsTheRecordGaveIt) {
  const struct {
    const char* what;
    std::set<uint32_t> refused;
    uint32_t versionAnswer;  // 0: the host's default
  } cases[] = {{"refused at 0x60000", {0x60000}, 0},
               {"refused at 0x80000", {0x80000}, 0},
               {"an old first table", {}, 0x50000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scenario scenario;
    if (!c.refused.empty())
      scenario.refusedTables["AcroSupport"] = c.refused;
    if (c.versionAnswer)
      scenario.versionAnswers["AcroSupport"] = c.versionAnswer;
    SetupRun run(scenario, kPoisonedHandshake);
    EXPECT_EQ(kHostFalse, run.result);
    EXPECT_EQ(kPoisonedHandshake, run.host.PlugIn().setupData.handshakeCallback);
    ASSERT_NE(nullptr, run.host.PlugIn().setupData.coreTable);
    EXPECT_EQ(run.host.PlugIn().setupData.coreTable, HostTables[HostTableId::Core].table);
    EXPECT_EQ(0x20000u, HostTables[HostTableId::Core].version);
    EXPECT_EQ(nullptr, HostTables[HostTableId::AcroSupport].table);
    EXPECT_EQ(0u, HostTables[HostTableId::AcroSupport].version);
    for (const TableRequest& request : run.host.TableRequests())
      EXPECT_EQ("AcroSupport", request.name);
    EXPECT_EQ(run.host.scenario().extensionId, ExtensionId);
  }
}

TEST(Handshake, NamesTheExtensionAndSuppliesFourCallbacks) {
  SetupRun run{Scenario()};
  ASSERT_EQ(kHostTrue, run.host.CallHandshake());
  EXPECT_EQ("AcroSDK:Korvalume", run.host.ExtensionName());
  const HandshakeData& data = run.host.PlugIn().handshakeData;
  const struct {
    HostCallback callback;
    ExtensionProc proc;
  } callbacks[] = {{data.exportTables, &ExportTables},
                   {data.importReplaceAndRegister, &ImportReplaceAndRegister},
                   {data.init, &InitPlugIn},
                   {data.unload, &UnloadPlugIn}};
  for (const auto& c : callbacks) {
    EXPECT_EQ(reinterpret_cast<HostProc>(c.proc), run.host.ProcOf(c.callback));
    EXPECT_EQ(ExtensionId, run.host.CallbackExtensionId(c.callback));
  }
  EXPECT_EQ(kHostTrue, run.host.CallExportTables());
  EXPECT_EQ(kHostTrue, run.host.CallImportReplaceAndRegister());
  EXPECT_EQ(kHostTrue, run.host.CallUnload());
}

// After the init pass, none of the other three extension callbacks calls the host or touches
// what was recorded or registered.
TEST(Handshake, TheOtherExtensionCallbacksMakeNoHostCall) {
  PlugInSession session;
  ASSERT_TRUE(session.ready);
  ASSERT_EQ(kHostTrue, session.host.CallInit());
  const HostTableSet tables = HostTables;
  const uint32_t calls = session.host.CallCount();
  EXPECT_EQ(kHostTrue, session.host.CallExportTables());
  EXPECT_EQ(kHostTrue, session.host.CallImportReplaceAndRegister());
  EXPECT_EQ(kHostTrue, session.host.CallUnload());
  EXPECT_EQ(calls, session.host.CallCount());
  EXPECT_EQ(0, std::memcmp(&tables, &HostTables, sizeof(tables)));
  std::optional<standin::MenuInfo> menu = session.host.FindMenu("ADBE:KorvalumeMenu");
  ASSERT_TRUE(menu);
  EXPECT_EQ(8, menu->menubarIndex);
  EXPECT_EQ(3u, menu->items.size());
  EXPECT_TRUE(session.host.FindButton("ADBE:Korvalume"));
}

TEST(Handshake, AnotherVersionLeavesTheRecordUntouched) {
  SetupRun run{Scenario()};
  HandshakeData data;
  std::memset(&data, 0xA5, sizeof(data));
  HandshakeData before = data;
  uint32_t calls = run.host.CallCount();
  EXPECT_EQ(kHostFalse, AnswerHandshake(0x10000, &data));
  EXPECT_EQ(0, std::memcmp(&before, &data, sizeof(data)));
  EXPECT_EQ(calls, run.host.CallCount());
}

TEST(HostIndex, IsOneForVersionNineAndAskedAnewEachCall) {
  const struct {
    int16_t major, minor;
    int index;
  } cases[] = {{9, 0, 1}, {9, 3, 1}, {8, 1, 0}, {10, 0, 0}};
  for (const auto& c : cases) {
    Scenario scenario;
    scenario.appMajor = c.major;
    scenario.appMinor = c.minor;
    SetupRun run{scenario};
    ASSERT_EQ(kHostTrue, run.result);
    uint32_t before = run.host.CallCount();
    EXPECT_EQ(c.index, GetHostIndex()) << c.major << "." << c.minor;
    EXPECT_EQ(c.index, GetHostIndex());
    EXPECT_EQ(before + 2, run.host.CallCount());
  }
}

}  // namespace
