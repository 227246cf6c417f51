// ShellExecuteA: opens a file or URL with xdg-open, started detached.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

KvShellExecuteHook shellHook = nullptr;

HINSTANCE AsResult(intptr_t value) {
  return reinterpret_cast<HINSTANCE>(value);
}

// "scheme:..." with a scheme of two letters or more (one letter is a drive, as in "C:").
bool IsUrl(const char* file) {
  size_t i = 0;
  while ((file[i] >= 'a' && file[i] <= 'z') || (file[i] >= 'A' && file[i] <= 'Z') ||
         (i > 0 && ((file[i] >= '0' && file[i] <= '9') || file[i] == '+' || file[i] == '-' ||
                    file[i] == '.'))) {
    ++i;
  }
  return i >= 2 && file[i] == ':';
}

bool Exists(const char* file) {
  struct stat status;
  return stat(file, &status) == 0;
}

std::string FindOnPath(const char* program) {
  const char* path = getenv("PATH");
  const std::string list = path != nullptr ? path : "";
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) {
      end = list.size();
    }
    if (end > start) {
      const std::string candidate = list.substr(start, end - start) + "/" + program;
      if (access(candidate.c_str(), X_OK) == 0) {
        return candidate;
      }
    }
    start = end + 1;
  }
  return std::string();
}

// Runs the opener in a grandchild that nobody waits for; only the short-lived child is
// reaped. The opener gets no terminal streams, so it cannot hold a caller's pipe open.
bool StartDetached(const std::string& program, const char* file, const char* directory) {
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(file), nullptr};
  const pid_t child = fork();
  if (child < 0) {
    return false;
  }
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      const int null = open("/dev/null", O_RDWR);
      if (null >= 0) {
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
      }
      closefrom(3);
      if (directory != nullptr && directory[0] != '\0' && chdir(directory) != 0) {
        _exit(127);
      }
      execv(argv[0], argv);
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

HINSTANCE Report(const char* verb, const char* file, const char* what, intptr_t result) {
  fprintf(stderr, "shell: %s \"%s\": %s\n", verb, file, what);
  return AsResult(result);
}

}  // namespace

void KvSetShellExecuteHook(KvShellExecuteHook hook) {
  shellHook = hook;
}

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT showCommand) {
  if (shellHook != nullptr) {
    return AsResult(shellHook(owner, verb, file, parameters, directory, showCommand));
  }
  const char* action = verb != nullptr && verb[0] != '\0' ? verb : "open";
  if (file == nullptr || file[0] == '\0' || (!IsUrl(file) && !Exists(file))) {
    return Report(action, file != nullptr ? file : "", "no such file", SE_ERR_FNF);
  }
  if (strcmp(action, "open") != 0) {
    return Report(action, file, "no program to open it", SE_ERR_NOASSOC);
  }
  const std::string opener = FindOnPath("xdg-open");
  if (opener.empty() || !StartDetached(opener, file, directory)) {
    return Report(action, file, "no program to open it", SE_ERR_NOASSOC);
  }
  return Report(action, file, "started xdg-open", 42);
}
