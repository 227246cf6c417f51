// Driving a plug-in: the fake plug-in module loaded, set up, handshaken and initialised, what it
// registered, its clicks, and every one of its host calls made to fail in turn.
#include <cstdio>
#include <string>

#include "standins/host/stdin_feed.h"
#include "tests/host/host_test_support.h"

namespace {

using standin::Host;
using standin::Scenario;

const char kModelName[] = "host_plugin_test.prc";

class HostPlugInTest : public HostTest {
 protected:
  static void SetUpTestSuite() {
    std::FILE* file = std::fopen(kModelName, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("not really a model file", file);
    std::fclose(file);
  }
  static void TearDownTestSuite() { std::remove(kModelName); }

  // Load, click everything, unload.
  void RunEverything() {
    LoadFakePlugIn(host(), plugIn_);
    host().ClickButton("KV:Hello");
    host().ClickItem("KV:FakeMenu", "KV:MenuHello");
    ASSERT_TRUE(standin::FeedStandardInput({kModelName}));
    host().ClickItem("UsingExtensions", "KV:OpenModel");
    host().CallUnload();
  }

  FakePlugIn plugIn_;
};

TEST_F(HostPlugInTest, LoadsAndRegisters) {
  ASSERT_NE(plugIn_.main, nullptr) << "FakePlugIn.api not found beside the test";
  ASSERT_TRUE(LoadFakePlugIn(host(), plugIn_));
  const standin::PlugInRecord& record = host().PlugIn();
  EXPECT_EQ(record.agreedVersion, kHandshakeVersion);
  EXPECT_EQ(record.windowsData.moduleInstance, plugIn_.module);
  EXPECT_EQ(record.setupData.extensionId, host().scenario().extensionId);
  EXPECT_EQ(host().ExtensionName(), "KV:FakePlugIn");
  EXPECT_EQ(host().TableRequests().size(), 6u);

  std::optional<standin::MenuInfo> tools = host().FindMenu("UsingExtensions");
  ASSERT_TRUE(tools);
  ASSERT_EQ(tools->items.size(), 1u);
  const standin::MenuItemInfo& item = tools->items[0];
  EXPECT_EQ(item.title, "Open Model...");
  EXPECT_EQ(item.name, "KV:OpenModel");
  EXPECT_EQ(item.extensionId, host().scenario().extensionId);
  EXPECT_NE(host().ProcOf(item.execute), nullptr);

  std::optional<standin::MenuInfo> own = host().FindMenu("KV:FakeMenu");
  ASSERT_TRUE(own);
  EXPECT_EQ(own->menubarIndex, 3);
  std::optional<standin::ButtonInfo> button = host().FindButton("KV:Hello");
  ASSERT_TRUE(button);
  EXPECT_EQ(button->toolBarIndex, 3);  // after open, print, endToolsGroup
  EXPECT_EQ(button->helpText, "Say hello");
  EXPECT_TRUE(host().ButtonEnabled("KV:Hello"));
  EXPECT_FALSE(host().ClickButton("no such button"));
}

TEST_F(HostPlugInTest, ClicksReachTheProcedures) {
  RunEverything();
  EXPECT_EQ(host().Alerts(), (std::vector<std::string>{"fake plug-in: hello", "fake plug-in: hello",
                                                       "fake plug-in: read 23 bytes"}));
  ASSERT_EQ(host().OpenedDocuments().size(), 1u);
  EXPECT_EQ(host().Document(host().OpenedDocuments()[0])->title, "fake model");
  EXPECT_TRUE(host().Leaks().Clean()) << host().FormatLog();
}

struct LayoutCase {
  const char* what;
  void (*change)(Scenario*);
  bool hostItem;
  int ownMenuIndex;  // -1: no own menu
  int buttonIndex;
};

TEST_F(HostPlugInTest, ScenarioShapesTheLayout) {
  const LayoutCase kCases[] = {
      {"no UsingExtensions", [](Scenario* s) { s->usingExtensionsMenu = false; }, false, 3, 3},
      {"own menu refused", [](Scenario* s) { s->refuseOwnMenu = true; }, true, -1, 3},
      {"no endToolsGroup", [](Scenario* s) { s->endToolsGroupButton = false; }, true, 3, 3},
      {"short menubar", [](Scenario* s) { s->menubarMenus = {"File"}; }, true, 1, 3},
  };
  for (const LayoutCase& test : kCases) {
    SCOPED_TRACE(test.what);
    Scenario scenario;
    test.change(&scenario);
    Start(scenario);
    EXPECT_TRUE(LoadFakePlugIn(host(), plugIn_));
    std::optional<standin::MenuInfo> tools = host().FindMenu("UsingExtensions");
    EXPECT_EQ(tools && !tools->items.empty(), test.hostItem);
    std::optional<standin::MenuInfo> own = host().FindMenu("KV:FakeMenu");
    EXPECT_EQ(own ? own->menubarIndex : -1, test.ownMenuIndex);
    std::optional<standin::ButtonInfo> button = host().FindButton("KV:Hello");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->toolBarIndex, test.buttonIndex);
    EXPECT_TRUE(host().Leaks().Clean());
  }
}

TEST_F(HostPlugInTest, HandshakeWithoutSetUpIsRefused) {
  EXPECT_FALSE(host().CallHandshake());
  EXPECT_FALSE(host().CallInit());
  EXPECT_FALSE(host().PlugIn().handshakeCalled);
  ASSERT_FALSE(host().Log().empty());
  EXPECT_TRUE(host().Log().back().intoPlugIn);
}

// Set-up after set-up uses up the host's grants; once none is left for the record's Core table,
// the set-up is refused rather than handed a null table.
TEST_F(HostPlugInTest, SetUpWithNoGrantLeftIsRefused) {
  ASSERT_TRUE(host().CallPlugInMain(plugIn_.main, plugIn_.module, nullptr));
  const standin::CallRecord* refused = nullptr;
  for (int attempt = 0; attempt < 100 && refused == nullptr; ++attempt) {
    host().CallSetup();
    const standin::CallRecord& last = host().Log().back();
    if (last.intoPlugIn && last.note == "no grant left for the Core table") {
      refused = &last;
    }
  }
  ASSERT_NE(refused, nullptr);
  EXPECT_EQ(refused->result, "false");
  for (const standin::CallRecord& record : host().Log()) {
    if (record.intoPlugIn && record.operation == "set-up" && &record != refused) {
      EXPECT_NE(record.arguments.find("table Core"), std::string::npos) << record.arguments;
    }
  }
}

// Every host call of a whole run made to fail in turn: the run goes on, the chosen call is the
// one that failed (or says why it could not), and nothing else did.
TEST_F(HostPlugInTest, EachCallCanBeMadeToFail) {
  RunEverything();
  const uint32_t total = host().CallCount();
  ASSERT_GT(total, 40u);
  for (uint32_t n = 1; n <= total; ++n) {
    Scenario scenario;
    scenario.failCall = n;
    scenario.printAlerts = false;
    Start(scenario);
    RunEverything();
    SCOPED_TRACE("call " + std::to_string(n) + "\n" + host().FormatLog());
    uint32_t failed = 0;
    for (const standin::CallRecord& record : host().Log()) {
      failed += record.failed ? 1 : 0;
      if (record.number == n) {
        EXPECT_TRUE(record.failed || record.note.find("fault ignored") != std::string::npos);
      } else {
        EXPECT_FALSE(record.failed);
      }
    }
    EXPECT_LE(failed, 1u);
    EXPECT_TRUE(host().Leaks().memoryErrors.empty());
  }
}

TEST_F(HostPlugInTest, NamedOperationFails) {
  Scenario scenario;
  scenario.failOperation = "HostGetTable";
  scenario.failOperationCall = 3;
  Start(scenario);
  EXPECT_FALSE(LoadFakePlugIn(host(), plugIn_));
  ASSERT_EQ(host().TableRequests().size(), 3u);
  EXPECT_TRUE(host().TableRequests()[1].granted);
  EXPECT_FALSE(host().TableRequests()[2].granted);
  EXPECT_FALSE(host().PlugIn().setupResult);

  scenario.failOperation = "HostAlert";
  scenario.failOperationCall = 1;
  scenario.printAlerts = false;
  Start(scenario);
  ASSERT_TRUE(LoadFakePlugIn(host(), plugIn_));
  host().ClickButton("KV:Hello");
  EXPECT_EQ(host().Alerts().size(), 1u);
  EXPECT_NE(host().FormatLog().find("fault ignored: no result"), std::string::npos);
}

}  // namespace
