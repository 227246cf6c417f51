// The application object: one per process, seen by every module through AfxGetApp.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/mfc/mfc.h"

namespace {

// Through void (*)(), the one function type that converts to any other without a warning.
template <typename Fn>
Fn Resolve(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

TEST(WinApp, RegistersWhileItLives) {
  ASSERT_EQ(AfxGetApp(), nullptr);
  const int constructed = KvMfcAppsConstructed();
  const int destroyed = KvMfcAppsDestroyed();
  {
    CWinApp app("Named App");
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_STREQ(app.m_pszAppName, "Named App");
    EXPECT_EQ(KvMfcAppsConstructed(), constructed + 1);
    EXPECT_EQ(KvMfcAppsDestroyed(), destroyed);
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_EQ(KvMfcAppsDestroyed(), destroyed + 1);
}

TEST(WinApp, TheFirstStaysTheApplication) {
  CWinApp* first = new CWinApp("first");
  {
    CWinApp second("second");
    EXPECT_EQ(AfxGetApp(), first);
  }
  EXPECT_EQ(AfxGetApp(), first);
  delete first;
  EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(WinApp, NamelessTakesTheProgramName) {
  CWinApp app;
  EXPECT_STREQ(app.m_pszAppName, "test_platform_mfc");
}

// The module constructs its application object when it loads and destroys it when it
// unloads; this program sees it through the one class library module.
TEST(WinApp, AModulesApplicationIsTheProcesssApplication) {
  const int constructed = KvMfcAppsConstructed();
  const int destroyed = KvMfcAppsDestroyed();
  HMODULE module = LoadLibraryA("kvappprobe.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(KvMfcAppsConstructed(), constructed + 1);

  using ObjectFn = CWinApp* (*)();
  using DescribeFn = void (*)(CString*);
  auto object = Resolve<ObjectFn>(module, "KvAppProbeObject");
  auto describe = Resolve<DescribeFn>(module, "KvAppProbeDescribe");
  ASSERT_NE(object, nullptr);
  ASSERT_NE(describe, nullptr);
  CWinApp* app = AfxGetApp();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app, object());
  EXPECT_STREQ(app->m_pszAppName, "App Probe");
  EXPECT_EQ(app->ExitInstance(), 5);  // the module's override, through the shared vtable
  CString description("replaced");
  describe(&description);
  EXPECT_STREQ(description, "App Probe in a module");

  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_EQ(KvMfcAppsDestroyed(), destroyed + 1);
}

}  // namespace
