// korvalume-host: loads a plug-in module as the host application would and prints every step,
// what the plug-in registered, what its clicks did and what it left behind.
#include <windows.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "standins/host/host.h"
#include "standins/host/host_options.h"
#include "standins/host/run_report.h"
#include "standins/host/stdin_feed.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kModuleError = 3;
constexpr int kClickError = 4;
constexpr int kOutOfMemory = 5;

std::string DefaultModulePath() {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program(path, length < MAX_PATH ? length : MAX_PATH);
  size_t slash = program.find_last_of("/\\");
  std::string directory = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
  return directory + "Korvalume.api";
}

// The clicks in order; false at the first that names nothing registered, leaving the rest.
bool RunClicks(const std::vector<std::string>& clicks, standin::Host& host) {
  for (size_t index = 0; index < clicks.size(); ++index) {
    if (!standin::Click(stdout, host, clicks[index])) {
      std::fflush(stdout);
      std::fprintf(stderr, "korvalume-host: --click %s names nothing registered%s\n",
                   clicks[index].c_str(),
                   index + 1 < clicks.size() ? "; the clicks after it are not made" : "");
      return false;
    }
  }
  return true;
}

// Everything between loading and unloading the module; the exit status.
int RunPlugIn(const standin::HostOptions& options, HMODULE module, PlugInMainProc main) {
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
  bool clicked = RunClicks(options.clicks, host);
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
  return clicked ? 0 : kClickError;
}

// The whole program but its last resort.
int Run(const std::vector<std::string>& arguments) {
  standin::HostOptions options;
  std::string error;
  if (!standin::ParseHostOptions(arguments, &options, &error)) {
    std::fprintf(stderr, "korvalume-host: %s\n%s", error.c_str(), standin::HostUsage().c_str());
    return kUsageError;
  }
  if (options.help) {
    std::printf("%s", standin::HostUsage().c_str());
    return 0;
  }
  if (!options.answers.empty() && !standin::FeedStandardInput(options.answers)) {
    std::fprintf(stderr,
                 "korvalume-host: the --answer values cannot be given to the file dialog"
                 " (one line each, at most %zu bytes in all)\n",
                 standin::kLongestFeed);
    return kUsageError;
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
  return RunPlugIn(options, module, main);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    // The host's own records could not grow: what was printed so far stands, and the run ends
    // with a message instead of an abort.
    std::fflush(stdout);
    std::fprintf(stderr, "korvalume-host: out of memory; the run was stopped\n");
    return kOutOfMemory;
  }
}
