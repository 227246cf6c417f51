// The tables themselves: traps in every unimplemented slot, what Core 10 grants and what the
// version query answers, and callbacks.
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "tests/host/host_test_support.h"

namespace {

using standin::Host;
using standin::Scenario;

struct TrapCase {
  HostTableId table;
  int selector;
  const char* message;
};

TEST(HostTrapDeathTest, NamesTableAndSelector) {
  const TrapCase kCases[] = {
      {HostTableId::AcroView, 3, "trap: AcroView selector 3 is not implemented"},
      {HostTableId::Core, 0, "trap: Core selector 0 is not implemented"},
      {HostTableId::PDSRead, 511, "trap: PDSRead selector 511 is not implemented"},
      {HostTableId::Cos, 22, "trap: Cos selector 22 is not implemented"},
  };
  for (const TrapCase& trap : kCases) {
    EXPECT_DEATH(
        {
          Host host;
          host.Table(trap.table)[trap.selector]();
        },
        trap.message);
  }
}

struct TableCase {
  const char* what;
  std::map<std::string, std::set<uint32_t>> refused;
  std::map<std::string, uint32_t> answers;
  std::vector<std::pair<const char*, uint32_t>> requests;
  std::vector<bool> granted;
  HostTableId queried;
  uint32_t versionAnswer;
};

class HostTablesTest : public HostTest {};

TEST_F(HostTablesTest, GrantsRefusesAndAnswersVersions) {
  const TableCase kCases[] = {
      {"refused at one version only",
       {{"AcroView", {0x60000}}},
       {},
       {{"AcroView", 0x60000}, {"AcroView", 0x50000}},
       {false, true},
       HostTableId::AcroView,
       0x50000},
      {"unknown names are refused",
       {},
       {},
       {{"NoSuchTable", 0x20000}},
       {false},
       HostTableId::Core,
       0},
      {"the scenario's answer wins",
       {},
       {{"Cos", 0x70000}},
       {{"Cos", 0x20000}},
       {true},
       HostTableId::Cos,
       0x70000},
      {"the last grant is answered",
       {{"PDModel", {0x90000}}},
       {},
       {{"PDModel", 0x20000}, {"PDModel", 0x40000}, {"PDModel", 0x90000}},
       {true, true, false},
       HostTableId::PDModel,
       0x40000},
  };
  for (const TableCase& test : kCases) {
    SCOPED_TRACE(test.what);
    Scenario scenario;
    scenario.refusedTables = test.refused;
    scenario.versionAnswers = test.answers;
    Start(scenario);
    for (size_t index = 0; index < test.requests.size(); ++index) {
      HostFunctionTable table =
          HostGetTable(HostAtomFromString(test.requests[index].first), test.requests[index].second);
      EXPECT_EQ(table != nullptr, test.granted[index]) << test.requests[index].first;
      ASSERT_LT(index, host().TableRequests().size());
      EXPECT_EQ(host().TableRequests()[index].granted, test.granted[index]);
    }
    EXPECT_EQ(HostTableVersion(host().Table(test.queried)), test.versionAnswer);
  }
}

// Every grant is a table of its own, even of one name at one version, and each call through
// it is logged with that grant; the host's own tables are no grant.
TEST_F(HostTablesTest, EachGrantIsATableOfItsOwn) {
  HostAtom acroView = HostAtomFromString("AcroView");
  const uint32_t madeBy = host().CallCount() + 1;
  HostFunctionTable first = HostGetTable(acroView, 0x60000);
  HostFunctionTable second = HostGetTable(acroView, 0x60000);
  HostFunctionTable older = HostGetTable(acroView, 0x50000);
  ASSERT_TRUE(first && second && older);
  EXPECT_NE(first, second);
  EXPECT_NE(first, host().Table(HostTableId::AcroView));
  EXPECT_EQ(host().GrantId(host().Table(HostTableId::AcroView)), 0u);
  const std::vector<standin::TableGrant> grants = host().Grants();
  ASSERT_EQ(grants.size(), 3u);
  const struct {
    HostFunctionTable table;
    uint32_t version;
  } kGranted[] = {{first, 0x60000}, {second, 0x60000}, {older, 0x50000}};
  for (uint32_t id = 1; id <= 3; ++id) {
    const standin::TableGrant& grant = grants[id - 1];
    SCOPED_TRACE(id);
    EXPECT_EQ(grant.id, id);
    EXPECT_EQ(grant.name, "AcroView");
    EXPECT_EQ(grant.version, kGranted[id - 1].version);
    EXPECT_EQ(grant.madeBy, madeBy + id - 1);
    EXPECT_EQ(host().GrantId(kGranted[id - 1].table), id);
    // the version query answers the version the grant was made for
    EXPECT_EQ(HostTableVersion(kGranted[id - 1].table), kGranted[id - 1].version);
    reinterpret_cast<HostGetMenubarFn>(kGranted[id - 1].table[16])();
    EXPECT_EQ(host().Log().back().operation, "HostGetMenubar");
    EXPECT_EQ(host().Log().back().grant, id);
    EXPECT_EQ(host().Log().back().grantVersion, kGranted[id - 1].version);
  }
  HostGetMenubar();  // through the test's own tables: the host's
  EXPECT_EQ(host().Log().back().grant, 0u);
  HostProc notATable[4] = {};
  EXPECT_EQ(HostTableVersion(notATable), 0xFFFFFFFFu);
}

TEST_F(HostTablesTest, AtomsAreOnePerString) {
  HostAtom core = HostAtomFromString("Core");
  EXPECT_NE(core, 0);
  EXPECT_EQ(HostAtomFromString("Core"), core);
  EXPECT_NE(HostAtomFromString("Cos"), core);
  EXPECT_EQ(HostAtomFromString(nullptr), 0);
  EXPECT_EQ(host().AtomString(core), "Core");
  EXPECT_EQ(host().AtomRequests(), (std::vector<std::string>{"Core", "Core", "Cos"}));
}

// A forgotten log starts empty but the numbering goes on, so that a fault plan aimed at a later
// call still meets it.
TEST_F(HostTablesTest, ForgottenLogKeepsTheNumbering) {
  Scenario scenario;
  scenario.failCall = 3;
  Start(scenario);
  EXPECT_NE(HostAtomFromString("Core"), 0);
  host().ForgetLog();
  EXPECT_TRUE(host().Log().empty());
  EXPECT_NE(HostAtomFromString("Cos"), 0);
  EXPECT_EQ(HostAtomFromString("Core"), 0);  // the third call: the fault plan's
  ASSERT_EQ(host().Log().size(), 2u);
  EXPECT_EQ(host().Log()[0].number, 2u);
  EXPECT_FALSE(host().Log()[0].failed);
  EXPECT_EQ(host().Log()[1].number, 3u);
  EXPECT_TRUE(host().Log()[1].failed);
}

void HOSTCALL Marker() {}

TEST_F(HostTablesTest, CallbacksAreOpaqueAndResolve) {
  HostProc proc = &Marker;
  HostCallback callback = HostMakeCallback(0x1234, proc);
  ASSERT_NE(callback, nullptr);
  EXPECT_NE(reinterpret_cast<void*>(callback), reinterpret_cast<void*>(proc));
  EXPECT_EQ(host().ProcOf(callback), proc);
  EXPECT_EQ(host().CallbackExtensionId(callback), 0x1234u);
  EXPECT_NE(HostMakeCallback(0x1234, proc), callback);
  EXPECT_EQ(HostMakeCallback(0x1234, nullptr), nullptr);
  // Values that were never made by Core 8 resolve to nothing.
  EXPECT_EQ(host().ProcOf(reinterpret_cast<HostCallback>(proc)), nullptr);
  EXPECT_EQ(host().ProcOf(reinterpret_cast<HostCallback>(0x1234)), nullptr);
  EXPECT_EQ(host().ProcOf(nullptr), nullptr);
}

}  // namespace
