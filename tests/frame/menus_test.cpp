// The init pass: host-menu items, the tool button and the own menu, and what clicking runs.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame/commands.h"
#include "tests/frame/loaded_module.h"
#include "tests/support/plugin_session.h"
#include "tests/support/test_env.h"

namespace {

using standin::ButtonInfo;
using standin::MenuInfo;
using standin::MenuItemInfo;
using standin::Scenario;

struct InitRun : PlugInSession {
  explicit InitRun(Scenario scenario = Scenario()) : PlugInSession(std::move(scenario)) {
    before = host.CallCount();
    result = host.CallInit();
  }
  uint32_t before = 0;
  HostBool result = kHostFalse;
};

const MenuItemInfo* Item(const MenuInfo& menu, const std::string& name) {
  for (const MenuItemInfo& item : menu.items) {
    if (item.name == name)
      return &item;
  }
  return nullptr;
}

TEST(InitPlugIn, MakesItsCallsInOrder) {
  InitRun run;
  ASSERT_TRUE(run.ready);
  EXPECT_EQ(kHostTrue, run.result);
  const std::vector<std::string> hostMenuItem = {"HostAcquireMenuByName", "HostNewMenuItem",
                                                 "HostMakeCallback",      "HostSetItemExecuteProc",
                                                 "HostAddMenuItem",       "HostReleaseMenu"};
  const std::vector<std::string> ownItem = {"HostNewMenuItem", "HostMakeCallback",
                                            "HostSetItemExecuteProc", "HostMakeCallback",
                                            "HostSetItemComputeEnabledProc"};
  std::vector<std::string> expected = {"HostGetMenubar"};
  expected.insert(expected.end(), hostMenuItem.begin(), hostMenuItem.end());
  expected.insert(expected.end(), hostMenuItem.begin(), hostMenuItem.end());
  for (const char* op :
       {"HostGetToolBar", "HostAtomFromString", "HostGetButtonByName", "HostAtomFromString",
        "HostNewToolButton", "HostAddToolButton", "HostMakeCallback", "HostSetButtonExecuteProc",
        "HostMakeCallback", "HostSetButtonComputeEnabledProc", "HostSetButtonHelpText",
        "HostNewMenu"}) {
    expected.push_back(op);
  }
  for (int i = 0; i < 3; ++i)
    expected.insert(expected.end(), ownItem.begin(), ownItem.end());
  for (const char* op :
       {"HostAddMenuItem", "HostAddMenuItem", "HostAddMenuItem", "HostAddMenuToMenubar"}) {
    expected.push_back(op);
  }
  EXPECT_EQ(expected, run.OperationsSince(run.before));
  const std::vector<std::string> atoms = run.host.AtomRequests();
  EXPECT_EQ((std::vector<std::string>{"endToolsGroup", "ADBE:Korvalume"}),
            std::vector<std::string>(atoms.end() - 2, atoms.end()));
  EXPECT_TRUE(run.host.Leaks().Clean());
}

TEST(InitPlugIn, RegistersTheOwnMenuWithItsThreeItems) {
  InitRun run;
  std::optional<MenuInfo> menu = run.host.FindMenu("ADBE:KorvalumeMenu");
  ASSERT_TRUE(menu);
  EXPECT_EQ("Korvalume", menu->title);
  EXPECT_EQ(8, menu->menubarIndex);
  EXPECT_EQ(ExtensionId, menu->extensionId);
  const struct {
    const char* name;
    const char* title;
    ExecuteProc proc;
  } items[] = {{"ADBE:Korvalume_Import", "&Import", &ExecuteImportItem},
               {"ADBE:Korvalume_Help", "&Help", &ExecuteHelpItem},
               {"ADBE:Korvalume_About", "&About", &ExecuteAboutItem}};
  ASSERT_EQ(3u, menu->items.size());
  for (size_t i = 0; i < 3; ++i) {
    const MenuItemInfo& item = menu->items[i];
    SCOPED_TRACE(items[i].name);
    EXPECT_EQ(items[i].name, item.name);
    EXPECT_EQ(items[i].title, item.title);
    EXPECT_EQ(kHostTrue, item.longMenusOnly);
    EXPECT_EQ(nullptr, item.submenu);
    EXPECT_EQ(0, item.shortcut);
    EXPECT_EQ(0, item.flags);
    EXPECT_EQ(nullptr, item.icon);
    EXPECT_EQ(ExtensionId, item.extensionId);
    EXPECT_EQ(reinterpret_cast<HostProc>(items[i].proc), run.host.ProcOf(item.execute));
    EXPECT_EQ(reinterpret_cast<HostProc>(&ComputeEnabled), run.host.ProcOf(item.computeEnabled));
    EXPECT_EQ(nullptr, item.executeData);
  }
}

TEST(InitPlugIn, AddsHelpAndAboutToTheHostMenusWithoutComputeEnabled) {
  InitRun run;
  const struct {
    const char* menu;
    const char* item;
    const char* title;
    ExecuteProc proc;
  } cases[] = {{"UsingExtensions", "ADBE:Korvalume", "Korvalume", &ExecuteHelpItem},
               {"AboutExtensions", "ADBE:AboutKorvalume", "Korvalume...", &ExecuteAboutItem}};
  for (const auto& c : cases) {
    std::optional<MenuInfo> menu = run.host.FindMenu(c.menu);
    ASSERT_TRUE(menu);
    const MenuItemInfo* item = Item(*menu, c.item);
    ASSERT_NE(nullptr, item) << c.item;
    EXPECT_EQ(c.title, item->title);
    EXPECT_EQ(kHostFalse, item->longMenusOnly);
    EXPECT_EQ(item, &menu->items.back()) << "added at index 9999: the end";
    EXPECT_EQ(reinterpret_cast<HostProc>(c.proc), run.host.ProcOf(item->execute));
    EXPECT_EQ(nullptr, item->computeEnabled);
  }
  const auto& log = run.host.Log();
  auto added = std::find_if(log.begin(), log.end(), [](const standin::CallRecord& r) {
    return r.operation == "HostAddMenuItem";
  });
  ASSERT_NE(log.end(), added);
  EXPECT_NE(std::string::npos, added->arguments.find("9999"));
}

TEST(InitPlugIn, PutsTheToolButtonBeforeEndToolsGroup) {
  InitRun run;
  std::optional<ButtonInfo> button = run.host.FindButton("ADBE:Korvalume");
  std::optional<ButtonInfo> anchor = run.host.FindButton("endToolsGroup");
  ASSERT_TRUE(button && anchor);
  EXPECT_EQ(anchor->toolBarIndex - 1, button->toolBarIndex);
  EXPECT_EQ("Activates Korvalume command", button->helpText);
  EXPECT_EQ(kHostTrue, button->longOnly);
  EXPECT_EQ(kHostFalse, button->separator);
  EXPECT_EQ(reinterpret_cast<HostProc>(&ExecuteImportItem), run.host.ProcOf(button->execute));
  EXPECT_EQ(reinterpret_cast<HostProc>(&ComputeEnabled), run.host.ProcOf(button->computeEnabled));
  // the Import procedure is wrapped anew for the button and for the menu item
  std::optional<MenuInfo> menu = run.host.FindMenu("ADBE:KorvalumeMenu");
  ASSERT_TRUE(menu);
  EXPECT_NE(button->execute, Item(*menu, "ADBE:Korvalume_Import")->execute);
}

TEST(InitPlugIn, AHostMenuThatIsMissingIsLeftOutSilently) {
  for (bool usingMissing : {true, false}) {
    Scenario scenario;
    (usingMissing ? scenario.usingExtensionsMenu : scenario.aboutExtensionsMenu) = false;
    InitRun run(scenario);
    EXPECT_EQ(kHostTrue, run.result);
    EXPECT_TRUE(run.host.Alerts().empty());
    std::optional<MenuInfo> other =
        run.host.FindMenu(usingMissing ? "AboutExtensions" : "UsingExtensions");
    ASSERT_TRUE(other);
    EXPECT_NE(nullptr, Item(*other, usingMissing ? "ADBE:AboutKorvalume" : "ADBE:Korvalume"));
    EXPECT_TRUE(run.host.FindButton("ADBE:Korvalume"));
    std::optional<MenuInfo> own = run.host.FindMenu("ADBE:KorvalumeMenu");
    ASSERT_TRUE(own);
    EXPECT_EQ(3u, own->items.size());
    EXPECT_TRUE(run.host.Leaks().Clean());
  }
}

TEST(InitPlugIn, AnOwnMenuTheHostRefusesGivesOneAlertAndStillTrue) {
  Scenario scenario;
  scenario.refuseOwnMenu = true;
  InitRun run(scenario);
  EXPECT_EQ(kHostTrue, run.result);
  EXPECT_EQ((std::vector<std::string>{"Unable to create the Korvalume menu"}), run.host.Alerts());
  EXPECT_FALSE(run.host.FindMenu("ADBE:KorvalumeMenu"));
  EXPECT_TRUE(run.host.FindButton("ADBE:Korvalume"));
  EXPECT_NE(nullptr, Item(*run.host.FindMenu("UsingExtensions"), "ADBE:Korvalume"));
  EXPECT_NE(nullptr, Item(*run.host.FindMenu("AboutExtensions"), "ADBE:AboutKorvalume"));
  EXPECT_EQ("HostAlert", run.OperationsSince(run.before).back());
}

// Both ways to each command run the same command: on a host that is not version 9 the
// Import command's gate answers, and Help finds no help file beside the module.
TEST(InitPlugIn, ButtonAndItemsRunTheirCommands) {
  ModuleCopy module;
  ASSERT_NE(nullptr, module.get());
  Scenario scenario;
  scenario.appMajor = 8;
  InitRun run(scenario);
  const std::string gate = "This plug-in is designed to work with Acrobat 9 only";
  const std::string help = "Error displaying Korvalume for Acrobat help file.";
  EXPECT_TRUE(run.host.ClickButton("ADBE:Korvalume"));
  EXPECT_TRUE(run.host.ClickItem("ADBE:KorvalumeMenu", "ADBE:Korvalume_Import"));
  EXPECT_TRUE(run.host.ClickItem("UsingExtensions", "ADBE:Korvalume"));
  EXPECT_TRUE(run.host.ClickItem("ADBE:KorvalumeMenu", "ADBE:Korvalume_Help"));
  EXPECT_EQ((std::vector<std::string>{gate, gate, help, help}), run.host.Alerts());

  testenv::ScratchDir scratch;
  testenv::ScopedEnv log("KV_ABOUT_LOG", scratch.File("about.txt").c_str());
  EXPECT_TRUE(run.host.ClickItem("AboutExtensions", "ADBE:AboutKorvalume"));
  EXPECT_TRUE(run.host.ClickItem("ADBE:KorvalumeMenu", "ADBE:Korvalume_About"));
  EXPECT_EQ("Korvalume for Acrobat ???? version 1.0\nKorvalume for Acrobat ???? version 1.0\n",
            testenv::ReadFile(scratch.File("about.txt")));
}

TEST(InitPlugIn, EverythingThatAsksIsEnabledOnAnyHost) {
  for (int16_t major : {8, 9, 10}) {
    Scenario scenario;
    scenario.appMajor = major;
    InitRun run(scenario);
    EXPECT_TRUE(run.host.ButtonEnabled("ADBE:Korvalume"));
    for (const char* item :
         {"ADBE:Korvalume_Import", "ADBE:Korvalume_Help", "ADBE:Korvalume_About"}) {
      EXPECT_TRUE(run.host.ItemEnabled("ADBE:KorvalumeMenu", item)) << item;
    }
  }
  EXPECT_EQ(kHostTrue, ComputeEnabled(reinterpret_cast<void*>(0x1234)));
}

}  // namespace
