// The module as the host loads it: its application object over a load and unload, and its
// tool-button bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "frame/commands.h"
#include "platform/mfc/object_chain.h"
#include "tests/frame/loaded_module.h"
#include "tests/support/plugin_session.h"
#include "tests/support/test_env.h"

namespace {

TEST(AppObject, IsBuiltAtLoadAndDestroyedAtUnloadOnce) {
  ASSERT_EQ(nullptr, AfxGetApp()) << "the test program has no application object of its own";
  const int constructed = KvMfcAppsConstructed();
  const int destroyed = KvMfcAppsDestroyed();
  LoadedModule module(BuiltModulePath());
  ASSERT_NE(nullptr, module.get());
  CWinApp* app = AfxGetApp();
  ASSERT_NE(nullptr, app);
  EXPECT_EQ(constructed + 1, KvMfcAppsConstructed());
  EXPECT_EQ(destroyed, KvMfcAppsDestroyed());

  // its own map has no entry and leads to the application class's map
  const AFX_MSGMAP* map = app->GetMessageMap();
  ASSERT_NE(nullptr, map);
  EXPECT_EQ(AfxSig_end, map->lpEntries[0].nSig);
  ASSERT_NE(nullptr, map->pfnGetBaseMap);
  EXPECT_EQ(CWinApp::GetThisMessageMap(), map->pfnGetBaseMap());
  const AFX_MSGMAP* foundIn = nullptr;
  const AFX_MSGMAP_ENTRY* entry = KvFindMessageEntry(map, WM_COMMAND, ID_APP_EXIT, &foundIn);
  EXPECT_NE(nullptr, entry);
  EXPECT_EQ(CWinApp::GetThisMessageMap(), foundIn);

  module.Unload();
  EXPECT_EQ(nullptr, AfxGetApp());
  EXPECT_EQ(constructed + 1, KvMfcAppsConstructed());
  EXPECT_EQ(destroyed + 1, KvMfcAppsDestroyed());
}

// The 344 bytes of bitmap resource 102: its header, the 16-colour table, and the picture's
// margin, frame and field.
std::vector<uint8_t> ToolIconBytes(HMODULE module) {
#ifdef _WIN32
  HRSRC resource =
      FindResourceExA(module, reinterpret_cast<LPCSTR>(RT_BITMAP), MAKEINTRESOURCEA(102),
                      MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  if (!resource)
    return {};
  HGLOBAL data = LoadResource(module, resource);
  const uint8_t* bytes = static_cast<const uint8_t*>(LockResource(data));
  return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, resource));
#else
  HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(102));
  size_t size = 0;
  const unsigned char* bits = KvBitmapBits(bitmap, &size);
  std::vector<uint8_t> bytes(bits, bits + size);
  DeleteObject(bitmap);
  return bytes;
#endif
}

uint32_t Le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

TEST(ToolIcon, IsTheTwentyBySixteenColourBitmap) {
  LoadedModule module(BuiltModulePath());
  ASSERT_NE(nullptr, module.get());
  std::vector<uint8_t> dib = ToolIconBytes(module.get());
  ASSERT_EQ(344u, dib.size());
  const uint32_t header[] = {40, 20, 20};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(header[i], Le32(&dib[4 * i]));
  EXPECT_EQ(1, dib[12] | dib[13] << 8);  // planes
  EXPECT_EQ(4, dib[14] | dib[15] << 8);  // bits per pixel
  const uint32_t rest[] = {0, 240, 0, 0, 16, 16};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(rest[i], Le32(&dib[16 + 4 * i]));
  const uint32_t colours[16] = {0x000000, 0xBF0000, 0x00BF00, 0xBFBF00, 0x0000BF, 0xBF00BF,
                                0x00BFBF, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  for (int i = 0; i < 16; ++i) {
    const uint8_t* entry = &dib[40 + 4 * i];
    EXPECT_EQ(colours[i], uint32_t(entry[2]) << 16 | entry[1] << 8 | entry[0]) << i;
    EXPECT_EQ(0, entry[3]);
  }
  // pixel (x, y) counted from the top left; rows are stored bottom-up, 12 bytes each
  auto pixel = [&](int x, int y) {
    uint8_t byte = dib[104 + 12 * (19 - y) + x / 2];
    return x % 2 ? byte & 0x0F : byte >> 4;
  };
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(0, dib[104 + 12 * y + 10]);
    EXPECT_EQ(0, dib[104 + 12 * y + 11]);
    for (int x = 0; x < 20; ++x) {
      const bool margin = x < 2 || y < 2 || x > 17 || y > 17;
      const bool frame = !margin && (x == 2 || y == 2 || x == 17 || y == 17);
      const int p = pixel(x, y);
      if (margin) {
        EXPECT_EQ(7, p) << x << "," << y;
      } else if (frame) {
        EXPECT_EQ(15, p) << x << "," << y;
      } else {
        EXPECT_TRUE(p == 12 || p == 15 || p == 7) << x << "," << y;
      }
    }
  }
}

TEST(About, ShowsTheTitleOfTheRunningHostAskingAnewEachTime) {
  testenv::ScratchDir scratch;
  testenv::ScopedEnv log("KV_ABOUT_LOG", scratch.File("about.txt").c_str());
  const struct {
    int16_t major;
    const char* title;
  } cases[] = {{9, "Korvalume for Acrobat 9 version 1.0"},
               {8, "Korvalume for Acrobat ???? version 1.0"},
               {10, "Korvalume for Acrobat ???? version 1.0"}};
  std::string expected;
  for (const auto& c : cases) {
    standin::Scenario scenario;
    scenario.appMajor = c.major;
    PlugInSession session(scenario);
    uint32_t before = session.host.CallCount();
    ShowAbout();
    EXPECT_EQ((std::vector<std::string>{"HostGetAppVersion"}), session.OperationsSince(before));
    EXPECT_STREQ(c.title, ProductTitle);
    expected += std::string(c.title) + "\n";
  }
  EXPECT_EQ(expected, testenv::ReadFile(scratch.File("about.txt")));
}

}  // namespace
