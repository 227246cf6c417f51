// The whole main job against a peer: korvalume-host loading Korvalume.api, the tool button
// clicked, the OBJ file read, converted and opened as a document, timed as a process from
// start to exit; and Assimp importing the same file with triangulation, joined vertices and
// face normals, timed in this process. Beside them, the same steps in this process (read,
// write, open) and the reading library's share alone.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/bench_models.h"
#include "bench/bench_register.h"
#include "bench/bench_session.h"
#include "bench/bench_timing.h"
#include "import/host_handover.h"
#include "platform/ostrel/tvl_ostrel.h"

extern char** environ;

namespace {

struct HostRun {
  bool ok = false;
  double seconds = 0;
  long long triangles = 0;  // of the opened document
  double peakBytes = 0;     // the process's peak resident memory
};

// The triangles of the opened document as the host's report gives them, in the line
// `document "Model": PRC stream N bytes, model: T triangles in ...`; 0 when it opened none or
// found its model damaged.
long long DocumentTriangles(const std::string& report) {
  const char kDocument[] = "document \"Model\": PRC stream";
  const char kModel[] = ", model: ";
  const size_t at = report.find(kDocument);
  if (at == std::string::npos)
    return 0;
  const size_t model = report.find(kModel, at);
  if (model == std::string::npos || model > report.find('\n', at))
    return 0;
  return std::atoll(report.c_str() + model + std::strlen(kModel));
}

// One run of korvalume-host through kv_run_measured, which times it and reads its peak
// memory; the session has set "temp" and the search path it inherits.
HostRun RunHost(const std::string& objFile) {
  BenchSession& session = BenchSession::Get();
  const std::string launcher = std::string(KV_BIN_DIR) + "/kv_run_measured";
  const std::string report = session.File("host-report.txt");
  const std::string stats = session.File("host-stats.txt");
  std::string args[] = {
      launcher,  report,           stats,      std::string(KV_BIN_DIR) + "/korvalume-host",
      "--click", "ADBE:Korvalume", "--answer", objFile};
  std::vector<char*> argv;
  for (std::string& arg : args)
    argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  HostRun run;
  pid_t child = 0;
  if (posix_spawn(&child, launcher.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    return run;
  int status = 0;
  if (waitpid(child, &status, 0) != child)
    return run;
  long peakKb = 0;
  std::FILE* file = std::fopen(stats.c_str(), "r");
  const bool measured = file && std::fscanf(file, "%lf %ld", &run.seconds, &peakKb) == 2;
  if (file)
    std::fclose(file);
  run.triangles = DocumentTriangles(testenv::ReadFile(report));
  run.ok = measured && WIFEXITED(status) && WEXITSTATUS(status) == 0 && run.triangles > 0;
  run.peakBytes = 1024.0 * static_cast<double>(peakKb);
  return run;
}

// The middle of the times: a process's start varies more than the work it does.
double Median(std::vector<double> values) {
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Counters of an import: triangles, the median time in ms and per triangle.
void SetImportCounters(benchmark::State& state, long long triangles,
                       const std::vector<double>& seconds) {
  const double median = Median(seconds);
  state.counters["tri"] = static_cast<double>(triangles);
  state.counters["median ms"] = 1e3 * median;
  state.counters["ns/tri"] = 1e9 * median / static_cast<double>(triangles);
}

// The time is the launcher's own measure of the host's run, from its start to its exit.
void HostImport(benchmark::State& state, const std::string& objFile) {
  HostRun last;
  double peak = 0;
  std::vector<double> seconds;
  for (auto _ : state) {
    last = RunHost(objFile);
    state.SetIterationTime(last.seconds);
    seconds.push_back(last.seconds);
    peak = last.peakBytes > peak ? last.peakBytes : peak;
  }
  if (!last.ok) {
    state.SkipWithError("korvalume-host opened no document");
    return;
  }
  SetImportCounters(state, last.triangles, seconds);
  state.counters["peak MB"] = peak / 1e6;
}

void AssimpImport(benchmark::State& state, const std::string& objFile) {
  long long triangles = 0;
  std::vector<double> seconds;
  for (auto _ : state) {
    malloc_trim(0);
    seconds.push_back(SecondsOf([&] {
      Assimp::Importer importer;
      const aiScene* scene = importer.ReadFile(
          objFile, aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_GenNormals);
      triangles = 0;
      for (unsigned m = 0; scene && m < scene->mNumMeshes; ++m)
        triangles += scene->mMeshes[m]->mNumFaces;
    }));
    state.SetIterationTime(seconds.back());
  }
  if (triangles == 0) {
    state.SkipWithError("Assimp read no triangles");
    return;
  }
  SetImportCounters(state, triangles, seconds);
}

// The reading library's share alone: the OBJ file into meshes.
void ReadStep(benchmark::State& state, const std::string& objFile) {
  BenchSession::Get();
  long long triangles = 0;
  const double seconds = TimeEach(
      state, 0, [] {},
      [&] {
        ON_ClassArray<ON_Mesh> meshes;
        TVLOstrel::SKPToMesh(CString(objFile.c_str()), meshes);
        triangles = CountModel(meshes).triangles;
      });
  if (triangles == 0) {
    state.SkipWithError("the reading library gave no triangles");
    return;
  }
  state.counters["tri"] = static_cast<double>(triangles);
  state.counters["ns/tri"] = 1e9 * seconds / static_cast<double>(triangles);
}

// The steps of the import command in this process, without the file dialog: read, write,
// open as a document.
void InProcess(benchmark::State& state, const std::string& objFile) {
  BenchSession::Get();
  long long triangles = 0;
  bool opened = true;
  std::vector<double> seconds;
  for (auto _ : state) {
    malloc_trim(0);
    seconds.push_back(SecondsOf([&] {
      ON_ClassArray<ON_Mesh> meshes;
      TVLOstrel::SKPToMesh(CString(objFile.c_str()), meshes);
      triangles = CountModel(meshes).triangles;
      opened &= ImportMeshesIntoHost(meshes) == 1;
    }));
    state.SetIterationTime(seconds.back());
  }
  if (!opened || triangles == 0) {
    state.SkipWithError("the import opened no document");
    return;
  }
  SetImportCounters(state, triangles, seconds);
}

}  // namespace

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void RegisterImportBenchmarks(const std::vector<std::string>& objFiles) {
  for (const std::string& file : objFiles) {
    const std::string name = BaseName(file);
    const struct {
      const char* label;
      void (*run)(benchmark::State&, const std::string&);
    } kinds[] = {{"import/read/", ReadStep},
                 {"import/in-process/", InProcess},
                 {"import/korvalume-host/", HostImport},
                 {"import/assimp/", AssimpImport}};
    for (const auto& kind : kinds) {
      const std::string label = kind.label + name;
      benchmark::RegisterBenchmark(label.c_str(), kind.run, file)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond)
          ->MinTime(3.0);
    }
  }
}
