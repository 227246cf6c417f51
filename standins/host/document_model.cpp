#include "standins/host/document_model.h"

#include <utility>

namespace standin {

CosObject CosNull() {
  return CosObject();
}

CosObject CosName(std::string value) {
  CosObject object;
  object.kind = CosKind::Name;
  object.name = std::move(value);
  return object;
}

CosObject CosDictionary(std::vector<CosEntry> entries) {
  CosObject object;
  object.kind = CosKind::Dictionary;
  object.entries = std::move(entries);
  return object;
}

CosObject CosStream(std::vector<CosEntry> dictionary, std::vector<uint8_t> content) {
  CosObject object;
  object.kind = CosKind::Stream;
  object.entries = std::move(dictionary);
  object.content = std::move(content);
  return object;
}

const CosObject* CosFind(const CosObject& object, const std::string& key) {
  if (object.kind != CosKind::Dictionary && object.kind != CosKind::Stream) {
    return nullptr;
  }
  for (const CosEntry& entry : object.entries) {
    if (entry.key == key) {
      return &entry.value;
    }
  }
  return nullptr;
}

int32_t CosTypeCode(const CosObject& object) {
  switch (object.kind) {
    case CosKind::Name:
      return kCosNameCode;
    case CosKind::Dictionary:
      return kCosDictionaryCode;
    case CosKind::Stream:
      return kCosStreamCode;
    case CosKind::Null:
      break;
  }
  return kCosNullCode;
}

DocumentModel ModelFileDocument(std::string title, std::vector<uint8_t> bytes) {
  std::vector<CosEntry> streamDictionary;
  streamDictionary.push_back({"Subtype", CosName("PRC")});
  std::vector<CosEntry> annotDictionary;
  annotDictionary.push_back({"Subtype", CosName("3D")});
  annotDictionary.push_back({"3DD", CosStream(std::move(streamDictionary), std::move(bytes))});
  AnnotModel annot;
  annot.subtype = "3D";
  annot.dictionary = CosDictionary(std::move(annotDictionary));
  PageModel page;
  page.annots.push_back(std::move(annot));
  DocumentModel document;
  document.title = std::move(title);
  document.pages.push_back(std::move(page));
  return document;
}

const std::vector<uint8_t>* FirstModelStream(const DocumentModel& document) {
  for (const PageModel& page : document.pages) {
    for (const AnnotModel& annot : page.annots) {
      const CosObject* stream = CosFind(annot.dictionary, "3DD");
      if (stream != nullptr && stream->kind == CosKind::Stream) {
        return &stream->content;
      }
    }
  }
  return nullptr;
}

}  // namespace standin
