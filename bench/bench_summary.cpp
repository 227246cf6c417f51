#include "bench/bench_summary.h"

#include <unistd.h>

#include <cstdio>

namespace {

const char* const kShapes[] = {"grid", "small"};
const char* const kStages[] = {"append",  "split",    "copy", "split-again",
                               "normals", "topology", "fill", "library"};

std::string Sized(const std::string& name, int triangles) {
  return name + "/tri:" + std::to_string(triangles) + "/manual_time";
}

// "12.3" or "-" when the value is missing.
std::string Show(double value, const char* format = "%.1f") {
  if (!(value > 0))
    return "-";
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

const char* Verdict(bool met) {
  return met ? "met" : "MISSED";
}

double ToSeconds(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond:
      return value * 1e-9;
    case benchmark::kMicrosecond:
      return value * 1e-6;
    case benchmark::kMillisecond:
      return value * 1e-3;
    case benchmark::kSecond:
      break;
  }
  return value;
}

}  // namespace

SummaryReporter::SummaryReporter()
    : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Iteration)
      continue;
    // Without the "/min_time:..." part, which the summary does not name.
    std::string name = run.benchmark_name();
    const size_t minTime = name.find("/min_time:");
    if (minTime != std::string::npos) {
      const size_t end = name.find('/', minTime + 1);
      name.erase(minTime, end == std::string::npos ? std::string::npos : end - minTime);
    }
    Result& result = results_[name];
    result.seconds = ToSeconds(run.GetAdjustedRealTime(), run.time_unit);
    for (const auto& counter : run.counters)
      result.counters[counter.first] = counter.second.value;
  }
}

const SummaryReporter::Result* SummaryReporter::Find(const std::string& name) const {
  const auto found = results_.find(name);
  return found == results_.end() ? nullptr : &found->second;
}

double SummaryReporter::Counter(const std::string& name, const std::string& counter) const {
  const Result* result = Find(name);
  if (!result)
    return 0;
  const auto found = result->counters.find(counter);
  return found == result->counters.end() ? 0 : found->second;
}

double SummaryReporter::Seconds(const std::string& name) const {
  const Result* result = Find(name);
  return result ? result->seconds : 0;
}

void SummaryReporter::PrintWriter() const {
  std::printf(
      "\nWriter at 1 million triangles, ns a triangle (targets: whole <= 200, own <= 120)\n");
  std::printf("  own = whole - library; stages = the plug-in's stages timed one by one\n");
  std::printf("  %-6s %8s %8s %8s %8s  %s\n", "shape", "whole", "library", "own", "stages",
              "verdict");
  for (const char* shape : kShapes) {
    const double whole = Counter(Sized(std::string("writer/") + shape, 1000000), "ns/tri");
    const double library = Counter(Sized(std::string("stage/library/") + shape, 1000000), "ns/tri");
    const double own = whole > 0 && library > 0 ? whole - library : 0;
    double stages = 0;
    for (const char* stage : kStages) {
      if (std::string(stage) != "library")
        stages += Counter(Sized(std::string("stage/") + stage + "/" + shape, 1000000), "ns/tri");
    }
    std::printf("  %-6s %8s %8s %8s %8s  whole %s, own %s\n", shape, Show(whole).c_str(),
                Show(library).c_str(), Show(own).c_str(), Show(stages).c_str(),
                Verdict(whole > 0 && whole <= 200), Verdict(own > 0 && own <= 120));
  }
  const double fresh = Counter("reference/fresh-memory-288B/manual_time", "ns/tri");
  const double file = Counter("reference/file-write-112B/manual_time", "ns/tri");
  std::printf(
      "  this machine: 288 fresh bytes cost %s ns, a 112-byte file write %s ns "
      "(floor of the whole path %s ns)\n",
      Show(fresh).c_str(), Show(file).c_str(), Show(fresh + file).c_str());
}

void SummaryReporter::PrintScaling() const {
  std::printf("\nTime at 4 million over time at 1 million (target <= 4.4; n log n is 4.4)\n");
  std::printf("  %-12s %8s %8s\n", "step", "grid", "small");
  auto ratio = [this](const std::string& name) {
    const double big = Seconds(Sized(name, 4000000));
    const double base = Seconds(Sized(name, 1000000));
    return big > 0 && base > 0 ? big / base : 0;
  };
  std::vector<std::string> names = {"writer"};
  for (const char* stage : kStages)
    names.push_back(std::string("stage/") + stage);
  for (const std::string& name : names) {
    std::printf("  %-12s %8s %8s\n", name.substr(name.find('/') + 1).c_str(),
                Show(ratio(name + "/grid"), "%.2f").c_str(),
                Show(ratio(name + "/small"), "%.2f").c_str());
  }
}

void SummaryReporter::PrintMemory() const {
  std::printf("\nWriter peak memory, bytes a triangle (target: peak <= 1.5 x floor)\n");
  std::printf("  %-6s %10s %8s %8s %10s\n", "shape", "triangles", "peak", "floor", "peak/floor");
  for (const char* shape : kShapes) {
    for (int size : {1000000, 4000000}) {
      const std::string name = Sized(std::string("writer/") + shape, size);
      std::printf("  %-6s %10d %8s %8s %10s\n", shape, size,
                  Show(Counter(name, "peak B/tri")).c_str(),
                  Show(Counter(name, "floor B/tri")).c_str(),
                  Show(Counter(name, "peak/floor"), "%.2f").c_str());
    }
  }
}

void SummaryReporter::PrintImport(const std::vector<std::string>& objNames) const {
  std::printf("\nWhole import, OBJ file to opened document, against Assimp (target: >= 3 x)\n");
  std::printf("  median ms; process = korvalume-host from start to exit; in-process = the same\n");
  std::printf("  read, write and open in this process, as Assimp's import is timed\n");
  std::printf("  %-14s %9s %8s %8s %8s %8s %8s  %s\n", "file", "triangles", "process", "in-proc",
              "Assimp", "ratio", "ratio", "verdict (process, in-process)");
  for (const std::string& file : objNames) {
    auto median = [&](const char* kind) {
      return Counter(std::string("import/") + kind + "/" + file + "/manual_time", "median ms");
    };
    const double process = median("korvalume-host");
    const double inProcess = median("in-process");
    const double peer = median("assimp");
    const double byProcess = process > 0 && peer > 0 ? peer / process : 0;
    const double byInProcess = inProcess > 0 && peer > 0 ? peer / inProcess : 0;
    std::printf("  %-14s %9.0f %8s %8s %8s %8s %8s  %s, %s\n", file.c_str(),
                Counter("import/korvalume-host/" + file + "/manual_time", "tri"),
                Show(process).c_str(), Show(inProcess).c_str(), Show(peer).c_str(),
                Show(byProcess, "%.2f").c_str(), Show(byInProcess, "%.2f").c_str(),
                Verdict(byProcess >= 3), Verdict(byInProcess >= 3));
  }
}

void SummaryReporter::PrintSummary(const std::vector<std::string>& objNames) const {
  std::printf("\n== Summary\n");
  PrintWriter();
  PrintScaling();
  PrintMemory();
  PrintImport(objNames);
  std::fflush(stdout);
}
