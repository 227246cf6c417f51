// GetOpenFileNameA and GetSaveFileNameA on the native build: a prompt on the terminal.
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "file_prompt.h"

namespace {

enum class Read { kLine, kEnd };

// One line from file descriptor 0, a byte at a time: nothing past the line is consumed, so
// whoever reads standard input next (or swaps it) finds the rest intact.
Read ReadLine(std::string* line, bool* tooLong) {
  bool any = false;
  char c = 0;
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, &c, 1);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      return any ? Read::kLine : Read::kEnd;
    }
    any = true;
    if (c == '\n') {
      return Read::kLine;
    }
    if (line->size() <= kv_prompt::kMaxAnswerLength) {
      line->push_back(c);
    } else {
      *tooLong = true;
    }
  }
}

BOOL Prompt(LPOPENFILENAMEA ofn, bool save) {
  if (ofn == nullptr || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    return FALSE;
  }
  fputs(kv_prompt::PromptText(*ofn, save).c_str(), stdout);
  fflush(stdout);
  std::string line;
  bool tooLong = false;
  const bool ended = ReadLine(&line, &tooLong) == Read::kEnd;
  if (!isatty(STDIN_FILENO)) {
    // an answer that came from a pipe is shown, so the transcript reads like a session
    fputs(ended ? "\n" : (line + "\n").c_str(), stdout);
    fflush(stdout);
  }
  if (ended || tooLong) {
    return FALSE;
  }
  return kv_prompt::StoreAnswer(ofn, kv_prompt::TrimAnswer(line)) ? TRUE : FALSE;
}

}  // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
  return Prompt(ofn, false);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) {
  return Prompt(ofn, true);
}
