// The module's application object: built when the module loads, destroyed when it unloads,
// and otherwise left to the class library.
#include "frame/module_statics.h"
#include "platform/mfc/object_chain.h"

class CKorvalumeApp : public CWinApp {
 public:
  CKorvalumeApp() : CWinApp(nullptr) {}
  ~CKorvalumeApp() override {}

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKorvalumeApp, CWinApp)
END_MESSAGE_MAP()

KV_MODULE_STATIC(KV_ORDER_APP_OBJECT) CKorvalumeApp theApp;
