// The init pass: host-menu items, the tool button and the own menu, and what clicking runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>

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
  explicit InitRun(Scenario scenario = Scenario(), void* moduleInstance = nullptr)
      : PlugInSession(std::move(scenario), moduleInstance) {
    before = host.CallCount();
    callbacksBefore = host.CallbackProcs().size();
    result = host.CallInit();
  }
  uint32_t before = 0;
  size_t callbacksBefore = 0;
  HostBool result = kHostFalse;
};

// The init pass with the module loaded beside the test, so that the tool icon is its real
// bitmap 102; the module is loaded before the host is made and unloaded after it is gone.
struct IconInitRun : LoadedModule, InitRun {
  explicit IconInitRun(Scenario scenario)
      : LoadedModule(BuiltModulePath()), InitRun(std::move(scenario), get()) {}
};

// What the init pass registers, in the order of creation.
struct Registration {
  const char* menu;  // null: the tool button
  const char* name;
  const char* title;
  ExecuteProc proc;
  bool computeEnabled;
  int32_t index;  // where it is added to its menu; -1: the button, before "endToolsGroup"
};
constexpr int32_t kAtTheEnd = 9999;  // the index that adds an item after all the others
const char kOwnMenu[] = "ADBE:KorvalumeMenu";
const Registration kRegistrations[] = {
    {"UsingExtensions", "ADBE:Korvalume", "Korvalume", &ExecuteHelpItem, false, kAtTheEnd},
    {"AboutExtensions", "ADBE:AboutKorvalume", "Korvalume...", &ExecuteAboutItem, false, kAtTheEnd},
    {nullptr, "ADBE:Korvalume", nullptr, &ExecuteImportItem, true, -1},
    {kOwnMenu, "ADBE:Korvalume_Import", "&Import", &ExecuteImportItem, true, 0},
    {kOwnMenu, "ADBE:Korvalume_Help", "&Help", &ExecuteHelpItem, true, 1},
    {kOwnMenu, "ADBE:Korvalume_About", "&About", &ExecuteAboutItem, true, 2},
};
constexpr int kRegistrationCount = static_cast<int>(std::size(kRegistrations));

bool InOwnMenu(const Registration& r) {
  return r.menu && std::string(r.menu) == kOwnMenu;
}
bool InHostMenu(const Registration& r) {
  return r.menu && r.index == kAtTheEnd;
}

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
  std::optional<MenuInfo> menu = run.host.FindMenu(kOwnMenu);
  ASSERT_TRUE(menu);
  EXPECT_EQ("Korvalume", menu->title);
  EXPECT_EQ(8, menu->menubarIndex);
  EXPECT_EQ(ExtensionId, menu->extensionId);
  ASSERT_EQ(3u, menu->items.size());
  size_t checked = 0;
  for (const Registration& r : kRegistrations) {
    if (!InOwnMenu(r))
      continue;
    SCOPED_TRACE(r.name);
    const MenuItemInfo& item = menu->items.at(r.index);
    ++checked;
    EXPECT_EQ(r.name, item.name);
    EXPECT_EQ(r.title, item.title);
    EXPECT_EQ(kHostTrue, item.longMenusOnly);
    EXPECT_EQ(nullptr, item.submenu);
    EXPECT_EQ(0, item.shortcut);
    EXPECT_EQ(0, item.flags);
    EXPECT_EQ(nullptr, item.icon);
    EXPECT_EQ(ExtensionId, item.extensionId);
    EXPECT_EQ(reinterpret_cast<HostProc>(r.proc), run.host.ProcOf(item.execute));
    EXPECT_EQ(reinterpret_cast<HostProc>(&ComputeEnabled), run.host.ProcOf(item.computeEnabled));
    EXPECT_EQ(nullptr, item.executeData);
  }
  EXPECT_EQ(menu->items.size(), checked);
}

TEST(InitPlugIn, AddsHelpAndAboutToTheHostMenusWithoutComputeEnabled) {
  InitRun run;
  size_t checked = 0;
  for (const Registration& r : kRegistrations) {
    if (!InHostMenu(r))
      continue;
    SCOPED_TRACE(r.name);
    ++checked;
    std::optional<MenuInfo> menu = run.host.FindMenu(r.menu);
    ASSERT_TRUE(menu);
    const MenuItemInfo* item = Item(*menu, r.name);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(r.title, item->title);
    EXPECT_EQ(kHostFalse, item->longMenusOnly);
    EXPECT_EQ(item, &menu->items.back()) << "added at index 9999: the end";
    EXPECT_EQ(reinterpret_cast<HostProc>(r.proc), run.host.ProcOf(item->execute));
    EXPECT_EQ(nullptr, item->computeEnabled);
  }
  EXPECT_EQ(2u, checked) << "UsingExtensions and AboutExtensions";
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
    std::optional<MenuInfo> own = run.host.FindMenu(kOwnMenu);
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

// The last argument of a logged call: the index of an add call.
std::string LastArgument(const standin::CallRecord& record) {
  return record.arguments.substr(record.arguments.rfind(", ") + 2);
}

// One creation that the host does not make, each on its own: that one gets no procedure and
// is not added; everything else is registered as usual, in its place, and the icon that no
// button took is given back.
TEST(InitPlugIn, ACreationTheHostRefusesIsLeftOutAndTheRestKeepTheirPlaces) {
  const struct {
    int refused;  // index in kRegistrations; -1: none
    const char* operation;
    uint32_t call;  // which call of the operation the host does not make
  } cases[] = {{-1, "", 0},
               {0, "HostNewMenuItem", 1},
               {1, "HostNewMenuItem", 2},
               {2, "HostNewToolButton", 1},
               {3, "HostNewMenuItem", 3},
               {4, "HostNewMenuItem", 4},
               {5, "HostNewMenuItem", 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refused < 0 ? "none refused" : kRegistrations[c.refused].name);
    Scenario scenario;
    scenario.failOperation = c.operation;
    scenario.failOperationCall = c.call;
    IconInitRun run(scenario);
    ASSERT_TRUE(run.ready);
    EXPECT_EQ(kHostTrue, run.result);
    EXPECT_TRUE(run.host.Alerts().empty());

    std::vector<HostProc> procs;
    std::vector<std::string> indices;
    std::vector<std::string> ownItems;
    for (int i = 0; i < kRegistrationCount; ++i) {
      const Registration& r = kRegistrations[i];
      SCOPED_TRACE(r.name);
      const bool made = i != c.refused;
      if (made) {
        procs.push_back(reinterpret_cast<HostProc>(r.proc));
        if (r.computeEnabled)
          procs.push_back(reinterpret_cast<HostProc>(&ComputeEnabled));
      }
      if (!r.menu) {
        std::optional<ButtonInfo> button = run.host.FindButton(r.name);
        ASSERT_EQ(made, button.has_value());
        if (!made)
          continue;
        EXPECT_EQ(run.host.FindButton("endToolsGroup")->toolBarIndex - 1, button->toolBarIndex);
        EXPECT_EQ(reinterpret_cast<HostProc>(r.proc), run.host.ProcOf(button->execute));
        EXPECT_TRUE(button->icon.isBitmap);
        EXPECT_TRUE(standin::IsLiveBitmap(button->icon.handle)) << "the button owns its icon";
        continue;
      }
      if (made) {
        indices.push_back(std::to_string(r.index));
        if (r.index != kAtTheEnd)
          ownItems.push_back(r.name);
      }
      std::optional<MenuInfo> menu = run.host.FindMenu(r.menu);
      ASSERT_TRUE(menu);
      const MenuItemInfo* item = Item(*menu, r.name);
      ASSERT_EQ(made, item != nullptr);
      if (!made)
        continue;
      EXPECT_EQ(r.title, item->title);
      EXPECT_EQ(reinterpret_cast<HostProc>(r.proc), run.host.ProcOf(item->execute));
      EXPECT_EQ(r.computeEnabled ? reinterpret_cast<HostProc>(&ComputeEnabled) : nullptr,
                run.host.ProcOf(item->computeEnabled));
    }
    const std::vector<HostProc> made = run.host.CallbackProcs();
    EXPECT_EQ(procs, std::vector<HostProc>(made.begin() + run.callbacksBefore, made.end()));

    // nothing is set on, added or handed back as an object the host did not make
    std::vector<std::string> added;
    for (const standin::CallRecord& record : run.host.Log()) {
      if (record.intoPlugIn || record.number <= run.before)
        continue;
      if (record.operation == "HostAddMenuItem")
        added.push_back(LastArgument(record));
      if (record.operation.find("Set") != std::string::npos ||
          record.operation.find("Add") != std::string::npos) {
        EXPECT_NE(0u, record.arguments.find("null")) << standin::FormatCallRecord(record);
      }
      if (record.operation == "HostNewToolButton") {
        EXPECT_EQ(std::string::npos, record.arguments.find(", null, "))
            << "the icon is a real bitmap";
      }
    }
    EXPECT_EQ(indices, added);
    std::optional<MenuInfo> own = run.host.FindMenu(kOwnMenu);
    ASSERT_TRUE(own);
    EXPECT_EQ(8, own->menubarIndex);
    std::vector<std::string> ownNames;
    for (const MenuItemInfo& item : own->items)
      ownNames.push_back(item.name);
    EXPECT_EQ(ownItems, ownNames);
    standin::LeakReport leaks = run.host.Leaks();
    EXPECT_EQ(0u, leaks.icons) << "the icon no button took is given back";
    EXPECT_TRUE(leaks.Clean());
  }
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
    for (const Registration& r : kRegistrations) {
      if (!r.computeEnabled)
        continue;
      EXPECT_TRUE(r.menu ? run.host.ItemEnabled(r.menu, r.name) : run.host.ButtonEnabled(r.name))
          << r.name << " on " << major;
    }
  }
  EXPECT_EQ(kHostTrue, ComputeEnabled(reinterpret_cast<void*>(0x1234)));
}

}  // namespace
