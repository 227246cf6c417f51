// Version, initialisation and termination: the calls that work before initialisation.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/entry_support.h"
#include "standins/a3dlib/library_log.h"

using namespace a3dlib;

namespace {

constexpr int32_t kReportedMajor = 2;
constexpr int32_t kReportedMinor = 1;

// A whole decimal int32 starting at text; *end is where it stopped.
bool ParseInt(const char* text, int32_t* value, const char** end) {
  errno = 0;
  char* stop = nullptr;
  const long parsed = std::strtol(text, &stop, 10);
  if (stop == text || errno != 0 || parsed < INT32_MIN || parsed > INT32_MAX) {
    return false;
  }
  *value = int32_t(parsed);
  *end = stop;
  return true;
}

// "M.m", each part a decimal integer that may be negative.
bool ParseVersion(const std::string& text, int32_t* major, int32_t* minor) {
  const char* at = text.c_str();
  return ParseInt(at, major, &at) && *at == '.' && ParseInt(at + 1, minor, &at) && *at == '\0';
}

A3dStatus InitResult() {
  std::string text;
  int32_t result = kA3dSuccess;
  const char* end = nullptr;
  if (EnvValue("KV_A3D_INIT_RESULT", &text) && ParseInt(text.c_str(), &result, &end) &&
      *end == '\0') {
    return result;
  }
  return kA3dSuccess;  // unset or not an integer
}

}  // namespace

// KV_A3D_VERSION "none" writes neither value; a value that is not "M.m" is ignored.
KV_A3D_ENTRY(A3DDllGetVersion)(int32_t* major, int32_t* minor) {
  if (!major || !minor) {
    LogLine("A3DDllGetVersion -> %d", kErrNullArgument);
    return kErrNullArgument;
  }
  std::string text;
  const bool set = EnvValue("KV_A3D_VERSION", &text);
  if (set && text == "none") {
    LogLine("A3DDllGetVersion -> 0 version=none");
    return kA3dSuccess;
  }
  int32_t reportedMajor = kReportedMajor;
  int32_t reportedMinor = kReportedMinor;
  const bool parsed = set && ParseVersion(text, &reportedMajor, &reportedMinor);
  if (!parsed) {
    reportedMajor = kReportedMajor;
    reportedMinor = kReportedMinor;
  }
  *major = reportedMajor;
  *minor = reportedMinor;
  LogLine("A3DDllGetVersion -> 0 major=%d minor=%d%s", reportedMajor, reportedMinor,
          set && !parsed ? " (KV_A3D_VERSION ignored)" : "");
  return kA3dSuccess;
}
KV_A3D_CHECKED(A3DDllGetVersion);

KV_A3D_ENTRY(A3DDllInitialize)(int32_t major, int32_t minor) {
  LibraryState& state = State();
  state.initMajor = major;
  state.initMinor = minor;
  state.forced = ReadForcedFailure();
  const A3dStatus result = InitResult();
  state.initialized = result == kA3dSuccess;
  LogLine("A3DDllInitialize major=%d minor=%d -> %d", major, minor, result);
  return result;
}
KV_A3D_CHECKED(A3DDllInitialize);

// Entities and attached blocks stay until the module unloads: what is left is reported.
KV_A3D_ENTRY(A3DDllTerminate)() {
  LibraryState& state = State();
  state.initialized = false;
  LogLine("A3DDllTerminate -> 0 live=%u attached=%u", unsigned(state.entities.size()),
          unsigned(state.attachments.size()));
  return kA3dSuccess;
}
KV_A3D_CHECKED(A3DDllTerminate);
