// The file dialog as a prompt on a terminal, without the terminal: the prompt's text and
// what an answer line does to the dialog's record. Shared by the native dialog, the
// stand-in comdlg32.dll of the win32 build and the class library's dialog.
#pragma once

#include <windows.h>
// After windows.h: the dialog's record is in commdlg.h on the win32 build.
#include <commdlg.h>

#include <cstddef>
#include <string>

namespace kv_prompt {

// An answer line longer than this is read to its end but refused.
constexpr size_t kMaxAnswerLength = 32767;

// "Open [<the filter's first description>]: ", "Save ..." for a save dialog; without a
// filter the default extension is shown ("Open [*.skp]: "), without either "Open: ".
std::string PromptText(const OPENFILENAMEA& ofn, bool save);

// The answer line without its "\n" and one "\r" before it.
std::string TrimAnswer(std::string line);

// Stores an answered path as the dialog does: into lpstrFile (at most nMaxFile with its NUL),
// nFileOffset and nFileExtension, and the name alone into lpstrFileTitle when there is one.
// False (the dialog's Cancel) for an empty path or one that does not fit.
bool StoreAnswer(OPENFILENAMEA* ofn, const std::string& path);

}  // namespace kv_prompt
