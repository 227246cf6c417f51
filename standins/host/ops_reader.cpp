// Reading a document's 3D annotations: documents, pages, annotations and Cos objects (AcroView
// 48; PDModel 83, 84, 157, 152, 15, 16, 26; Cos 21, 2, 19, 32).
#include "standins/host/handles.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

const DocRec* DocOf(const HostState& state, const void* handle, HandleKind kind) {
  size_t index = 0;
  if (!HandleIndex(handle, kind, &index) || index >= state.docs.size()) {
    return nullptr;
  }
  return state.docs[index].get();
}

const PageRef* PageOf(const HostState& state, HostPage page) {
  size_t index = 0;
  if (!HandleIndex(page, HandleKind::Page, &index) || index >= state.pages.size()) {
    return nullptr;
  }
  return &state.pages[index];
}

const PageModel& PageModelOf(const HostState& state, const PageRef& ref) {
  return state.docs[ref.doc]->model.pages[ref.page];
}

const AnnotModel* AnnotOf(const HostState& state, HostAnnot annot) {
  size_t index = 0;
  if (!AnnotIndex(annot, &index) || index >= state.annots.size()) {
    return nullptr;
  }
  const AnnotRef& ref = state.annots[index];
  return &state.docs[ref.doc]->model.pages[ref.page].annots[ref.annot];
}

}  // namespace

HostPdDoc HOSTCALL op::HostViewDocGetPdDoc(HostViewDoc viewDoc) {
  OpCall call(OpId::HostViewDocGetPdDoc, Args({ShowHandle(viewDoc)}));
  size_t index = 0;
  if (call.Failed() || DocOf(call.state(), viewDoc, HandleKind::ViewDoc) == nullptr ||
      !HandleIndex(viewDoc, HandleKind::ViewDoc, &index)) {
    return call.Answer<HostPdDoc>(nullptr, "null");
  }
  HostPdDoc doc = MakeHandle<HostPdDoc>(HandleKind::PdDoc, index);
  return call.Answer(doc, ShowHandle(doc));
}

int32_t HOSTCALL op::HostDocPageCount(HostPdDoc doc) {
  OpCall call(OpId::HostDocPageCount, Args({ShowHandle(doc)}));
  const DocRec* record = DocOf(call.state(), doc, HandleKind::PdDoc);
  if (call.Failed() || record == nullptr) {
    return call.Answer<int32_t>(0, "0");
  }
  int32_t count = static_cast<int32_t>(record->model.pages.size());
  return call.Answer(count, ShowInt(count));
}

HostPage HOSTCALL op::HostDocAcquirePage(HostPdDoc doc, int32_t index) {
  OpCall call(OpId::HostDocAcquirePage, Args({ShowHandle(doc), ShowInt(index)}));
  const DocRec* record = DocOf(call.state(), doc, HandleKind::PdDoc);
  if (call.Failed() || record == nullptr || index < 0 ||
      static_cast<size_t>(index) >= record->model.pages.size()) {
    return call.Answer<HostPage>(nullptr, "null");
  }
  HostPage page = MakeHandle<HostPage>(HandleKind::Page, record->firstPage + index);
  return call.Answer(page, ShowHandle(page));
}

int32_t HOSTCALL op::HostPageAnnotCount(HostPage page) {
  OpCall call(OpId::HostPageAnnotCount, Args({ShowHandle(page)}));
  const PageRef* ref = PageOf(call.state(), page);
  if (call.Failed() || ref == nullptr) {
    return call.Answer<int32_t>(0, "0");
  }
  int32_t count = static_cast<int32_t>(PageModelOf(call.state(), *ref).annots.size());
  return call.Answer(count, ShowInt(count));
}

HostAnnot HOSTCALL op::HostPageGetAnnot(HostPage page, int32_t index) {
  OpCall call(OpId::HostPageGetAnnot, Args({ShowHandle(page), ShowInt(index)}));
  const PageRef* ref = PageOf(call.state(), page);
  if (call.Failed() || ref == nullptr || index < 0 ||
      static_cast<size_t>(index) >= PageModelOf(call.state(), *ref).annots.size()) {
    return call.Answer(HostAnnot{0, 0}, "no annotation");
  }
  HostAnnot annot = MakeAnnot(ref->firstAnnot + index);
  return call.Answer(annot, ShowAnnot(annot));
}

HostBool HOSTCALL op::HostAnnotIsValid(HostAnnot annot) {
  OpCall call(OpId::HostAnnotIsValid, Args({ShowAnnot(annot)}));
  const AnnotModel* model = AnnotOf(call.state(), annot);
  HostBool valid = !call.Failed() && model != nullptr && model->valid ? kHostTrue : kHostFalse;
  return call.Answer(valid, ShowBool(valid));
}

HostAtom HOSTCALL op::HostAnnotGetSubtype(HostAnnot annot) {
  OpCall call(OpId::HostAnnotGetSubtype, Args({ShowAnnot(annot)}));
  const AnnotModel* model = AnnotOf(call.state(), annot);
  if (call.Failed() || model == nullptr) {
    return call.Answer<HostAtom>(0, "atom 0");
  }
  HostAtom atom = InternAtom(call.state(), model->subtype);
  return call.Answer(atom, ShowAtom(call.state(), atom));
}

HostCosObj HOSTCALL op::HostAnnotGetCosDict(HostAnnot annot) {
  OpCall call(OpId::HostAnnotGetCosDict, Args({ShowAnnot(annot)}));
  const AnnotModel* model = AnnotOf(call.state(), annot);
  HostCosObj object = call.Failed() || model == nullptr
                          ? HostCosObj{0, 0}
                          : CosHandleOf(call.state(), &model->dictionary);
  return call.Answer(object, ShowCos(object));
}

HostCosObj HOSTCALL op::HostCosDictGet(HostCosObj dict, HostAtom key) {
  HostState& state = CurrentState();
  OpCall call(OpId::HostCosDictGet, Args({ShowCos(dict), ShowAtom(state, key)}));
  const CosObject* object = CosObjectOf(state, dict);
  if (call.Failed() || object == nullptr || key == 0) {
    return call.Answer(HostCosObj{0, 0}, "cos null");
  }
  HostCosObj value = CosHandleOf(state, CosFind(*object, AtomText(state, key)));
  return call.Answer(value, ShowCos(value));
}

int32_t HOSTCALL op::HostCosObjType(HostCosObj obj) {
  OpCall call(OpId::HostCosObjType, Args({ShowCos(obj)}));
  const CosObject* object = CosObjectOf(call.state(), obj);
  int32_t code = call.Failed() || object == nullptr ? kCosNullCode : CosTypeCode(*object);
  return call.Answer(code, ShowInt(code));
}

HostAtom HOSTCALL op::HostCosNameValue(HostCosObj obj) {
  OpCall call(OpId::HostCosNameValue, Args({ShowCos(obj)}));
  const CosObject* object = CosObjectOf(call.state(), obj);
  if (call.Failed() || object == nullptr || object->kind != CosKind::Name) {
    return call.Answer<HostAtom>(0, "atom 0");
  }
  HostAtom atom = InternAtom(call.state(), object->name);
  return call.Answer(atom, ShowAtom(call.state(), atom));
}

HostStream HOSTCALL op::HostCosStreamOpen(HostCosObj stream, int32_t flags) {
  OpCall call(OpId::HostCosStreamOpen,
              Args({ShowCos(stream), Hex32(static_cast<uint32_t>(flags))}));
  HostState& state = call.state();
  const CosObject* object = CosObjectOf(state, stream);
  HostStream handle = MakeHandle<HostStream>(HandleKind::Stream, state.streams.size());
  if (call.Failed() || object == nullptr || object->kind != CosKind::Stream || handle == nullptr) {
    return call.Answer<HostStream>(nullptr, "null");
  }
  // There are no filters here: the decoded content (flag 2) and the raw one are the same bytes.
  state.streams.push_back(StreamRec{&object->content});
  return call.Answer(handle, ShowHandle(handle));
}

}  // namespace standin
