// The About box stand-in: a message box, and for tests the title appended to the file that
// KV_ABOUT_LOG names.
#include "platform/tvlgui/tvlgui_utils.h"

#include <cstdio>
#include <cstdlib>

void KV_CDECL TVLGUIUtils::About(const CString& title, HWND* parent) {
  if (const char* log = std::getenv("KV_ABOUT_LOG")) {
    if (std::FILE* file = std::fopen(log, "ab")) {
      std::fprintf(file, "%s\n", static_cast<const char*>(title));
      std::fclose(file);
    }
    return;
  }
  MessageBoxA(parent ? *parent : nullptr, title, "About", MB_OK);
}
