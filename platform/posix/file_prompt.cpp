#include "file_prompt.h"

#include <cstring>

namespace kv_prompt {

std::string PromptText(const OPENFILENAMEA& ofn, bool save) {
  std::string text = save ? "Save" : "Open";
  if (ofn.lpstrFilter != nullptr && ofn.lpstrFilter[0] != '\0') {
    text += " [" + std::string(ofn.lpstrFilter) + "]";
  } else if (ofn.lpstrDefExt != nullptr && ofn.lpstrDefExt[0] != '\0') {
    text += " [*." + std::string(ofn.lpstrDefExt) + "]";
  }
  return text + ": ";
}

std::string TrimAnswer(std::string line) {
  if (!line.empty() && line.back() == '\n') {
    line.pop_back();
  }
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return line;
}

namespace {

size_t NameOffset(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  if (separator != std::string::npos) {
    return separator + 1;
  }
  return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

// The dialog's convention: no extension points at the NUL, a name ending in '.' gives 0.
size_t ExtensionOffset(const std::string& path, size_t nameOffset) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameOffset) {
    return path.size();
  }
  return dot + 1 == path.size() ? 0 : dot + 1;
}

}  // namespace

bool StoreAnswer(OPENFILENAMEA* ofn, const std::string& path) {
  if (ofn == nullptr || ofn->lpstrFile == nullptr || path.empty() ||
      path.size() > kMaxAnswerLength || path.size() >= ofn->nMaxFile) {
    return false;
  }
  memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
  const size_t nameOffset = NameOffset(path);
  ofn->nFileOffset = static_cast<WORD>(nameOffset);
  ofn->nFileExtension = static_cast<WORD>(ExtensionOffset(path, nameOffset));
  const size_t nameLength = path.size() - nameOffset;
  if (ofn->lpstrFileTitle != nullptr && nameLength < ofn->nMaxFileTitle) {
    memcpy(ofn->lpstrFileTitle, path.c_str() + nameOffset, nameLength + 1);
  }
  return true;
}

}  // namespace kv_prompt
