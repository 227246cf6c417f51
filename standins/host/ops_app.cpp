// Alerts and the application's version (AcroView 5, 7).
#include <cstdio>

#include "standins/host/op_call.h"

namespace standin {

void HOSTCALL op::HostAlert(const char* message) {
  OpCall call(OpId::HostAlert, Args({Quote(message)}));
  call.Done();
  HostState& state = call.state();
  state.alerts.push_back(TextOf(message));
  if (state.scenario.printAlerts) {
    std::fprintf(stderr, "standin host: alert: %s\n", state.alerts.back().c_str());
    std::fflush(stderr);
  }
}

void HOSTCALL op::HostGetAppVersion(int16_t* major, int16_t* minor) {
  OpCall call(OpId::HostGetAppVersion, Args({ShowPointer(major), ShowPointer(minor)}));
  const Scenario& scenario = call.state().scenario;
  if (major != nullptr) {
    *major = scenario.appMajor;
  }
  if (minor != nullptr) {
    *minor = scenario.appMinor;
  }
  call.Answer(0, ShowInt(scenario.appMajor) + "." + ShowInt(scenario.appMinor));
}

}  // namespace standin
