// What this machine charges for the two things the design cannot avoid, as references for the
// writer's figures: touching fresh memory (the first write to each page of a new block, which
// the kernel must supply and zero) and writing a file of the model's size to the temporary
// folder. Both per triangle of a 1-million-triangle model: 288 bytes of fresh memory (what the
// writer's whole path allocates and fills) and 112 bytes of file.
#include <sys/mman.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/bench_register.h"
#include "bench/bench_session.h"
#include "bench/bench_timing.h"

namespace {

constexpr long long kTriangles = 1000000;

void FreshMemory(benchmark::State& state) {
  const size_t bytes = 288 * static_cast<size_t>(kTriangles);
  TimeEach(
      state, kTriangles, [] {},
      [&] {
        void* block =
            mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED)
          return;
        std::memset(block, 1, bytes);
        benchmark::DoNotOptimize(block);
        munmap(block, bytes);
      });
}

void FileWrite(benchmark::State& state) {
  const std::vector<char> data(112 * static_cast<size_t>(kTriangles), 1);
  const std::string path = BenchSession::Get().File("reference.bin");
  TimeEach(
      state, kTriangles, [&] { std::remove(path.c_str()); },
      [&] {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
          return;
        std::fwrite(data.data(), 1, data.size(), file);
        std::fclose(file);
      });
  std::remove(path.c_str());
}

}  // namespace

void RegisterReferenceBenchmarks() {
  benchmark::RegisterBenchmark("reference/fresh-memory-288B", FreshMemory)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.0);
  benchmark::RegisterBenchmark("reference/file-write-112B", FileWrite)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.0);
}
