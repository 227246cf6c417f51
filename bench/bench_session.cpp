#include "bench/bench_session.h"

BenchSession::BenchSession()
    : temp_("temp", scratch_.path().c_str()),
      path_("PATH", testenv::PathWith(KV_A3DLIB_DIR).c_str()),
      plugIn_(standin::Scenario()) {}

BenchSession& BenchSession::Get() {
  static BenchSession session;
  return session;
}
