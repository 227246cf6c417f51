// The reader, ReadDocumentPrc, over a document holding a model the writer wrote: the copy of
// the stream to a file, the library's load and the walk back into meshes, per triangle.
#include "bench/bench_models.h"
#include "bench/bench_register.h"
#include "bench/bench_session.h"
#include "bench/bench_timing.h"
#include "import/a3d_binding.h"
#include "import/prc_stream_reader.h"
#include "import/prc_writer.h"

namespace {

long long TrianglesOf(const ON_ClassArray<ON_Mesh>& meshes) {
  long long triangles = 0;
  for (int i = 0; i < meshes.Count(); ++i)
    triangles += meshes[i].FaceCount();
  return triangles;
}

void ReaderBench(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  CachedModel& model = CachedModel::For(ModelShape::kGrid, size);
  BenchSession& session = BenchSession::Get();
  const std::string file = session.File("reader.prc");
  CString path(file.c_str());
  if (!WriteMeshesAsPrc(model.meshes, path)) {
    state.SkipWithError(static_cast<const char*>(GetLastErrorText()));
    return;
  }
  std::string bytes = testenv::ReadFile(file);
  HostViewDoc document = session.host().AddDocument(
      standin::ModelFileDocument("Model", std::vector<uint8_t>(bytes.begin(), bytes.end())));
  bytes = std::string();

  ON_ClassArray<ON_Mesh> meshes;
  bool read = true;
  // The copy makes a host call a kilobyte, which the stand-in logs: each run starts on an empty
  // log, so that no run pays for moving the records of the runs before it.
  TimeEach(
      state, model.counts.triangles,
      [&] {
        meshes.Destroy();
        session.host().ForgetLog();
      },
      [&] { read &= ReadDocumentPrc(document, meshes) == 1; });
  if (!read) {
    state.SkipWithError(static_cast<const char*>(GetLastErrorText()));
  } else if (TrianglesOf(meshes) != model.counts.triangles) {
    state.SkipWithError("the reader gave back another number of triangles");
  }
}

}  // namespace

void RegisterReaderBenchmarks() {
  for (int size : kWriterSizes)
    AtSize(benchmark::RegisterBenchmark("reader/grid", ReaderBench), size);
}
