#include "standins/host/stdin_feed.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdio>

namespace standin {

bool FeedStandardInput(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (line.find('\n') != std::string::npos) {
      return false;  // it would answer two dialogs
    }
    text += line + "\n";
  }
  if (text.size() > kLongestFeed) {
    return false;
  }
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
