// The held documents: their pages, annotations and Cos objects get ids when they come in, so
// that every handle to them is an index checked on use.
#include "standins/host/handles.h"
#include "standins/host/host_state.h"

namespace standin {

HostViewDoc RegisterDocument(HostState& state, std::unique_ptr<DocRec> document) {
  HostViewDoc view = MakeHandle<HostViewDoc>(HandleKind::ViewDoc, state.docs.size());
  if (view == nullptr) {
    return nullptr;
  }
  size_t docIndex = state.docs.size();
  document->firstPage = state.pages.size();
  const std::vector<PageModel>& pages = document->model.pages;
  for (size_t page = 0; page < pages.size(); ++page) {
    state.pages.push_back(PageRef{docIndex, page, state.annots.size()});
    for (size_t annot = 0; annot < pages[page].annots.size(); ++annot) {
      state.annots.push_back(AnnotRef{docIndex, page, annot});
    }
  }
  state.docs.push_back(std::move(document));
  return view;
}

HostCosObj CosHandleOf(HostState& state, const CosObject* object) {
  if (object == nullptr || object->kind == CosKind::Null) {
    return HostCosObj{0, 0};
  }
  auto found = state.cosIds.find(object);
  if (found != state.cosIds.end()) {
    return MakeCos(found->second);
  }
  if (state.cosObjects.size() >= 0xFFFFFFF0u) {
    return HostCosObj{0, 0};
  }
  uint32_t id = static_cast<uint32_t>(state.cosObjects.size());
  state.cosObjects.push_back(object);
  state.cosIds.emplace(object, id);
  return MakeCos(id);
}

const CosObject* CosObjectOf(const HostState& state, HostCosObj object) {
  size_t index = 0;
  if (!CosIndex(object, &index) || index >= state.cosObjects.size()) {
    return nullptr;
  }
  return state.cosObjects[index];
}

}  // namespace standin
