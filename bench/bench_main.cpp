// kv_bench [--obj=FILE ...] [benchmark options]: the writer, its stages, the reader and the
// whole import beside Assimp's, then a summary against the targets. Without --obj the import
// runs on a generated grid of 1 million triangles.
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_models.h"
#include "bench/bench_register.h"
#include "bench/bench_session.h"
#include "bench/bench_summary.h"

namespace {

// Takes the --obj=FILE arguments out of argv.
std::vector<std::string> TakeObjFiles(int* argc, char** argv) {
  std::vector<std::string> files;
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp(argv[i], "--obj=", 6) == 0) {
      files.push_back(argv[i] + 6);
    } else {
      argv[kept++] = argv[i];
    }
  }
  *argc = kept;
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> objFiles = TakeObjFiles(&argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 2;
  BenchSession& session = BenchSession::Get();
  if (!session.ready()) {
    std::fprintf(stderr, "kv_bench: the plug-in's set-up failed in the stand-in host\n");
    return 1;
  }
  if (objFiles.empty()) {
    objFiles.push_back(session.File("grid.obj"));
    if (!WriteGridObj(objFiles.back(), 1000000)) {
      std::fprintf(stderr, "kv_bench: cannot write %s\n", objFiles.back().c_str());
      return 1;
    }
  }
  RegisterReferenceBenchmarks();
  RegisterWriterBenchmarks();
  RegisterStageBenchmarks();
  RegisterReaderBenchmarks();
  RegisterImportBenchmarks(objFiles);

  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::vector<std::string> names;
  for (const std::string& file : objFiles)
    names.push_back(BaseName(file));
  reporter.PrintSummary(names);
  benchmark::Shutdown();
  return 0;
}
