// The stand-in comdlg32.dll: the file dialogs as a prompt on the console, so that a program
// run under wine can be given its answer on standard input. Chosen with
// WINEDLLOVERRIDES=comdlg32=n when this file sits in the program's directory.
#define _COMDLG32_  // this module defines the dialog calls instead of importing them
#include <windows.h>
// After windows.h: the dialog's record is in commdlg.h.
#include <commdlg.h>

#include <string>

#include "platform/posix/file_prompt.h"

namespace {

void Write(const std::string& text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  if (out != nullptr && out != INVALID_HANDLE_VALUE) {
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

// One line, a byte at a time so that nothing after it is consumed. False at the end of
// input before any character; tooLong when the line passed the prompt's limit.
bool ReadLine(std::string* line, bool* tooLong) {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  if (in == nullptr || in == INVALID_HANDLE_VALUE) {
    return false;
  }
  bool any = false;
  char c = 0;
  DWORD got = 0;
  while (ReadFile(in, &c, 1, &got, nullptr) && got == 1) {
    any = true;
    if (c == '\n') {
      return true;
    }
    if (line->size() <= kv_prompt::kMaxAnswerLength) {
      line->push_back(c);
    } else {
      *tooLong = true;
    }
  }
  return any;
}

BOOL Prompt(LPOPENFILENAMEA ofn, bool save) {
  if (ofn == nullptr || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    return FALSE;
  }
  Write(kv_prompt::PromptText(*ofn, save));
  std::string line;
  bool tooLong = false;
  const bool answered = ReadLine(&line, &tooLong);
  if (GetFileType(GetStdHandle(STD_INPUT_HANDLE)) != FILE_TYPE_CHAR) {
    // an answer that came from a pipe is shown, so the transcript reads like a session
    Write(answered ? line + "\n" : std::string("\n"));
  }
  if (!answered || tooLong) {
    return FALSE;
  }
  return kv_prompt::StoreAnswer(ofn, kv_prompt::TrimAnswer(line)) ? TRUE : FALSE;
}

}  // namespace

extern "C" BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) {
  return Prompt(ofn, false);
}

extern "C" BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA ofn) {
  return Prompt(ofn, true);
}
