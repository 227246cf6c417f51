#include "standins/host/host.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "standins/host/handles.h"
#include "standins/host/host_state.h"

namespace standin {
namespace {

Host* gCurrent = nullptr;

void AddHostMenu(HostState& state, const std::string& name, bool onMenubar) {
  MenuRec record;
  record.info.name = name;
  record.info.title = name;
  record.info.hostMenu = true;
  if (onMenubar) {
    state.menubar.push_back(state.menus.size());
  }
  state.menus.push_back(std::move(record));
}

void AddHostButton(HostState& state, const std::string& name) {
  ButtonInfo info;
  info.name = name;
  info.nameAtom = InternAtom(state, name);
  info.hostButton = true;
  state.toolBar.push_back(state.buttons.size());
  state.buttons.push_back(std::move(info));
}

void BuildHostInterface(HostState& state) {
  for (const std::string& name : state.scenario.menubarMenus) {
    AddHostMenu(state, name, true);
  }
  if (state.scenario.usingExtensionsMenu) {
    AddHostMenu(state, "UsingExtensions", false);
  }
  if (state.scenario.aboutExtensionsMenu) {
    AddHostMenu(state, "AboutExtensions", false);
  }
  AddHostButton(state, "open");
  AddHostButton(state, "print");
  if (state.scenario.endToolsGroupButton) {
    AddHostButton(state, "endToolsGroup");
  }
  AddHostButton(state, "find");
}

}  // namespace

HostState& CurrentState() {
  if (gCurrent == nullptr) {
    std::fprintf(stderr, "standin host: a host procedure was called with no current host\n");
    std::fflush(stderr);
    std::abort();
  }
  return gCurrent->state();
}

Host::Host(Scenario scenario) : state_(std::make_unique<HostState>()) {
  if (gCurrent != nullptr) {
    std::fprintf(stderr, "standin host: a second host was made while one is current\n");
    std::fflush(stderr);
    std::abort();
  }
  state_->scenario = std::move(scenario);
  InstallHostTables();
  BuildHostInterface(*state_);
  gCurrent = this;
}

Host::~Host() {
  for (auto& block : state_->blocks) {
    std::free(const_cast<void*>(block.first));
  }
  // A tool button owns its icon: the plug-in hands the bitmap over and never releases it.
  std::set<const void*> icons;
  for (const ButtonInfo& button : state_->buttons) {
    if (button.icon.isBitmap)
      icons.insert(button.icon.handle);
  }
  for (const void* icon : icons)
    DeleteObject(const_cast<void*>(icon));
  gCurrent = nullptr;
}

Host* Host::Current() {
  return gCurrent;
}

const Scenario& Host::scenario() const {
  return state_->scenario;
}

HostFunctionTable Host::Table(HostTableId id) const {
  return TableOf(id);
}

std::vector<TableGrant> Host::Grants() const {
  std::vector<TableGrant> grants;
  for (const std::unique_ptr<GrantRec>& grant : state_->grants) {
    grants.push_back(grant->info);
  }
  return grants;
}

uint32_t Host::GrantId(HostFunctionTable table) const {
  const GrantRec* grant = GrantOf(*state_, table);
  return grant != nullptr ? grant->info.id : 0;
}

HostProc Host::ProcOf(HostCallback callback) const {
  size_t index = 0;
  if (!HandleIndex(callback, HandleKind::Callback, &index) || index >= state_->callbacks.size()) {
    return nullptr;
  }
  return state_->callbacks[index].proc;
}

std::vector<HostProc> Host::CallbackProcs() const {
  std::vector<HostProc> procs;
  for (const CallbackRec& callback : state_->callbacks) {
    procs.push_back(callback.proc);
  }
  return procs;
}

uint32_t Host::CallbackExtensionId(HostCallback callback) const {
  size_t index = 0;
  if (!HandleIndex(callback, HandleKind::Callback, &index) || index >= state_->callbacks.size()) {
    return 0;
  }
  return state_->callbacks[index].extensionId;
}

HostViewDoc Host::AddDocument(DocumentModel document) {
  auto record = std::make_unique<DocRec>();
  record->model = std::move(document);
  return RegisterDocument(*state_, std::move(record));
}

const DocumentModel* Host::Document(HostViewDoc document) const {
  size_t index = 0;
  if (!HandleIndex(document, HandleKind::ViewDoc, &index) || index >= state_->docs.size()) {
    return nullptr;
  }
  return &state_->docs[index]->model;
}

std::vector<HostViewDoc> Host::OpenedDocuments() const {
  std::vector<HostViewDoc> opened;
  for (size_t index = 0; index < state_->docs.size(); ++index) {
    if (state_->docs[index]->fromFile) {
      opened.push_back(MakeHandle<HostViewDoc>(HandleKind::ViewDoc, index));
    }
  }
  return opened;
}

const std::vector<std::string>& Host::RefusedOpens() const {
  return state_->refusedOpens;
}

const std::vector<CallRecord>& Host::Log() const {
  return state_->log;
}

void Host::ForgetLog() {
  // Its room goes too: the next run grows the log from nothing, as in a host of its own.
  std::vector<CallRecord>().swap(state_->log);
}

std::string Host::FormatLog() const {
  std::string text;
  for (const CallRecord& record : state_->log) {
    text += FormatCallRecord(record) + "\n";
  }
  return text;
}

uint32_t Host::CallCount() const {
  return state_->callCount;
}

std::vector<std::string> Host::AtomRequests() const {
  return state_->atomRequests;
}

const std::vector<TableRequest>& Host::TableRequests() const {
  return state_->tableRequests;
}

const std::vector<std::string>& Host::Alerts() const {
  return state_->alerts;
}

std::string Host::AtomString(HostAtom atom) const {
  return AtomText(*state_, atom);
}

}  // namespace standin
