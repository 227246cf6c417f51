// What a plug-in registered with the stand-in host's user interface, as tests read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/acrobat/host_abi.h"

namespace standin {

// What a tool button's icon turned out to be. On the native build the bitmap's bytes are kept
// (a packed device-independent bitmap); the sizes come from its header on both builds.
struct IconInfo {
  const void* handle = nullptr;  // what the plug-in passed (null: no icon)
  bool isBitmap = false;         // the handle was a bitmap the host could read
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  std::vector<uint8_t> bits;
};

struct MenuItemInfo {
  // The eight creation arguments of AcroView 90, as passed.
  std::string title;
  std::string name;
  HostMenu submenu = nullptr;
  HostBool longMenusOnly = kHostFalse;
  int32_t shortcut = 0;
  int32_t flags = 0;
  void* icon = nullptr;
  uint32_t extensionId = 0;
  // Set by AcroView 99 and 100.
  HostCallback execute = nullptr;
  void* executeData = nullptr;
  HostCallback computeEnabled = nullptr;
  void* computeEnabledData = nullptr;
};

struct MenuInfo {
  std::string name;
  std::string title;
  bool hostMenu = false;  // one of the host's, not made by AcroView 78
  uint32_t extensionId = 0;
  int menubarIndex = -1;  // -1: not on the menubar
  std::vector<MenuItemInfo> items;
};

struct ButtonInfo {
  std::string name;
  HostAtom nameAtom = 0;
  bool hostButton = false;
  IconInfo icon;
  HostBool longOnly = kHostFalse;
  HostBool separator = kHostFalse;
  std::string helpText;
  HostCallback execute = nullptr;
  void* executeData = nullptr;
  HostCallback computeEnabled = nullptr;
  void* computeEnabledData = nullptr;
  int toolBarIndex = -1;  // -1: not on the tool bar
};

}  // namespace standin
