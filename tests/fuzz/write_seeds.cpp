// Writes the seeds of the model file and document targets: fuzz_write_seeds CORPUS_DIR puts
// them in CORPUS_DIR/model_file and CORPUS_DIR/document_streams.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/document_input.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/model_seeds.h"
#include "tests/support/test_env.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Shape bits of an annotation (document_input.h).
constexpr uint8_t kValid = 0x01;
constexpr uint8_t kSubtypeLower3d = 1 << 1;
constexpr uint8_t kSubtypeLink = 2 << 1;
constexpr uint8_t kDataDictionary = 1 << 3;
constexpr uint8_t kDataName = 2 << 3;
constexpr uint8_t kDataMissing = 3 << 3;
constexpr uint8_t kDataSubtypeU3d = 1 << 5;
constexpr uint8_t kDataSubtypeMissing = 2 << 5;
constexpr uint8_t kDataSubtypeStream = 3 << 5;
constexpr uint8_t kNoOwnSubtype = 0x80;

// The model files' order in SeedModels().
enum Model : uint8_t { kWriterShaped, kChildren, kLinked, kCycle, kUnnamed, kAwkward, kFailing };

// The header of a document input; the pages and annotations follow.
Bytes Header(uint16_t readLimit, uint8_t fault = 0, uint8_t faultCall = 0) {
  return {uint8_t(readLimit), uint8_t(readLimit >> 8), fault, faultCall};
}

// 1-based, as the input names a fault.
uint8_t FaultNumber(const char* operation) {
  for (size_t i = 0; i < kvfuzz::kFaultOperationCount; ++i) {
    if (std::string(kvfuzz::kFaultOperations[i]) == operation)
      return uint8_t(i + 1);
  }
  kvfuzz::Fail("no such fault operation");
}

void Append(Bytes* bytes, std::initializer_list<uint8_t> values) {
  bytes->insert(bytes->end(), values);
}

Bytes ModelOnOnePage(Bytes header, uint8_t model) {
  Append(&header, {1, 1, kValid, model});
  return header;
}

std::vector<std::pair<std::string, Bytes>> DocumentSeeds(size_t models) {
  const uint8_t mutated = uint8_t(models);  // content of a changed model file
  const uint8_t raw = uint8_t(2 * models);  // content of raw bytes
  std::vector<std::pair<std::string, Bytes>> seeds;
  seeds.push_back({"one_model", ModelOnOnePage(Header(0), kWriterShaped)});
  seeds.push_back({"no_pages", Header(0)});
  Bytes pages = Header(0);
  Append(&pages, {3, 2, kValid, kChildren, kValid, kCycle, 0, 1, kValid, kLinked});
  seeds.push_back({"three_pages", pages});
  seeds.push_back({"read_limit_1", ModelOnOnePage(Header(1), kUnnamed)});
  seeds.push_back({"read_limit_1023", ModelOnOnePage(Header(1023), kAwkward)});
  seeds.push_back({"read_limit_1024", ModelOnOnePage(Header(1024), kChildren)});
  Bytes mixed = Header(0);
  Append(&mixed, {1, 4, 0, kWriterShaped, kValid | kSubtypeLower3d, kWriterShaped,
                  kValid | kSubtypeLink | kNoOwnSubtype, kWriterShaped, kValid | kDataDictionary,
                  kWriterShaped});
  seeds.push_back({"not_prc_annotations", mixed});
  Bytes entries = Header(0);
  Append(&entries,
         {1, 4, kValid | kDataName, kWriterShaped, kValid | kDataMissing, kWriterShaped,
          kValid | kDataSubtypeU3d, kWriterShaped, kValid | kDataSubtypeMissing, kWriterShaped});
  seeds.push_back({"odd_entries", entries});
  Bytes streamSubtype = Header(0);
  Append(&streamSubtype, {1, 1, kValid | kDataSubtypeStream, kWriterShaped});
  seeds.push_back({"subtype_stream", streamSubtype});
  Bytes changed = Header(0);
  Append(&changed, {1, 2, kValid, uint8_t(mutated + kWriterShaped), 40, 0, 0x10, kValid,
                    uint8_t(mutated + kChildren), 8, 0, 0});
  seeds.push_back({"changed_models", changed});
  Bytes garbage = Header(0);
  Append(&garbage, {1, 2, kValid, raw, 5, 0, 'h', 'e', 'l', 'l', 'o', kValid, raw, 0, 0});
  seeds.push_back({"raw_streams", garbage});
  seeds.push_back(
      {"read_fails", ModelOnOnePage(Header(0, FaultNumber("HostStreamRead"), 1), kChildren)});
  seeds.push_back(
      {"open_fails", ModelOnOnePage(Header(0, FaultNumber("HostCosStreamOpen"), 1), kLinked)});
  Bytes pageFails = Header(0, FaultNumber("HostDocAcquirePage"), 1);
  Append(&pageFails, {2, 1, kValid, kFailing, 1, kValid, kWriterShaped});
  seeds.push_back({"page_fails", pageFails});
  return seeds;
}

bool WriteSeed(const std::filesystem::path& dir, const std::string& name, const Bytes& bytes) {
  const std::string path = (dir / name).string();
  if (!testenv::WriteBytes(path, bytes.data(), bytes.size())) {
    std::fprintf(stderr, "fuzz_write_seeds: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_write_seeds CORPUS_DIR\n");
    return 2;
  }
  const std::filesystem::path corpus = argv[1];
  const std::filesystem::path models = corpus / "model_file";
  const std::filesystem::path documents = corpus / "document_streams";
  std::filesystem::create_directories(models);
  std::filesystem::create_directories(documents);
  bool ok = true;
  const std::vector<kvfuzz::SeedModel> seeds = kvfuzz::SeedModels();
  const std::vector<Bytes> files = kvfuzz::SeedModelFiles();
  if (files.size() != seeds.size())
    kvfuzz::Fail("the writer refused a seed model");
  for (size_t i = 0; i < seeds.size(); ++i)
    ok = WriteSeed(models, seeds[i].name + ".prc", files[i]) && ok;
  for (const auto& [name, bytes] : DocumentSeeds(files.size()))
    ok = WriteSeed(documents, name + ".bin", bytes) && ok;
  return ok ? 0 : 1;
}
