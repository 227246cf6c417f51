// Clicking what the plug-in registered: its procedures are called through their callbacks and
// logged like the other calls into the plug-in.
#include "standins/host/host_state.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

bool CallExecute(HostState& state, const std::string& what, HostProc proc, void* data) {
  if (proc == nullptr) {
    RefusePlugInCall(state, "execute " + what, "no execute procedure");
    return false;
  }
  size_t record = BeginPlugInCall(state, "execute " + what, ShowPointer(data));
  reinterpret_cast<ExecuteProc>(proc)(data);
  state.log[record].result = "(none)";
  return true;
}

bool CallEnabled(HostState& state, const std::string& what, HostProc proc, void* data) {
  if (proc == nullptr) {
    return true;  // without a procedure an item is always enabled
  }
  size_t record = BeginPlugInCall(state, "compute enabled " + what, ShowPointer(data));
  return EndPlugInCall(state, record, reinterpret_cast<ComputeEnabledProc>(proc)(data)) !=
         kHostFalse;
}

}  // namespace

bool Host::ClickItem(const std::string& menuName, const std::string& itemName) {
  std::optional<MenuInfo> menu = FindMenu(menuName);
  if (!menu) {
    return false;
  }
  for (const MenuItemInfo& item : menu->items) {
    if (item.name == itemName) {
      return CallExecute(*state_, menuName + "/" + itemName, ProcOf(item.execute),
                         item.executeData);
    }
  }
  return false;
}

bool Host::ClickButton(const std::string& name) {
  std::optional<ButtonInfo> button = FindButton(name);
  return button && CallExecute(*state_, name, ProcOf(button->execute), button->executeData);
}

bool Host::ItemEnabled(const std::string& menuName, const std::string& itemName) {
  std::optional<MenuInfo> menu = FindMenu(menuName);
  if (!menu) {
    return false;
  }
  for (const MenuItemInfo& item : menu->items) {
    if (item.name == itemName) {
      return CallEnabled(*state_, menuName + "/" + itemName, ProcOf(item.computeEnabled),
                         item.computeEnabledData);
    }
  }
  return false;
}

bool Host::ButtonEnabled(const std::string& name) {
  std::optional<ButtonInfo> button = FindButton(name);
  return button &&
         CallEnabled(*state_, name, ProcOf(button->computeEnabled), button->computeEnabledData);
}

}  // namespace standin
