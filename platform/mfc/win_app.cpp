// The application object and its registration with the module.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "object_chain.h"

namespace {

std::atomic<CWinApp*> currentApp{nullptr};
std::atomic<int> appsConstructed{0};
std::atomic<int> appsDestroyed{0};

char* CopyOf(const char* text) {
  const size_t length = strlen(text);
  char* copy = static_cast<char*>(malloc(length + 1));
  if (copy != nullptr) {
    memcpy(copy, text, length + 1);
  }
  return copy;
}

char* ProgramName() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) {
    return CopyOf("");
  }
  char name[_MAX_FNAME];
  _splitpath(path, nullptr, nullptr, name, nullptr);
  return CopyOf(name);
}

}  // namespace

CWinApp::CWinApp(const char* appName)
    : m_pszAppName(appName != nullptr ? CopyOf(appName) : ProgramName()) {
  CWinApp* none = nullptr;
  currentApp.compare_exchange_strong(none, this);
  ++appsConstructed;
}

CWinApp::~CWinApp() {
  CWinApp* self = this;
  currentApp.compare_exchange_strong(self, nullptr);
  free(const_cast<char*>(m_pszAppName));
  ++appsDestroyed;
}

BOOL CWinApp::InitInstance() {
  return TRUE;
}
int CWinApp::ExitInstance() {
  return 0;
}
void CWinApp::OnAppExit() {}

// clang-format off
BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()
// clang-format on

CWinApp* AfxGetApp() {
  return currentApp.load();
}
int KvMfcAppsConstructed() {
  return appsConstructed.load();
}
int KvMfcAppsDestroyed() {
  return appsDestroyed.load();
}
