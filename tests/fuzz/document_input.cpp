#include "tests/fuzz/document_input.h"

#include <algorithm>
#include <string>
#include <utility>

namespace kvfuzz {

const char* const kFaultOperations[] = {
    "HostViewDocGetPdDoc", "HostDocPageCount",  "HostDocAcquirePage",  "HostPageAnnotCount",
    "HostPageGetAnnot",    "HostAnnotIsValid",  "HostAnnotGetSubtype", "HostAnnotGetCosDict",
    "HostCosDictGet",      "HostCosObjType",    "HostCosNameValue",    "HostCosStreamOpen",
    "HostStreamRead",      "HostAtomFromString"};
const size_t kFaultOperationCount = sizeof(kFaultOperations) / sizeof(kFaultOperations[0]);

namespace {

constexpr unsigned kMaxPages = 5;
constexpr unsigned kMaxAnnots = 5;

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
  uint16_t U16() {
    const uint16_t low = U8();
    return static_cast<uint16_t>(low | U8() << 8);
  }
  std::vector<uint8_t> Bytes(size_t count) {
    const size_t n = std::min(count, size_ - at_);
    std::vector<uint8_t> bytes(data_ + at_, data_ + at_ + n);
    at_ += n;
    return bytes;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

std::vector<uint8_t> StreamContent(ByteReader& in, const std::vector<std::vector<uint8_t>>& files) {
  const size_t choice = in.U8();
  if (choice < files.size())
    return files[choice];
  if (choice < 2 * files.size()) {
    std::vector<uint8_t> bytes = files[choice - files.size()];
    const uint16_t position = in.U16();
    const uint8_t mask = in.U8();
    if (!bytes.empty())
      bytes[position % bytes.size()] ^= mask ? mask : 0xFF;
    return bytes;
  }
  return in.Bytes(in.U16());
}

standin::CosObject SubtypeEntry(unsigned choice) {
  switch (choice) {
    case 0:
      return standin::CosName("PRC");
    case 1:
      return standin::CosName("U3D");
    case 2:
      return standin::CosNull();
  }
  return standin::CosStream({}, {});
}

standin::CosObject DataEntry(unsigned shape, std::vector<uint8_t> content) {
  std::vector<standin::CosEntry> entries;
  standin::CosObject subtype = SubtypeEntry((shape >> 5) & 3);
  if (subtype.kind != standin::CosKind::Null)
    entries.push_back({"Subtype", std::move(subtype)});
  switch ((shape >> 3) & 3) {
    case 0:
      return standin::CosStream(std::move(entries), std::move(content));
    case 1:
      return standin::CosDictionary(std::move(entries));
    case 2:
      return standin::CosName("3DD");
  }
  return standin::CosNull();
}

standin::AnnotModel Annotation(ByteReader& in, const std::vector<std::vector<uint8_t>>& files) {
  static const char* const kSubtypes[] = {"3D", "3d", "Link", ""};
  const unsigned shape = in.U8();
  standin::AnnotModel annot;
  annot.valid = (shape & 1) != 0;
  annot.subtype = kSubtypes[(shape >> 1) & 3];
  std::vector<standin::CosEntry> entries;
  if ((shape & 0x80) == 0)
    entries.push_back({"Subtype", standin::CosName(annot.subtype)});
  standin::CosObject data = DataEntry(shape, StreamContent(in, files));
  if (data.kind != standin::CosKind::Null)
    entries.push_back({"3DD", std::move(data)});
  annot.dictionary = standin::CosDictionary(std::move(entries));
  return annot;
}

}  // namespace

DocumentInput DecodeDocumentInput(const uint8_t* data, size_t size,
                                  const std::vector<std::vector<uint8_t>>& modelFiles) {
  ByteReader in(data, size);
  DocumentInput input;
  input.scenario.streamReadLimit = in.U16();
  const unsigned fault = in.U8();
  const unsigned call = in.U8();
  if (fault != 0) {
    input.scenario.failOperation = kFaultOperations[(fault - 1) % kFaultOperationCount];
    input.scenario.failOperationCall = call ? call : 1;
  }
  input.document.title = "Fuzzed";
  const unsigned pages = in.U8() % kMaxPages;
  for (unsigned p = 0; p < pages; ++p) {
    standin::PageModel page;
    const unsigned annots = in.U8() % kMaxAnnots;
    for (unsigned a = 0; a < annots; ++a)
      page.annots.push_back(Annotation(in, modelFiles));
    input.document.pages.push_back(std::move(page));
  }
  return input;
}

}  // namespace kvfuzz
