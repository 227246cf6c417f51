// kvappprobe.dll: a module holding an application object, as the plug-in does.
#include "platform/mfc/mfc.h"

#if defined(_WIN32)
#define PROBE_EXPORT extern "C" __declspec(dllexport)
#else
#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

class CProbeApp : public CWinApp {
 public:
  CProbeApp() : CWinApp("App Probe") {}
  int ExitInstance() override { return 5; }
};

CProbeApp theApp;

}  // namespace

PROBE_EXPORT CWinApp* KvAppProbeObject() {
  return &theApp;
}

// A string made in this module, to be freed by the caller's.
PROBE_EXPORT void KvAppProbeDescribe(CString* out) {
  out->Format("%s in a module", theApp.m_pszAppName);
}
