// The tool bar and its buttons (AcroView 17, 163, 165, 169, 175, 176, 214).
#include <algorithm>

#include "standins/host/handles.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

ButtonInfo* ButtonOf(HostState& state, HostToolButton button, size_t* id) {
  if (!HandleIndex(button, HandleKind::ToolButton, id) || *id >= state.buttons.size()) {
    return nullptr;
  }
  return &state.buttons[*id];
}

bool IsToolBar(HostToolBar toolBar) {
  size_t index = 0;
  return HandleIndex(toolBar, HandleKind::ToolBar, &index) && index == 0;
}

std::string ShowIcon(const IconInfo& icon) {
  if (icon.handle == nullptr) {
    return "no icon";
  }
  if (!icon.isBitmap) {
    return "not a bitmap";
  }
  return std::to_string(icon.width) + "x" + std::to_string(icon.height) + " " +
         std::to_string(icon.bitsPerPixel) + " bpp";
}

void SetButtonProc(OpCall& call, HostToolButton button, HostCallback proc, void* clientData,
                   HostCallback ButtonInfo::*procMember, void* ButtonInfo::*dataMember) {
  size_t id = 0;
  ButtonInfo* info = ButtonOf(call.state(), button, &id);
  if (info == nullptr) {
    call.Note("not a button");
    return;
  }
  info->*procMember = proc;
  info->*dataMember = clientData;
}

}  // namespace

HostToolBar HOSTCALL op::HostGetToolBar() {
  OpCall call(OpId::HostGetToolBar, "");
  if (call.Failed()) {
    return call.Answer<HostToolBar>(nullptr, "null");
  }
  HostToolBar toolBar = MakeHandle<HostToolBar>(HandleKind::ToolBar, 0);
  return call.Answer(toolBar, ShowHandle(toolBar));
}

HostToolButton HOSTCALL op::HostGetButtonByName(HostToolBar toolBar, HostAtom name) {
  HostState& state = CurrentState();
  OpCall call(OpId::HostGetButtonByName, Args({ShowHandle(toolBar), ShowAtom(state, name)}));
  if (call.Failed() || !IsToolBar(toolBar) || name == 0) {
    return call.Answer<HostToolButton>(nullptr, "null");
  }
  std::string text = AtomText(state, name);
  for (size_t id : state.toolBar) {
    if (state.buttons[id].name == text) {
      HostToolButton button = MakeHandle<HostToolButton>(HandleKind::ToolButton, id);
      return call.Answer(button, ShowHandle(button));
    }
  }
  call.Note("no such button on the tool bar");
  return call.Answer<HostToolButton>(nullptr, "null");
}

HostToolButton HOSTCALL op::HostNewToolButton(HostAtom name, void* icon, HostBool longOnly,
                                              HostBool separator) {
  HostState& state = CurrentState();
  OpCall call(OpId::HostNewToolButton, Args({ShowAtom(state, name), ShowPointer(icon),
                                             ShowBool(longOnly), ShowBool(separator)}));
  HostToolButton button = MakeHandle<HostToolButton>(HandleKind::ToolButton, state.buttons.size());
  if (call.Failed() || button == nullptr) {
    if (icon != nullptr) {
      state.iconsNotTaken.push_back(icon);  // still the caller's to give back
    }
    return call.Answer<HostToolButton>(nullptr, "null");
  }
  ButtonInfo info;
  info.name = AtomText(state, name);
  info.nameAtom = name;
  info.icon = ReadIcon(icon);
  info.longOnly = longOnly;
  info.separator = separator;
  call.Note("icon: " + ShowIcon(info.icon));
  state.buttons.push_back(std::move(info));
  return call.Answer(button, ShowHandle(button));
}

void HOSTCALL op::HostAddToolButton(HostToolBar toolBar, HostToolButton button, HostBool before,
                                    HostToolButton anchor) {
  OpCall call(OpId::HostAddToolButton, Args({ShowHandle(toolBar), ShowHandle(button),
                                             ShowBool(before), ShowHandle(anchor)}));
  call.Done();
  HostState& state = call.state();
  size_t id = 0;
  if (!IsToolBar(toolBar) || ButtonOf(state, button, &id) == nullptr) {
    call.Note("not a tool bar and button");
    return;
  }
  std::vector<size_t>& bar = state.toolBar;
  if (std::find(bar.begin(), bar.end(), id) != bar.end()) {
    call.Note("already on the tool bar");
    return;
  }
  auto place = bar.end();
  if (anchor != nullptr) {
    size_t anchorId = 0;
    auto found = ButtonOf(state, anchor, &anchorId) != nullptr
                     ? std::find(bar.begin(), bar.end(), anchorId)
                     : bar.end();
    if (found == bar.end()) {
      call.Note("anchor not on the tool bar: added at the end");
    } else {
      place = before != kHostFalse ? found : found + 1;
    }
  }
  bar.insert(place, id);
}

void HOSTCALL op::HostSetButtonExecuteProc(HostToolButton button, HostCallback proc,
                                           void* clientData) {
  OpCall call(OpId::HostSetButtonExecuteProc,
              Args({ShowHandle(button), ShowHandle(proc), ShowPointer(clientData)}));
  call.Done();
  SetButtonProc(call, button, proc, clientData, &ButtonInfo::execute, &ButtonInfo::executeData);
}

void HOSTCALL op::HostSetButtonComputeEnabledProc(HostToolButton button, HostCallback proc,
                                                  void* clientData) {
  OpCall call(OpId::HostSetButtonComputeEnabledProc,
              Args({ShowHandle(button), ShowHandle(proc), ShowPointer(clientData)}));
  call.Done();
  SetButtonProc(call, button, proc, clientData, &ButtonInfo::computeEnabled,
                &ButtonInfo::computeEnabledData);
}

void HOSTCALL op::HostSetButtonHelpText(HostToolButton button, const char* text) {
  OpCall call(OpId::HostSetButtonHelpText, Args({ShowHandle(button), Quote(text)}));
  call.Done();
  size_t id = 0;
  if (ButtonInfo* info = ButtonOf(call.state(), button, &id)) {
    info->helpText = TextOf(text);
  } else {
    call.Note("not a button");
  }
}

}  // namespace standin
