#include "standins/host/run_report.h"

#include "standins/host/click_names.h"
#include "standins/host/handles.h"
#include "standins/host/model_summary.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

const char* Answer(HostBool value) {
  return value == kHostFalse ? "false" : "true";
}

std::string ShowIconInfo(const IconInfo& icon) {
  if (icon.handle == nullptr) {
    return "no icon";
  }
  if (!icon.isBitmap) {
    return "icon " + ShowPointer(icon.handle) + " (not a bitmap)";
  }
  return "icon " + std::to_string(icon.width) + "x" + std::to_string(icon.height) + ", " +
         std::to_string(icon.bitsPerPixel) + " bpp";
}

void PrintItems(std::FILE* out, Host& host, const MenuInfo& menu) {
  for (size_t index = 0; index < menu.items.size(); ++index) {
    const MenuItemInfo& item = menu.items[index];
    bool enabled = host.ItemEnabled(menu.name, item.name);
    std::fprintf(out,
                 "  item %s at index %zu: title %s, shortcut %d, flags 0x%X, long menus only %s,"
                 " execute %s, %s\n",
                 Quote(item.name.c_str()).c_str(), index, Quote(item.title.c_str()).c_str(),
                 static_cast<int>(item.shortcut), static_cast<unsigned>(item.flags),
                 Answer(item.longMenusOnly), ShowHandle(item.execute).c_str(),
                 enabled ? "enabled" : "disabled");
  }
}

void PrintButton(std::FILE* out, Host& host, const ButtonInfo& button,
                 const std::vector<ButtonInfo>& bar) {
  std::string place = "not on the tool bar";
  if (button.toolBarIndex >= 0) {
    place = "tool bar index " + std::to_string(button.toolBarIndex);
    if (button.toolBarIndex > 0) {
      place += ", after " + Quote(bar[button.toolBarIndex - 1].name.c_str());
    }
  }
  bool enabled = host.ButtonEnabled(button.name);
  std::fprintf(out, "tool button %s at %s: help %s, %s%s%s, execute %s, %s\n",
               Quote(button.name.c_str()).c_str(), place.c_str(),
               Quote(button.helpText.c_str()).c_str(), ShowIconInfo(button.icon).c_str(),
               button.separator ? ", separator" : "", button.longOnly ? ", long only" : "",
               ShowHandle(button.execute).c_str(), enabled ? "enabled" : "disabled");
}

}  // namespace

void PrintLoading(std::FILE* out, const Host& host) {
  const PlugInRecord& plugIn = host.PlugIn();
  std::fprintf(out, "handshake: host offered 0x%X, plug-in agreed 0x%X, PlugInMain answered %s\n",
               static_cast<unsigned>(plugIn.hostHandshakeVersion),
               static_cast<unsigned>(plugIn.agreedVersion), Answer(plugIn.mainResult));
  for (const TableRequest& request : host.TableRequests()) {
    std::fprintf(out, "table %s version 0x%X: %s, version recorded 0x%X\n", request.name.c_str(),
                 static_cast<unsigned>(request.version), request.granted ? "granted" : "refused",
                 static_cast<unsigned>(request.recorded));
  }
  std::fprintf(out, "set-up: %s\n", plugIn.setupCalled ? Answer(plugIn.setupResult) : "not called");
  std::fprintf(out, "handshake callback: %s, answered %s\n",
               ShowHandle(plugIn.setupData.handshakeCallback).c_str(),
               plugIn.handshakeCalled ? Answer(plugIn.handshakeResult) : "(not called)");
  const HandshakeData& data = plugIn.handshakeData;
  std::fprintf(out, "extension name: %s\n", Quote(host.ExtensionName().c_str()).c_str());
  std::fprintf(out, "callbacks: export tables %s, import/replace/register %s, init %s, unload %s\n",
               ShowHandle(data.exportTables).c_str(),
               ShowHandle(data.importReplaceAndRegister).c_str(), ShowHandle(data.init).c_str(),
               ShowHandle(data.unload).c_str());
}

void PrintRegistrations(std::FILE* out, Host& host) {
  for (const MenuInfo& menu : host.Menus()) {
    if (menu.hostMenu && menu.items.empty()) {
      continue;
    }
    std::string place = menu.menubarIndex >= 0
                            ? "at menubar index " + std::to_string(menu.menubarIndex)
                            : "not on the menubar";
    std::fprintf(out, "%s %s %s: title %s, %zu items\n", menu.hostMenu ? "host menu" : "menu",
                 Quote(menu.name.c_str()).c_str(), place.c_str(), Quote(menu.title.c_str()).c_str(),
                 menu.items.size());
    PrintItems(out, host, menu);
  }
  std::vector<ButtonInfo> buttons = host.Buttons();
  for (const ButtonInfo& button : buttons) {
    if (!button.hostButton) {
      PrintButton(out, host, button, buttons);
    }
  }
}

bool Click(std::FILE* out, Host& host, const std::string& text) {
  const ClickName click = ParseClickName(text);
  const std::vector<ClickTarget> targets = ClickTargets(host, click);
  const std::string shown = Quote(text.c_str());
  if (targets.empty()) {
    const char* missing = !click.items     ? "no tool button of the plug-in by that name"
                          : !click.buttons ? "no menu item by that name"
                                           : "nothing registered by that name";
    std::fprintf(out, "click %s: %s\n", shown.c_str(), missing);
    return false;
  }
  const ClickTarget& chosen = targets.front();
  bool done =
      chosen.button ? host.ClickButton(chosen.name) : host.ClickItem(chosen.menu, chosen.name);
  std::string what = chosen.button ? "tool button"
                                   : "menu item " + Quote(chosen.name.c_str()) + " in " +
                                         Quote(chosen.menu.c_str());
  std::fprintf(out, "click %s: %s %s\n", shown.c_str(), what.c_str(),
               done ? "executed" : "has no execute procedure");
  // A bare name that more than one thing bears: say how to click each of the others.
  for (size_t other = 1; other < targets.size(); ++other) {
    const ClickTarget& target = targets[other];
    std::string kind =
        target.button ? "a tool button" : "a menu item in " + Quote(target.menu.c_str());
    std::fprintf(out, "  %s bears the same name too: --click %s clicks it\n", kind.c_str(),
                 ClickSpelling(target, targets).c_str());
  }
  return true;
}

void PrintAlertsAndDocuments(std::FILE* out, const Host& host) {
  for (const std::string& alert : host.Alerts()) {
    std::fprintf(out, "alert: %s\n", Quote(alert.c_str()).c_str());
  }
  for (const std::string& refused : host.RefusedOpens()) {
    std::fprintf(out, "document not opened: %s\n", refused.c_str());
  }
  for (HostViewDoc view : host.OpenedDocuments()) {
    const DocumentModel* document = host.Document(view);
    const std::vector<uint8_t>* prc = document ? FirstModelStream(*document) : nullptr;
    if (prc == nullptr) {
      continue;
    }
    std::fprintf(out, "document %s: PRC stream %zu bytes, %s\n",
                 Quote(document->title.c_str()).c_str(), prc->size(),
                 DescribeModelFile(*prc).c_str());
  }
}

void PrintLeaks(std::FILE* out, const Host& host) {
  LeakReport leaks = host.Leaks();
  if (leaks.Clean()) {
    std::fprintf(out, "leaks: none\n");
    return;
  }
  std::fprintf(out,
               "leaks: %zu blocks (%zu bytes), %zu path names, %zu text objects, %zu streams, "
               "%zu host menu acquisitions, %zu tool-button icons\n",
               leaks.blocks.size(), leaks.BlockBytes(), leaks.pathNames, leaks.texts, leaks.streams,
               leaks.menuAcquisitions, leaks.icons);
  for (const BlockLeak& block : leaks.blocks) {
    std::fprintf(out, "  block %s of %zu bytes\n", ShowPointer(block.block).c_str(), block.size);
  }
  for (const std::string& error : leaks.memoryErrors) {
    std::fprintf(out, "memory error: %s\n", error.c_str());
  }
  for (const std::string& error : leaks.handleErrors) {
    std::fprintf(out, "handle error: %s\n", error.c_str());
  }
}

}  // namespace standin
