// Host documents for the scan: pages of annotations, each a 3D annotation with a PRC stream
// unless a test spoils one of the things the scan looks at.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/acrobat/host_operations.h"
#include "standins/host/document_model.h"
#include "standins/host/host.h"

namespace readertest {

using standin::AnnotModel;
using standin::CosObject;
using standin::DocumentModel;
using standin::PageModel;

inline CosObject PrcStream(std::vector<uint8_t> bytes, const std::string& subtype = "PRC") {
  return standin::CosStream({{"Subtype", standin::CosName(subtype)}}, std::move(bytes));
}

// A 3D annotation whose "3DD" entry is the given object.
inline AnnotModel ThreeD(CosObject data, const std::string& subtype = "3D") {
  AnnotModel annot;
  annot.subtype = subtype;
  annot.dictionary =
      standin::CosDictionary({{"Subtype", standin::CosName(subtype)}, {"3DD", std::move(data)}});
  return annot;
}

inline AnnotModel PrcAnnot(std::vector<uint8_t> bytes) {
  return ThreeD(PrcStream(std::move(bytes)));
}

inline DocumentModel Document(std::vector<PageModel> pages) {
  DocumentModel document;
  document.title = "Scanned";
  document.pages = std::move(pages);
  return document;
}

// The "3DD" object of the first annotation of the first page, through the host's calls.
inline HostCosObj FirstStream(HostViewDoc view) {
  HostPage page = HostDocAcquirePage(HostViewDocGetPdDoc(view), 0);
  HostCosObj dictionary = HostAnnotGetCosDict(HostPageGetAnnot(page, 0));
  return HostCosDictGet(dictionary, HostAtomFromString("3DD"));
}

// What the host's calls of one operation answered, in order.
inline std::vector<std::string> Answers(const standin::Host& host, const std::string& operation) {
  std::vector<std::string> answers;
  for (const standin::CallRecord& call : host.Log()) {
    if (!call.intoPlugIn && call.operation == operation)
      answers.push_back(call.result);
  }
  return answers;
}

inline size_t Calls(const standin::Host& host, const std::string& operation) {
  return Answers(host, operation).size();
}

}  // namespace readertest
