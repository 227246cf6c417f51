// Shared by the stand-in host's tests: a fixture holding the current host, with the test's own
// table set pointing at it so that the typed host calls reach it directly.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/acrobat/host_operations.h"
#include "standins/host/host.h"

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(standin::Scenario()); }
  void TearDown() override { host_.reset(); }
  void Start(const standin::Scenario& scenario);
  standin::Host& host() { return *host_; }

 private:
  std::unique_ptr<standin::Host> host_;
};

// The fake plug-in module, loaded as the program loads a module.
struct FakePlugIn {
  FakePlugIn();
  ~FakePlugIn();
  void* module = nullptr;
  PlugInMainProc main = nullptr;
};

// PlugInMain, set-up, handshake and init; false when a step answered false.
bool LoadFakePlugIn(standin::Host& host, const FakePlugIn& plugIn);
