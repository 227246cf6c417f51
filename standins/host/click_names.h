// What a --click names, and what the plug-in registered under that name. A tool button and a
// menu item may share a name (the plug-in names its button after its UsingExtensions item), so
// a click can say which kind it means.
#pragma once

#include <string>
#include <vector>

#include "standins/host/host.h"

namespace standin {

// "button:NAME" a tool button only, "item:NAME" a menu item only, "MENU/ITEM" the item of one
// menu (also after "item:"), a bare NAME either. An empty name is no click.
struct ClickName {
  bool buttons = true;
  bool items = true;
  std::string menu;  // empty: any menu
  std::string name;
};

ClickName ParseClickName(const std::string& text);

struct ClickTarget {
  bool button = false;
  std::string menu;  // of an item
  std::string name;
};

// The plug-in's tool buttons, then the menu items in menu order, that the click names.
std::vector<ClickTarget> ClickTargets(const Host& host, const ClickName& click);

// How to name this target alone, given all that bear its name: "item:NAME" or "MENU/NAME".
std::string ClickSpelling(const ClickTarget& target, const std::vector<ClickTarget>& all);

}  // namespace standin
