// The documents a stand-in host holds: pages of annotations whose Cos dictionaries a reader
// walks. Tests fill one and hand it to Host::AddDocument; opening a file builds the same kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// The answers of Cos 2 for each kind of object.
constexpr int32_t kCosNullCode = 0;
constexpr int32_t kCosNameCode = 4;
constexpr int32_t kCosDictionaryCode = 6;
constexpr int32_t kCosStreamCode = 8;

enum class CosKind { Null, Name, Dictionary, Stream };

struct CosEntry;

struct CosObject {
  CosKind kind = CosKind::Null;
  std::string name;               // a name's value
  std::vector<CosEntry> entries;  // a dictionary's entries, or a stream's dictionary
  std::vector<uint8_t> content;   // a stream's bytes
};

struct CosEntry {
  std::string key;
  CosObject value;
};

CosObject CosNull();
CosObject CosName(std::string value);
CosObject CosDictionary(std::vector<CosEntry> entries);
CosObject CosStream(std::vector<CosEntry> dictionary, std::vector<uint8_t> content);

// The entry of a dictionary or of a stream's dictionary; null when missing or not a dictionary.
const CosObject* CosFind(const CosObject& object, const std::string& key);
int32_t CosTypeCode(const CosObject& object);

struct AnnotModel {
  bool valid = true;
  std::string subtype;
  CosObject dictionary;
};

struct PageModel {
  std::vector<AnnotModel> annots;
};

struct DocumentModel {
  std::string title;
  std::vector<PageModel> pages;
};

// What opening a model file gives: one page with one valid "3D" annotation whose "3DD" entry is
// a stream of Subtype /PRC holding the bytes.
DocumentModel ModelFileDocument(std::string title, std::vector<uint8_t> bytes);

// The bytes of the first "3DD" stream of the document, null when it has none.
const std::vector<uint8_t>* FirstModelStream(const DocumentModel& document);

}  // namespace standin
