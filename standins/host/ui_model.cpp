// The views of the menus and tool buttons that tests and the program read.
#include <algorithm>

#include "standins/host/host_state.h"

namespace standin {
namespace {

MenuInfo MenuView(const HostState& state, size_t id) {
  const MenuRec& record = state.menus[id];
  MenuInfo info = record.info;
  auto place = std::find(state.menubar.begin(), state.menubar.end(), id);
  info.menubarIndex =
      place == state.menubar.end() ? -1 : static_cast<int>(place - state.menubar.begin());
  for (size_t item : record.itemIds) {
    info.items.push_back(state.items[item]);
  }
  return info;
}

ButtonInfo ButtonView(const HostState& state, size_t id) {
  ButtonInfo info = state.buttons[id];
  auto place = std::find(state.toolBar.begin(), state.toolBar.end(), id);
  info.toolBarIndex =
      place == state.toolBar.end() ? -1 : static_cast<int>(place - state.toolBar.begin());
  return info;
}

}  // namespace

std::vector<MenuInfo> Host::Menus() const {
  std::vector<MenuInfo> menus;
  for (size_t id : state_->menubar) {
    menus.push_back(MenuView(*state_, id));
  }
  for (size_t id = 0; id < state_->menus.size(); ++id) {
    if (std::find(state_->menubar.begin(), state_->menubar.end(), id) == state_->menubar.end()) {
      menus.push_back(MenuView(*state_, id));
    }
  }
  return menus;
}

std::optional<MenuInfo> Host::FindMenu(const std::string& name) const {
  for (size_t id = 0; id < state_->menus.size(); ++id) {
    if (state_->menus[id].info.name == name) {
      return MenuView(*state_, id);
    }
  }
  return std::nullopt;
}

std::vector<ButtonInfo> Host::Buttons() const {
  std::vector<ButtonInfo> buttons;
  for (size_t id : state_->toolBar) {
    buttons.push_back(ButtonView(*state_, id));
  }
  for (size_t id = 0; id < state_->buttons.size(); ++id) {
    if (std::find(state_->toolBar.begin(), state_->toolBar.end(), id) == state_->toolBar.end()) {
      buttons.push_back(ButtonView(*state_, id));
    }
  }
  return buttons;
}

// A plug-in's button is preferred to a host button of the same name.
std::optional<ButtonInfo> Host::FindButton(const std::string& name) const {
  std::optional<ButtonInfo> found;
  for (size_t id = 0; id < state_->buttons.size(); ++id) {
    const ButtonInfo& button = state_->buttons[id];
    if (button.name == name && (!found || !button.hostButton)) {
      found = ButtonView(*state_, id);
    }
  }
  return found;
}

}  // namespace standin
