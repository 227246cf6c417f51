// The command line of korvalume-host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standins/host/scenario.h"

namespace standin {

struct HostOptions {
  Scenario scenario;
  uint32_t handshakeVersion = 0x20000;
  std::vector<std::string> clicks;   // in order
  std::vector<std::string> answers;  // the file dialogs' answers, one per dialog, in order
  bool printLog = false;
  bool help = false;
  std::string modulePath;  // empty: Korvalume.api beside the program
};

// False with a message on a usage error.
bool ParseHostOptions(const std::vector<std::string>& arguments, HostOptions* options,
                      std::string* error);
std::string HostUsage();

}  // namespace standin
