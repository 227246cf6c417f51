// A document decided by the bytes (document_input.h) handed to the plug-in's PRC reader by a
// stand-in host that ran the plug-in's set-up. Whatever the document and the host's faults,
// the reader closes every stream it opened and gives back all the host lent it, the 3D
// library is left with no entity and no attached block, and every mesh is sane.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "import/prc_stream_reader.h"
#include "tests/fuzz/document_input.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/model_seeds.h"
#include "tests/support/plugin_session.h"

namespace {

const std::vector<std::vector<uint8_t>>& ModelFiles() {
  static const std::vector<std::vector<uint8_t>> files = kvfuzz::SeedModelFiles();
  return files;
}

void CheckHostLeaks(const standin::Host& host) {
  const standin::LeakReport leaks = host.Leaks();
  if (leaks.streams != 0)
    kvfuzz::Fail("a host stream left open");
  if (!leaks.Clean())
    kvfuzz::Fail("the host's leak report is not clean");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kvfuzz::PrepareEnvironment();
  for (size_t i = 0; i < kvfuzz::kFaultOperationCount; ++i) {
    if (!standin::IsHostOperation(kvfuzz::kFaultOperations[i]))
      kvfuzz::Fail("a fault names no host operation");
  }
  if (!kvfuzz::HoldA3dLibrary() || ModelFiles().empty())
    kvfuzz::Fail("the 3D library or the model files are missing");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kvfuzz::DocumentInput input = kvfuzz::DecodeDocumentInput(data, size, ModelFiles());
  PlugInSession session(input.scenario);
  if (!session.ready)
    return 0;  // the fault fell on the set-up: there is no plug-in to hand a document to
  HostViewDoc view = session.host.AddDocument(std::move(input.document));
  ON_ClassArray<ON_Mesh> meshes;
  ReadDocumentPrc(view, meshes);
  if (!kvfuzz::FaceIndicesInRange(meshes))
    kvfuzz::Fail("a face index outside its mesh");
  CheckHostLeaks(session.host);
  kvfuzz::CheckLibraryBalanced("the reader");
  return 0;
}
