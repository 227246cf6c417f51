// The Help and About commands.
#include <windows.h>
// (the shell's header needs windows.h first)
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "frame/commands.h"
#include "frame/frame_state.h"
#include "frame/host_names.h"
#include "frame/module_statics.h"
#include "platform/acrobat/host_operations.h"
#include "platform/mfc/cstring.h"
#include "platform/tvlgui/tvlgui_utils.h"

KV_MODULE_STATIC(KV_ORDER_ABOUT_HOST_NAMES) HostNameTable AboutHostNames;

char ProductTitle[256];

namespace {

constexpr DWORD kModulePathLimit = 32768;  // the longest path Windows can name

// The full path of our own module, found by its file name. The buffer grows past the usual
// 260 characters, so a module in a deep directory still finds its help file.
std::string ModulePath() {
  HMODULE module = GetModuleHandleA("Korvalume.api");
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::string path(size, '\0');
    DWORD length = GetModuleFileNameA(module, &path[0], size);
    if (length == 0)
      return std::string();
    if (length < size || size >= kModulePathLimit) {
      path.resize(length < size ? length : size - 1);
      return path;
    }
  }
}

}  // namespace

// Drive and directory as the runtime's _splitpath gives them, taken from the path itself so
// that a directory longer than _splitpath's 256 characters is kept whole.
std::string HelpFilePath(const std::string& modulePath) {
  size_t end = modulePath.find_last_of("\\/");
  std::string directory;
  if (end != std::string::npos) {
    directory = modulePath.substr(0, end + 1);
  } else if (modulePath.size() >= 2 && modulePath[1] == ':') {
    directory = modulePath.substr(0, 2);
  }
  return directory + "Korvalume.chm";
}

void ShowHelp() {
  CString helpPath(HelpFilePath(ModulePath()).c_str());
  HINSTANCE result = ShellExecuteA(nullptr, "open", helpPath, "", nullptr, SW_SHOW);
  if (reinterpret_cast<uintptr_t>(result) <= 32) {
    HostAlert("Error displaying Korvalume for Acrobat help file.");
  }
}

void BuildProductTitle() {
  CString prefix("Korvalume for");
  int index = GetHostIndex();
  std::snprintf(ProductTitle, sizeof(ProductTitle), "%s %s version %d.%d",
                static_cast<const char*>(prefix), static_cast<const char*>(AboutHostNames[index]),
                1, 0);
}

void ShowAbout() {
  BuildProductTitle();
  CString title(ProductTitle);
  TVLGUIUtils::About(title, nullptr);
}
