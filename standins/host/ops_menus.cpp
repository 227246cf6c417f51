// The menubar, menus and menu items (AcroView 16, 71, 77, 78, 80, 89, 90, 99, 100).
#include <algorithm>

#include "standins/host/handles.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

MenuRec* MenuOf(HostState& state, HostMenu menu) {
  size_t index = 0;
  if (!HandleIndex(menu, HandleKind::Menu, &index) || index >= state.menus.size()) {
    return nullptr;
  }
  return &state.menus[index];
}

MenuItemInfo* ItemOf(HostState& state, HostMenuItem item) {
  size_t index = 0;
  if (!HandleIndex(item, HandleKind::MenuItem, &index) || index >= state.items.size()) {
    return nullptr;
  }
  return &state.items[index];
}

bool IsMenubar(HostMenubar menubar) {
  size_t index = 0;
  return HandleIndex(menubar, HandleKind::Menubar, &index) && index == 0;
}

// An index outside the list appends.
template <typename T>
void InsertAt(std::vector<T>& list, int32_t index, T value) {
  if (index < 0 || static_cast<size_t>(index) > list.size()) {
    list.push_back(value);
  } else {
    list.insert(list.begin() + index, value);
  }
}

void NoteCallback(OpCall& call, HostCallback callback) {
  size_t index = 0;
  if (callback != nullptr && !HandleIndex(callback, HandleKind::Callback, &index)) {
    call.Note("not a callback of this host");
  }
}

}  // namespace

HostMenubar HOSTCALL op::HostGetMenubar() {
  OpCall call(OpId::HostGetMenubar, "");
  if (call.Failed()) {
    return call.Answer<HostMenubar>(nullptr, "null");
  }
  HostMenubar menubar = MakeHandle<HostMenubar>(HandleKind::Menubar, 0);
  return call.Answer(menubar, ShowHandle(menubar));
}

HostMenu HOSTCALL op::HostAcquireMenuByName(HostMenubar menubar, const char* name) {
  OpCall call(OpId::HostAcquireMenuByName, Args({ShowHandle(menubar), Quote(name)}));
  HostState& state = call.state();
  if (call.Failed() || !IsMenubar(menubar) || name == nullptr) {
    return call.Answer<HostMenu>(nullptr, "null");
  }
  for (size_t index = 0; index < state.menus.size(); ++index) {
    if (state.menus[index].info.name == name) {
      ++state.menus[index].acquired;
      HostMenu menu = MakeHandle<HostMenu>(HandleKind::Menu, index);
      return call.Answer(menu, ShowHandle(menu));
    }
  }
  call.Note("no such menu");
  return call.Answer<HostMenu>(nullptr, "null");
}

HostMenu HOSTCALL op::HostNewMenu(const char* title, const char* name, uint32_t extensionId) {
  OpCall call(OpId::HostNewMenu, Args({Quote(title), Quote(name), Hex32(extensionId)}));
  HostState& state = call.state();
  if (call.Failed() || state.scenario.refuseOwnMenu) {
    if (!call.Failed()) {
      call.Note("refused by the scenario");
    }
    return call.Answer<HostMenu>(nullptr, "null");
  }
  HostMenu menu = MakeHandle<HostMenu>(HandleKind::Menu, state.menus.size());
  if (menu == nullptr) {
    return call.Answer<HostMenu>(nullptr, "null");
  }
  MenuRec record;
  record.info.name = TextOf(name);
  record.info.title = TextOf(title);
  record.info.extensionId = extensionId;
  record.acquired = 1;  // the creator holds the new menu
  state.menus.push_back(std::move(record));
  return call.Answer(menu, ShowHandle(menu));
}

void HOSTCALL op::HostReleaseMenu(HostMenu menu) {
  OpCall call(OpId::HostReleaseMenu, Args({ShowHandle(menu)}));
  call.Done();
  MenuRec* record = MenuOf(call.state(), menu);
  if (record == nullptr || record->acquired == 0) {
    std::string error = "release of a menu not acquired: " + ShowHandle(menu);
    call.state().handleErrors.push_back(error);
    call.Note(error);
    return;
  }
  --record->acquired;
}

void HOSTCALL op::HostAddMenuToMenubar(HostMenubar menubar, HostMenu menu, int32_t index) {
  OpCall call(OpId::HostAddMenuToMenubar,
              Args({ShowHandle(menubar), ShowHandle(menu), ShowInt(index)}));
  call.Done();
  HostState& state = call.state();
  size_t id = 0;
  if (!IsMenubar(menubar) || !HandleIndex(menu, HandleKind::Menu, &id) ||
      id >= state.menus.size()) {
    call.Note("not a menubar and menu");
    return;
  }
  if (std::find(state.menubar.begin(), state.menubar.end(), id) != state.menubar.end()) {
    call.Note("already on the menubar");
    return;
  }
  InsertAt(state.menubar, index, id);
}

HostMenuItem HOSTCALL op::HostNewMenuItem(const char* title, const char* name, HostMenu submenu,
                                          HostBool longMenusOnly, int32_t shortcut, int32_t flags,
                                          void* icon, uint32_t extensionId) {
  OpCall call(OpId::HostNewMenuItem,
              Args({Quote(title), Quote(name), ShowHandle(submenu), ShowBool(longMenusOnly),
                    ShowInt(shortcut), Hex32(static_cast<uint32_t>(flags)), ShowPointer(icon),
                    Hex32(extensionId)}));
  HostState& state = call.state();
  HostMenuItem item = MakeHandle<HostMenuItem>(HandleKind::MenuItem, state.items.size());
  if (call.Failed() || item == nullptr) {
    return call.Answer<HostMenuItem>(nullptr, "null");
  }
  MenuItemInfo info;
  info.title = TextOf(title);
  info.name = TextOf(name);
  info.submenu = submenu;
  info.longMenusOnly = longMenusOnly;
  info.shortcut = shortcut;
  info.flags = flags;
  info.icon = icon;
  info.extensionId = extensionId;
  state.items.push_back(std::move(info));
  return call.Answer(item, ShowHandle(item));
}

void HOSTCALL op::HostAddMenuItem(HostMenu menu, HostMenuItem item, int32_t index) {
  OpCall call(OpId::HostAddMenuItem, Args({ShowHandle(menu), ShowHandle(item), ShowInt(index)}));
  call.Done();
  HostState& state = call.state();
  MenuRec* record = MenuOf(state, menu);
  size_t id = 0;
  if (record == nullptr || !HandleIndex(item, HandleKind::MenuItem, &id) ||
      id >= state.items.size()) {
    call.Note("not a menu and item");
    return;
  }
  InsertAt(record->itemIds, index, id);
}

void HOSTCALL op::HostSetItemExecuteProc(HostMenuItem item, HostCallback proc, void* clientData) {
  OpCall call(OpId::HostSetItemExecuteProc,
              Args({ShowHandle(item), ShowHandle(proc), ShowPointer(clientData)}));
  call.Done();
  NoteCallback(call, proc);
  if (MenuItemInfo* info = ItemOf(call.state(), item)) {
    info->execute = proc;
    info->executeData = clientData;
  } else {
    call.Note("not an item");
  }
}

void HOSTCALL op::HostSetItemComputeEnabledProc(HostMenuItem item, HostCallback proc,
                                                void* clientData) {
  OpCall call(OpId::HostSetItemComputeEnabledProc,
              Args({ShowHandle(item), ShowHandle(proc), ShowPointer(clientData)}));
  call.Done();
  NoteCallback(call, proc);
  if (MenuItemInfo* info = ItemOf(call.state(), item)) {
    info->computeEnabled = proc;
    info->computeEnabledData = clientData;
  } else {
    call.Note("not an item");
  }
}

}  // namespace standin
