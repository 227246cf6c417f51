// What the in-process benchmarks run in: one stand-in host that has run the plug-in's set-up,
// a scratch directory that "temp" names, and the 3D library's folder first on the search path,
// so that the plug-in's LoadLibraryExA finds it as in a real run.
#pragma once

#include <string>

#include "standins/host/host.h"
#include "tests/support/plugin_session.h"
#include "tests/support/test_env.h"

class BenchSession {
 public:
  // The one session of the run, made at the first call.
  static BenchSession& Get();

  std::string File(const std::string& name) const { return scratch_.File(name); }
  standin::Host& host() { return plugIn_.host; }
  bool ready() const { return plugIn_.ready; }

 private:
  BenchSession();

  testenv::ScratchDir scratch_;
  testenv::ScopedEnv temp_;
  testenv::ScopedEnv path_;
  PlugInSession plugIn_;
};
