// Timing helpers shared by the benchmarks: each iteration is timed by hand, so that setting up
// its input stays out of the figure, and the results are given per triangle.
//
// Every timed run starts with the C heap's free memory handed back to the system
// (malloc_trim), so that it touches fresh pages as a conversion in a new process does. Without
// that, a run would reuse the pages of the run before for blocks under glibc's mmap threshold
// (at most 32 MB) but not for larger ones, and the figures per triangle would jump between
// sizes for that reason alone.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>

// Seconds taken by run().
template <class Run>
double SecondsOf(Run run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration: prepare() untimed, then run() timed. Sets the counters "tri" and "ns/tri"
// (when the triangles are known) and answers the mean seconds of an iteration.
template <class Prepare, class Run>
double TimeEach(benchmark::State& state, long long triangles, Prepare prepare, Run run) {
  double total = 0.0;
  for (auto _ : state) {
    prepare();
    malloc_trim(0);
    const double seconds = SecondsOf(run);
    state.SetIterationTime(seconds);
    total += seconds;
  }
  const double iterations = static_cast<double>(state.iterations());
  const double mean = iterations > 0 ? total / iterations : 0.0;
  if (triangles > 0) {
    state.counters["tri"] = static_cast<double>(triangles);
    state.counters["ns/tri"] = 1e9 * mean / static_cast<double>(triangles);
  }
  return mean;
}

// The sizes of the writer runs: 10 thousand to 4 million triangles.
constexpr int kWriterSizes[] = {10000, 100000, 1000000, 4000000};

// Makes the benchmark one run at a size, timed by hand, in milliseconds.
inline benchmark::internal::Benchmark* AtSize(benchmark::internal::Benchmark* b, int triangles) {
  return b->Arg(triangles)
      ->ArgName("tri")
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.0);
}
