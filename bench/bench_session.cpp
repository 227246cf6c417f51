#include "bench/bench_session.h"

namespace {

standin::Scenario BenchScenario() {
  standin::Scenario scenario;
  // 4 million triangles need a 288 MB coordinate array; by default the stand-in heap refuses
  // blocks over 256 MB.
  scenario.largestBlock = 0xFFFFFFFFu;
  return scenario;
}

}  // namespace

BenchSession::BenchSession()
    : scratchPath_(scratch_.path()),
      temp_("temp", scratchPath_.c_str()),
      path_("PATH", testenv::PathWith(KV_A3DLIB_DIR).c_str()),
      plugIn_(BenchScenario()) {}

BenchSession& BenchSession::Get() {
  static BenchSession session;
  return session;
}
