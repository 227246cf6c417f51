// What the 3D library stand-in logs when a session ends, "A3DDllTerminate -> 0 live=N
// attached=M": the entities not deleted and the blocks a Get filled that were not released.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace testenv {

struct LibraryCounts {
  unsigned live = 0;
  unsigned attached = 0;

  std::string Text() const {
    return "live=" + std::to_string(live) + " attached=" + std::to_string(attached);
  }
};

// The counts of the last session end in the log's text; none when no session ended.
inline std::optional<LibraryCounts> LastTerminateCounts(const std::string& log) {
  const size_t at = log.rfind("A3DDllTerminate -> ");
  if (at == std::string::npos)
    return std::nullopt;
  LibraryCounts counts;
  if (std::sscanf(log.c_str() + at, "A3DDllTerminate -> %*d live=%u attached=%u", &counts.live,
                  &counts.attached) != 2) {
    return std::nullopt;
  }
  return counts;
}

}  // namespace testenv
