// Each step of the writer on its own, in the writer's order: the merge (append), the quad
// split, the copy, the second split, the face normals, the topology, the fill of the three
// arrays and the 3D library's calls with its write.
#include <cstdio>
#include <optional>

#include "bench/bench_models.h"
#include "bench/bench_register.h"
#include "bench/bench_session.h"
#include "bench/bench_timing.h"
#include "bench/library_calls.h"
#include "import/prc_writer.h"

namespace {

// The inputs of every stage for the cached model: the merge before and after its split, and
// the copy as the fill finds it (split, with normals and topology).
struct StageInputs {
  const CachedModel* model = nullptr;
  ON_Mesh merged;
  ON_Mesh split;
  ON_Mesh copy;

  static StageInputs& For(ModelShape shape, int triangles) {
    static StageInputs inputs;
    CachedModel& model = CachedModel::For(shape, triangles);
    if (inputs.model != &model || inputs.merged.FaceCount() == 0 ||
        inputs.merged.VertexCount() != model.counts.vertices) {
      inputs.model = &model;
      inputs.merged = ON_Mesh();
      for (int i = 0; i < model.meshes.Count(); ++i)
        inputs.merged.Append(model.meshes[i]);
      inputs.split = inputs.merged;
      inputs.split.ConvertQuadsToTriangles();
      inputs.copy = inputs.split;
      inputs.copy.ComputeFaceNormals();
      inputs.copy.Topology();
    }
    return inputs;
  }
};

using StageBody = void (*)(benchmark::State&, StageInputs&);

void Append(benchmark::State& state, StageInputs& in) {
  ON_Mesh merged;
  TimeEach(
      state, in.model->counts.triangles, [&] { merged = ON_Mesh(); },
      [&] {
        for (int i = 0; i < in.model->meshes.Count(); ++i)
          merged.Append(in.model->meshes[i]);
      });
}

void Split(benchmark::State& state, StageInputs& in) {
  ON_Mesh mesh;
  TimeEach(
      state, in.model->counts.triangles, [&] { mesh = in.merged; },
      [&] { mesh.ConvertQuadsToTriangles(); });
}

void Copy(benchmark::State& state, StageInputs& in) {
  std::optional<ON_Mesh> copy;
  TimeEach(
      state, in.model->counts.triangles, [&] { copy.reset(); }, [&] { copy.emplace(in.split); });
}

void SplitAgain(benchmark::State& state, StageInputs& in) {
  ON_Mesh mesh;
  TimeEach(
      state, in.model->counts.triangles, [&] { mesh = in.split; },
      [&] { mesh.ConvertQuadsToTriangles(); });
}

void Normals(benchmark::State& state, StageInputs& in) {
  ON_Mesh mesh = in.split;
  TimeEach(
      state, in.model->counts.triangles, [&] { mesh.m_FN.Destroy(); },
      [&] { mesh.ComputeFaceNormals(); });
}

void Topology(benchmark::State& state, StageInputs& in) {
  TimeEach(
      state, in.model->counts.triangles, [&] { in.copy.DestroyTopology(); },
      [&] { in.copy.Topology(); });
}

void Fill(benchmark::State& state, StageInputs& in) {
  const uint32_t n = static_cast<uint32_t>(in.copy.FaceCount());
  TriangleArrays arrays;
  bool given = true;
  in.copy.Topology();
  // Fresh arrays each time, as in the writer: the first touch of their pages is part of it.
  // The old ones go first, so that the new ones cannot take their pages back.
  TimeEach(
      state, n,
      [&] {
        arrays.Release();
        malloc_trim(0);
        given = arrays.Request(n);
      },
      [&] {
        if (given)
          FillPrcTriangleArrays(in.copy, arrays.coords, arrays.normals, arrays.indices);
      });
  if (!given)
    state.SkipWithError("the host refused the arrays");
}

void Library(benchmark::State& state, StageInputs& in) {
  const uint32_t n = static_cast<uint32_t>(in.copy.FaceCount());
  TriangleArrays arrays;
  if (!arrays.Request(n)) {
    state.SkipWithError("the host refused the arrays");
    return;
  }
  FillPrcTriangleArrays(in.copy, arrays.coords, arrays.normals, arrays.indices);
  CString path(BenchSession::Get().File("stage.prc").c_str());
  bool written = true;
  TimeEach(
      state, n, [&] { std::remove(path); },
      [&] { written &= RunLibraryCalls(arrays.coords, arrays.normals, arrays.indices, n, path); });
  std::remove(path);
  if (!written)
    state.SkipWithError("the library did not write the model");
}

struct Stage {
  const char* name;
  StageBody body;
};

const Stage kStages[] = {
    {"append", Append},   {"split", Split},       {"copy", Copy}, {"split-again", SplitAgain},
    {"normals", Normals}, {"topology", Topology}, {"fill", Fill}, {"library", Library}};

}  // namespace

void RegisterStageBenchmarks() {
  // Size by size, so that each model is made once for all its stages.
  for (ModelShape shape : {ModelShape::kGrid, ModelShape::kSmallMeshes}) {
    for (int size : kWriterSizes) {
      for (const Stage& stage : kStages) {
        const std::string name = std::string("stage/") + stage.name + "/" + ShapeName(shape);
        StageBody body = stage.body;
        auto run = [shape, body](benchmark::State& state) {
          BenchSession::Get();
          body(state, StageInputs::For(shape, static_cast<int>(state.range(0))));
        };
        AtSize(benchmark::RegisterBenchmark(name.c_str(), run), size);
      }
    }
  }
}
