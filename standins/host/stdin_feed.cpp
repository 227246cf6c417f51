#include "standins/host/stdin_feed.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdio>

namespace standin {
namespace {

// Far below a pipe's buffer, so the write never waits for a reader.
constexpr size_t kLongestLine = 4096;

}  // namespace

bool FeedStandardInput(const std::string& line) {
  if (line.size() > kLongestLine) {
    return false;
  }
  std::string text = line + "\n";
#ifdef _WIN32
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, nullptr, 0)) {
    return false;
  }
  DWORD written = 0;
  BOOL ok = WriteFile(writeEnd, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(writeEnd);
  if (!ok || written != text.size() || !SetStdHandle(STD_INPUT_HANDLE, readEnd)) {
    CloseHandle(readEnd);
    return false;
  }
  return true;
#else
  int ends[2];
  if (pipe(ends) != 0) {
    return false;
  }
  ssize_t written = write(ends[1], text.data(), text.size());
  close(ends[1]);
  bool ok = written == static_cast<ssize_t>(text.size()) && dup2(ends[0], 0) == 0;
  close(ends[0]);
  std::clearerr(stdin);
  return ok;
#endif
}

}  // namespace standin
