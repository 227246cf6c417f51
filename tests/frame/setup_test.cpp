// The entry point, the set-up's table requests with their fallback, and the handshake.
#include <gtest/gtest.h>

#include <cstring>

#include "frame/frame_state.h"
#include "standins/host/host.h"
#include "tests/support/plugin_state.h"

namespace {

using standin::Host;
using standin::Scenario;
using standin::TableRequest;

std::vector<uint32_t> VersionsAsked(const Host& host, const std::string& table) {
  std::vector<uint32_t> versions;
  for (const TableRequest& request : host.TableRequests()) {
    if (request.name == table)
      versions.push_back(request.version);
  }
  return versions;
}

struct SetupRun {
  explicit SetupRun(Scenario scenario) : host(std::move(scenario)) {
    ResetPlugInState();
    host.CallPlugInMain(&PlugInMain, nullptr, nullptr);
    result = host.CallSetup();
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
    int index = 0;
    while (std::strcmp(HostTableName(static_cast<HostTableId>(index)), c.table) != 0)
      ++index;
    EXPECT_EQ(c.recorded, HostTables.slot[index].version);
    EXPECT_EQ(c.granted, HostTables.slot[index].table != nullptr);
    if (!c.granted) {
      // nothing after the refused table is asked for
      EXPECT_EQ(c.table, run.host.TableRequests().back().name);
    }
  }
}

TEST(SetUp, RequestsFromCoreOnGoThroughTheTableCoreGranted) {
  SetupRun run{Scenario()};
  ASSERT_EQ(kHostTrue, run.result);
  EXPECT_EQ(HostTables[HostTableId::Core].table, run.host.Table(HostTableId::Core));
  EXPECT_EQ(0x50000u, HostTables[HostTableId::Core].version);
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
