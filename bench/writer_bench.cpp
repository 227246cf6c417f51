// The writer's whole path, WriteMeshesAsPrc: the merge, both splits, the normals, the topology,
// the fill and the 3D library's calls and write, per triangle, with its peak memory.
#include <cstdio>

#include "bench/bench_models.h"
#include "bench/bench_register.h"
#include "bench/bench_session.h"
#include "bench/bench_timing.h"
#include "bench/peak_memory.h"
#include "import/a3d_binding.h"
#include "import/prc_writer.h"

namespace {

// What the design itself holds at once: the three arrays (112 bytes a triangle), the merged
// mesh (12 bytes a vertex, 16 a face) and its copy, which also holds a normal (12 bytes) a face.
double FloorBytes(const ModelCounts& counts) {
  const double n = static_cast<double>(counts.triangles);
  const double v = static_cast<double>(counts.vertices);
  const double merged = 12.0 * v + 16.0 * n;
  return 112.0 * n + merged + (merged + 12.0 * n);
}

void WriterBench(benchmark::State& state, ModelShape shape) {
  CachedModel& model = CachedModel::For(shape, static_cast<int>(state.range(0)));
  BenchSession& session = BenchSession::Get();
  CString path(session.File("writer.prc").c_str());

  // One run outside the timed ones measures the peak.
  PeakMeter meter;
  meter.Start();
  const int written = WriteMeshesAsPrc(model.meshes, path);
  const double peak = static_cast<double>(meter.PeakBytes());
  if (!written) {
    state.SkipWithError(static_cast<const char*>(GetLastErrorText()));
    return;
  }
  // The file goes before each run, as the import deletes it once the host has read it.
  TimeEach(
      state, model.counts.triangles, [&] { std::remove(path); },
      [&] { WriteMeshesAsPrc(model.meshes, path); });
  std::remove(path);
  const double n = static_cast<double>(model.counts.triangles);
  const double floor = FloorBytes(model.counts);
  state.counters["peak B/tri"] = peak / n;
  state.counters["floor B/tri"] = floor / n;
  state.counters["peak/floor"] = peak / floor;
}

}  // namespace

void RegisterWriterBenchmarks() {
  for (ModelShape shape : {ModelShape::kGrid, ModelShape::kSmallMeshes}) {
    const std::string name = std::string("writer/") + ShapeName(shape);
    for (int size : kWriterSizes)
      AtSize(benchmark::RegisterBenchmark(name.c_str(), WriterBench, shape), size)->MinTime(2.0);
  }
}
