#include "standins/host/click_names.h"

namespace standin {
namespace {

constexpr char kButtonPrefix[] = "button:";
constexpr char kItemPrefix[] = "item:";

bool TakePrefix(std::string* text, const std::string& prefix) {
  if (text->compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  text->erase(0, prefix.size());
  return true;
}

}  // namespace

ClickName ParseClickName(const std::string& text) {
  ClickName click;
  click.name = text;
  if (TakePrefix(&click.name, kButtonPrefix)) {
    click.items = false;
    return click;
  }
  click.buttons = !TakePrefix(&click.name, kItemPrefix);
  size_t slash = click.name.find('/');
  if (slash != std::string::npos) {
    // A button's name is the whole text; an item's is what follows its menu's name.
    click.menu = click.name.substr(0, slash);
  }
  return click;
}

std::vector<ClickTarget> ClickTargets(const Host& host, const ClickName& click) {
  std::vector<ClickTarget> targets;
  std::optional<ButtonInfo> button = click.buttons ? host.FindButton(click.name) : std::nullopt;
  if (button && !button->hostButton) {
    targets.push_back(ClickTarget{true, std::string(), button->name});
  }
  if (!click.items) {
    return targets;
  }
  const std::string itemName =
      click.menu.empty() ? click.name : click.name.substr(click.menu.size() + 1);
  for (const MenuInfo& menu : host.Menus()) {
    if (!click.menu.empty() && menu.name != click.menu) {
      continue;
    }
    for (const MenuItemInfo& item : menu.items) {
      if (item.name == itemName) {
        targets.push_back(ClickTarget{false, menu.name, item.name});
        break;  // the host runs the first item of that name in a menu
      }
    }
  }
  return targets;
}

std::string ClickSpelling(const ClickTarget& target, const std::vector<ClickTarget>& all) {
  if (target.button) {
    return kButtonPrefix + target.name;
  }
  size_t items = 0;
  for (const ClickTarget& other : all) {
    items += other.button ? 0 : 1;
  }
  return items == 1 ? kItemPrefix + target.name : target.menu + "/" + target.name;
}

}  // namespace standin
