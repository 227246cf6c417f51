// Standard input replaced by a pipe holding some text, for the length of a scope (native
// build). The text must fit in the pipe (64 KiB).
#pragma once

#include <unistd.h>

#include <string>

class StdinFeed {
 public:
  explicit StdinFeed(const std::string& text) {
    int ends[2];
    if (pipe(ends) != 0) {
      return;
    }
    const ssize_t written = write(ends[1], text.data(), text.size());
    (void)written;
    close(ends[1]);
    saved_ = dup(STDIN_FILENO);
    dup2(ends[0], STDIN_FILENO);
    close(ends[0]);
  }
  ~StdinFeed() {
    if (saved_ >= 0) {
      dup2(saved_, STDIN_FILENO);
      close(saved_);
    }
  }
  StdinFeed(const StdinFeed&) = delete;
  StdinFeed& operator=(const StdinFeed&) = delete;

 private:
  int saved_ = -1;
};
