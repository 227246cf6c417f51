// File systems, path names, text objects and opening a file as a document (AcroSupport 123, 52,
// 25; ASExtra 3, 19, 12; AcroView 485).
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "standins/a3dlib/file_bytes.h"
#include "standins/a3dlib/model_file.h"
#include "standins/host/handles.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

const char kPathKind[] = "Cstring";

// A document is read whole: the largest is the largest block this process can hold, and
// whether the memory is there is the allocator's answer (no document when it is not).
constexpr size_t kLargestFile = size_t(PTRDIFF_MAX);

bool IsPathKind(const HostState& state, HostAtom kind) {
  return kind != 0 && AtomText(state, kind) == kPathKind;
}

bool IsFileSys(HostFileSys fileSys) {
  size_t index = 0;
  return HandleIndex(fileSys, HandleKind::FileSys, &index) && index == 0;
}

// A path as a person reads it (its backslashes as they are), control bytes shown as '?'.
std::string Printable(std::string path) {
  for (char& c : path) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      c = '?';
    }
  }
  return path;
}

// The live record behind a handle, or null.
NamedRec* LiveRecord(std::vector<NamedRec>& records, const void* handle, HandleKind kind) {
  size_t index = 0;
  if (!HandleIndex(handle, kind, &index) || index >= records.size() || !records[index].alive) {
    return nullptr;
  }
  return &records[index];
}

// Releases a record; a release of an unknown or released handle is an error of the caller.
void ReleaseRecord(OpCall& call, std::vector<NamedRec>& records, const void* handle,
                   HandleKind kind) {
  NamedRec* record = LiveRecord(records, handle, kind);
  if (record == nullptr) {
    std::string error = "release of an unknown or released handle: " + ShowHandle(handle);
    call.state().handleErrors.push_back(error);
    call.Note(error);
    return;
  }
  record->alive = false;
}

}  // namespace

HostFileSys HOSTCALL op::HostFileSysFromPath(HostAtom pathKind, const char* path) {
  HostState& state = CurrentState();
  OpCall call(OpId::HostFileSysFromPath, Args({ShowAtom(state, pathKind), Quote(path)}));
  if (call.Failed() || !IsPathKind(state, pathKind)) {
    return call.Answer<HostFileSys>(nullptr, "null");
  }
  HostFileSys fileSys = MakeHandle<HostFileSys>(HandleKind::FileSys, 0);
  return call.Answer(fileSys, ShowHandle(fileSys));
}

HostPathName HOSTCALL op::HostPathNameFromPath(HostFileSys fileSys, HostAtom pathKind,
                                               const char* path, void* reserved) {
  HostState& state = CurrentState();
  OpCall call(OpId::HostPathNameFromPath, Args({ShowHandle(fileSys), ShowAtom(state, pathKind),
                                                Quote(path), ShowPointer(reserved)}));
  if (call.Failed() || !IsFileSys(fileSys) || !IsPathKind(state, pathKind) || path == nullptr) {
    return call.Answer<HostPathName>(nullptr, "null");
  }
  HostPathName name = MakeHandle<HostPathName>(HandleKind::PathName, state.pathNames.size());
  if (name != nullptr) {
    state.pathNames.push_back(NamedRec{path, true});
  }
  return call.Answer(name, ShowHandle(name));
}

void HOSTCALL op::HostReleasePathName(HostFileSys fileSys, HostPathName path) {
  OpCall call(OpId::HostReleasePathName, Args({ShowHandle(fileSys), ShowHandle(path)}));
  call.Done();
  ReleaseRecord(call, call.state().pathNames, path, HandleKind::PathName);
}

HostText HOSTCALL op::HostTextNew() {
  OpCall call(OpId::HostTextNew, "");
  HostState& state = call.state();
  if (call.Failed()) {
    return call.Answer<HostText>(nullptr, "null");
  }
  HostText text = MakeHandle<HostText>(HandleKind::Text, state.texts.size());
  if (text != nullptr) {
    state.texts.push_back(NamedRec{});
  }
  return call.Answer(text, ShowHandle(text));
}

void HOSTCALL op::HostTextSetText(HostText text, const char* value) {
  OpCall call(OpId::HostTextSetText, Args({ShowHandle(text), Quote(value)}));
  call.Done();
  NamedRec* record = LiveRecord(call.state().texts, text, HandleKind::Text);
  if (record == nullptr) {
    call.Note("not a live text object");
    return;
  }
  record->value = TextOf(value);
}

void HOSTCALL op::HostTextDestroy(HostText text) {
  OpCall call(OpId::HostTextDestroy, Args({ShowHandle(text)}));
  call.Done();
  ReleaseRecord(call, call.state().texts, text, HandleKind::Text);
}

HostViewDoc HOSTCALL op::HostOpenDocFromFile(HostPathName path, HostFileSys fileSys,
                                             HostText title) {
  OpCall call(OpId::HostOpenDocFromFile,
              Args({ShowHandle(path), ShowHandle(fileSys), ShowHandle(title)}));
  HostState& state = call.state();
  NamedRec* pathRecord = LiveRecord(state.pathNames, path, HandleKind::PathName);
  if (call.Failed() || pathRecord == nullptr || !IsFileSys(fileSys)) {
    return call.Answer<HostViewDoc>(nullptr, "null");
  }
  // The whole file is read now: the caller may delete it as soon as this returns. What cannot
  // be read, or holds nothing, gives no document, as a host answers a file it cannot open.
  std::vector<uint8_t> bytes;
  a3dstore::FileRead read = a3dstore::ReadWholeFile(pathRecord->value, kLargestFile, &bytes);
  if (read != a3dstore::FileRead::kOk || bytes.empty()) {
    std::string why = "\"" + Printable(pathRecord->value) + "\" " +
                      (read != a3dstore::FileRead::kOk ? a3dstore::FileReadText(read) : "is empty");
    state.refusedOpens.push_back(why);
    call.Note(why);
    return call.Answer<HostViewDoc>(nullptr, "null");
  }
  NamedRec* titleRecord = LiveRecord(state.texts, title, HandleKind::Text);
  auto document = std::make_unique<DocRec>();
  document->model = ModelFileDocument(titleRecord ? titleRecord->value : "", std::move(bytes));
  document->fromFile = true;
  document->path = pathRecord->value;
  HostViewDoc view = RegisterDocument(state, std::move(document));
  return call.Answer(view, ShowHandle(view));
}

}  // namespace standin
