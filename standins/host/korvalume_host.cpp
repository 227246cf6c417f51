// korvalume-host: loads a plug-in module as the host application would and prints every step,
// what the plug-in registered, what its clicks did and what it left behind.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "standins/host/host.h"
#include "standins/host/host_options.h"
#include "standins/host/run_report.h"
#include "standins/host/stdin_feed.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kModuleError = 3;

std::string DefaultModulePath() {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program(path, length < MAX_PATH ? length : MAX_PATH);
  size_t slash = program.find_last_of("/\\");
  std::string directory = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
  return directory + "Korvalume.api";
}

// Everything between loading and unloading the module.
void RunPlugIn(const standin::HostOptions& options, HMODULE module, PlugInMainProc main) {
  standin::Host host(options.scenario);
  host.CallPlugInMain(main, module, nullptr, options.handshakeVersion);
  HostBool setUp = host.CallSetup();
  HostBool shaken = host.CallHandshake();
  standin::PrintLoading(stdout, host);
  if (setUp != kHostFalse && shaken != kHostFalse) {
    std::printf("init: %s\n", host.CallInit() != kHostFalse ? "true" : "false");
  } else {
    std::printf("init: not called (the %s failed)\n", setUp == kHostFalse ? "set-up" : "handshake");
  }
  standin::PrintRegistrations(stdout, host);
  if (options.hasAnswer && !standin::FeedStandardInput(options.answer)) {
    std::printf("answer: could not be fed to standard input\n");
  }
  for (const std::string& click : options.clicks) {
    standin::Click(stdout, host, click);
  }
  standin::PrintAlertsAndDocuments(stdout, host);
  if (host.PlugIn().handshakeCalled && shaken != kHostFalse) {
    std::printf("unload: %s\n", host.CallUnload() != kHostFalse ? "true" : "false");
  }
  std::fflush(stdout);
  FreeLibrary(module);
  standin::PrintLeaks(stdout, host);
  if (options.printLog) {
    std::printf("call log:\n%s", host.FormatLog().c_str());
  }
  std::printf("host calls: %u\n", static_cast<unsigned>(host.CallCount()));
}

}  // namespace

int main(int argc, char** argv) {
  standin::HostOptions options;
  std::string error;
  if (!standin::ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc), &options,
                                 &error)) {
    std::fprintf(stderr, "korvalume-host: %s\n%s", error.c_str(), standin::HostUsage());
    return kUsageError;
  }
  if (options.help) {
    std::printf("%s", standin::HostUsage());
    return 0;
  }
  std::string path = options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    std::fprintf(stderr, "korvalume-host: cannot load the module %s\n", path.c_str());
    return kModuleError;
  }
  PlugInMainProc main = reinterpret_cast<PlugInMainProc>(
      reinterpret_cast<void*>(GetProcAddress(module, "PlugInMain")));
  if (main == nullptr) {
    std::fprintf(stderr, "korvalume-host: %s exports no PlugInMain\n", path.c_str());
    FreeLibrary(module);
    return kModuleError;
  }
  std::printf("module: %s\n", path.c_str());
  RunPlugIn(options, module, main);
  return 0;
}
