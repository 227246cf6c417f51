// kv_run_measured [--detached NAME] REPORT STATS PROGRAM [ARGS...]: runs the program with its
// standard output in REPORT and writes "SECONDS PEAK_KB" (wall time, peak resident memory) to
// STATS; exits with the program's status. A benchmark that holds gigabytes starts the program
// through this small process because a child's peak memory counts the memory of the process it
// was started from.
//
// With --detached, the program starts another one that leaves it (a Windows program under
// wine runs in a process of its own, detached from the wine command that started it): the
// run also waits for the process whose name (as /proc shows it, at most 15 characters) starts
// like NAME, and PEAK_KB is the larger of the two peaks.
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The kernel keeps a process's name 15 characters long.
constexpr size_t kNameLength = 15;

// The name of a process that has ended and not been reaped yet (its /proc entry stays).
std::string ProcessName(pid_t pid) {
  char path[64];
  std::snprintf(path, sizeof(path), "/proc/%d/comm", static_cast<int>(pid));
  std::FILE* file = std::fopen(path, "r");
  if (!file)
    return std::string();
  char name[64] = {};
  const bool read = std::fgets(name, sizeof(name), file) != nullptr;
  std::fclose(file);
  std::string text = read ? name : "";
  if (!text.empty() && text.back() == '\n')
    text.pop_back();
  return text;
}

bool NameMatches(const std::string& name, const std::string& wanted) {
  return !name.empty() && name == wanted.substr(0, std::min(wanted.size(), kNameLength));
}

}  // namespace

int main(int argc, char** argv) {
  std::string detached;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--detached") == 0) {
    detached = argv[2];
    first = 3;
  }
  if (argc - first < 3) {
    std::fprintf(stderr,
                 "usage: kv_run_measured [--detached NAME] REPORT STATS PROGRAM [ARGS...]\n");
    return 2;
  }
  const char* reportPath = argv[first];
  const char* statsPath = argv[first + 1];
  char** program = argv + first + 2;
  // Orphans among the program's descendants come to this process, which can then reap them and
  // read their peak.
  if (!detached.empty() && prctl(PR_SET_CHILD_SUBREAPER, 1) != 0)
    return 1;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int report = open(reportPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (report < 0 || dup2(report, 1) < 0)
      _exit(127);
    execv(program[0], program);
    _exit(127);
  }
  if (child < 0)
    return 1;
  int status = 0;
  long peakKb = 0;
  bool childEnded = false;
  bool detachedEnded = detached.empty();
  double seconds = 0;
  while (!childEnded || !detachedEnded) {
    // Which process ended is seen before it is reaped, while its name can still be read.
    siginfo_t ended = {};
    if (waitid(P_ALL, 0, &ended, WEXITED | WNOWAIT) != 0)
      return 1;  // no process left to wait for, the detached one never seen
    const pid_t pid = ended.si_pid;
    const bool named = !detached.empty() && NameMatches(ProcessName(pid), detached);
    int endStatus = 0;
    rusage usage = {};
    if (wait4(pid, &endStatus, 0, &usage) != pid)
      return 1;
    if (pid == child) {
      status = endStatus;
      childEnded = true;
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } else if (!named) {
      continue;  // another helper the program started (under wine, its services)
    } else {
      detachedEnded = true;
    }
    peakKb = std::max(peakKb, usage.ru_maxrss);
  }
  std::FILE* stats = std::fopen(statsPath, "w");
  if (!stats)
    return 1;
  std::fprintf(stats, "%.6f %ld\n", seconds, peakKb);
  std::fclose(stats);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
