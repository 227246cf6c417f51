// The plug-in, linked into the test, set up and shaken hands with by a stand-in host, as the
// host does at start: each test gets a fresh host and a fresh module state.
#pragma once

#include <string>
#include <vector>

#include "frame/frame_state.h"
#include "standins/host/host.h"
#include "tests/support/plugin_state.h"

struct PlugInSession {
  explicit PlugInSession(standin::Scenario scenario = standin::Scenario(),
                         void* moduleInstance = nullptr)
      : host((scenario.printAlerts = false, std::move(scenario))) {
    ResetPlugInState();
    host.CallPlugInMain(&PlugInMain, moduleInstance, nullptr);
    ready = host.CallSetup() && host.CallHandshake();
  }

  // The operations of the host calls made after the given call number, in order.
  std::vector<std::string> OperationsSince(uint32_t callNumber) const {
    std::vector<std::string> operations;
    for (const standin::CallRecord& record : host.Log()) {
      if (!record.intoPlugIn && record.number > callNumber)
        operations.push_back(record.operation);
    }
    return operations;
  }

  standin::Host host;
  bool ready = false;
};
