// kv_run_measured REPORT STATS PROGRAM [ARGS...]: runs the program with its standard output in
// REPORT and writes "SECONDS PEAK_KB" (wall time, peak resident memory) to STATS; exits with
// the program's status. A benchmark that holds gigabytes starts the program through this small
// process because a child's peak memory counts the memory of the process it was started from.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: kv_run_measured REPORT STATS PROGRAM [ARGS...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int report = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (report < 0 || dup2(report, 1) < 0)
      _exit(127);
    execv(argv[3], argv + 3);
    _exit(127);
  }
  if (child < 0)
    return 1;
  int status = 0;
  rusage usage = {};
  if (wait4(child, &status, 0, &usage) != child)
    return 1;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::FILE* stats = std::fopen(argv[2], "w");
  if (!stats)
    return 1;
  std::fprintf(stats, "%.6f %ld\n", seconds, usage.ru_maxrss);
  std::fclose(stats);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
