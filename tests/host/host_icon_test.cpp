// A tool button's icon is recorded as the bitmap each build can read.
#include <windows.h>

#include <vector>

#include "tests/host/host_test_support.h"

namespace {

#ifdef _WIN32
HBITMAP MakeBitmap(int width, int height, int bitsPerPixel) {
  return CreateBitmap(width, height, 1, bitsPerPixel, nullptr);
}
#else
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int shift = 0; shift < 4; ++shift) {
    bytes[at + shift] = static_cast<uint8_t>(value >> (8 * shift));
  }
}

// A packed bitmap registered as a resource of this program, then loaded by number.
HBITMAP MakeBitmap(int width, int height, int bitsPerPixel) {
  static std::vector<uint8_t> dib(40 + 64, 0);
  Put32(dib, 0, 40);
  Put32(dib, 4, width);
  Put32(dib, 8, static_cast<uint32_t>(-height));  // top-down
  dib[12] = 1;
  dib[14] = static_cast<uint8_t>(bitsPerPixel);
  KvRegisterBitmapResource(reinterpret_cast<const void*>(&MakeBitmap), 901, dib.data(), dib.size());
  return LoadBitmapA(nullptr, MAKEINTRESOURCEA(901));
}
#endif

class HostIconTest : public HostTest {};

TEST_F(HostIconTest, ButtonRecordsTheBitmapsSize) {
  HBITMAP bitmap = MakeBitmap(16, 15, 8);
  ASSERT_NE(bitmap, nullptr);
  HostAtom name = HostAtomFromString("KV:Icon");
  ASSERT_NE(HostNewToolButton(name, bitmap, kHostTrue, kHostFalse), nullptr);
  ASSERT_NE(HostNewToolButton(HostAtomFromString("KV:Plain"), nullptr, kHostFalse, kHostTrue),
            nullptr);
  std::optional<standin::ButtonInfo> button = host().FindButton("KV:Icon");
  ASSERT_TRUE(button);
  EXPECT_TRUE(button->icon.isBitmap);
  EXPECT_EQ(button->icon.width, 16);
  EXPECT_EQ(button->icon.height, 15);
  EXPECT_EQ(button->icon.bitsPerPixel, 8);
  EXPECT_EQ(button->longOnly, kHostTrue);
  EXPECT_EQ(button->toolBarIndex, -1);  // made, not added
#ifndef _WIN32
  EXPECT_EQ(button->icon.bits.size(), 104u);
#endif
  std::optional<standin::ButtonInfo> plain = host().FindButton("KV:Plain");
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->icon.isBitmap);
  EXPECT_EQ(plain->separator, kHostTrue);
  // the host owns the bitmap from here on and deletes it with the button
}

}  // namespace
