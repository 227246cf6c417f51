// The init callback: the plug-in's items in the host menus, its tool button and its own menu.
#include <windows.h>

#include "frame/commands.h"
#include "frame/frame_state.h"
#include "frame/tool_icon.h"
#include "platform/acrobat/host_operations.h"

namespace {

constexpr int32_t kAppendIndex = 9999;
constexpr int32_t kOwnMenuIndex = 8;

// note: objects the host failed to make (null) are not handed back to it.

// An item at the end of a host menu, when the host has that menu. The menu acquired by name
// is the only object given back.
void AddHostMenuItem(HostMenubar menubar, const char* menuName, const char* title, const char* name,
                     ExecuteProc proc) {
  if (!menubar)
    return;
  HostMenu menu = HostAcquireMenuByName(menubar, menuName);
  if (!menu)
    return;
  HostMenuItem item = HostNewMenuItem(title, name, nullptr, 0, 0, 0, nullptr, ExtensionId);
  if (item) {
    HostSetItemExecuteProc(item, MakeHostCallback(proc), nullptr);
    HostAddMenuItem(menu, item, kAppendIndex);
  }
  HostReleaseMenu(menu);
}

// The tool button that runs Import, before the host's "endToolsGroup" button.
void AddToolButton() {
  HostToolBar toolBar = HostGetToolBar();
  if (!toolBar)
    return;
  HostToolButton anchor = HostGetButtonByName(toolBar, HostAtomFromString("endToolsGroup"));
  HBITMAP icon = LoadToolIcon();
  HostToolButton button = HostNewToolButton(HostAtomFromString("ADBE:Korvalume"), icon, 1, 0);
  if (!button) {
    // a button takes its icon over; with no button the bitmap is still ours to give back
    if (icon)
      DeleteObject(icon);
    return;
  }
  HostAddToolButton(toolBar, button, 1, anchor);
  HostSetButtonExecuteProc(button, MakeHostCallback(&ExecuteImportItem), nullptr);
  HostSetButtonComputeEnabledProc(button, MakeHostCallback(&ComputeEnabled), nullptr);
  HostSetButtonHelpText(button, "Activates Korvalume command");
}

struct OwnMenuItem {
  const char* title;
  const char* name;
  ExecuteProc proc;
};

HostMenuItem NewOwnMenuItem(const OwnMenuItem& entry) {
  HostMenuItem item =
      HostNewMenuItem(entry.title, entry.name, nullptr, 1, 0, 0, nullptr, ExtensionId);
  if (item) {
    HostSetItemExecuteProc(item, MakeHostCallback(entry.proc), nullptr);
    HostSetItemComputeEnabledProc(item, MakeHostCallback(&ComputeEnabled), nullptr);
  }
  return item;
}

// The own menu with Import, Help and About, at its place in the menubar.
void AddOwnMenu(HostMenubar menubar) {
  HostMenu menu = HostNewMenu("Korvalume", "ADBE:KorvalumeMenu", ExtensionId);
  if (!menu) {
    HostAlert("Unable to create the Korvalume menu");
    return;
  }
  const OwnMenuItem entries[] = {
      {"&Import", "ADBE:Korvalume_Import", &ExecuteImportItem},
      {"&Help", "ADBE:Korvalume_Help", &ExecuteHelpItem},
      {"&About", "ADBE:Korvalume_About", &ExecuteAboutItem},
  };
  HostMenuItem items[3];
  for (int i = 0; i < 3; ++i)
    items[i] = NewOwnMenuItem(entries[i]);
  for (int i = 0; i < 3; ++i) {
    if (items[i])
      HostAddMenuItem(menu, items[i], i);
  }
  if (menubar)
    HostAddMenuToMenubar(menubar, menu, kOwnMenuIndex);
}

}  // namespace

HostBool HOSTCALL InitPlugIn() {
  HostMenubar menubar = HostGetMenubar();
  AddHostMenuItem(menubar, "UsingExtensions", "Korvalume", "ADBE:Korvalume", &ExecuteHelpItem);
  AddHostMenuItem(menubar, "AboutExtensions", "Korvalume...", "ADBE:AboutKorvalume",
                  &ExecuteAboutItem);
  AddToolButton();
  AddOwnMenu(menubar);
  return kHostTrue;
}
