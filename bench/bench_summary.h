// The console table of every run, followed by a summary against the targets: the writer's
// time per triangle at 1 million, its own share beside the library's, how the time grows from
// 1 to 4 million, peak memory beside the floor, and the whole import against Assimp's.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  // In colour only on a terminal.
  SummaryReporter();
  void ReportRuns(const std::vector<Run>& runs) override;
  // Prints the summary of what ran; the import rows for the given OBJ file names.
  void PrintSummary(const std::vector<std::string>& objNames) const;

 private:
  struct Result {
    double seconds = 0;  // per iteration
    std::map<std::string, double> counters;
  };
  const Result* Find(const std::string& name) const;
  double Counter(const std::string& name, const std::string& counter) const;
  double Seconds(const std::string& name) const;
  void PrintWriter() const;
  void PrintScaling() const;
  void PrintMemory() const;
  void PrintImport(const std::vector<std::string>& objNames) const;

  std::map<std::string, Result> results_;
};
