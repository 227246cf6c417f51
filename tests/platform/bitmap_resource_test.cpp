// Bitmap resources on the native build: registered by the module that embeds them, loaded
// by module handle, handed over as a plain object any module can read.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace {

const unsigned char kProgramDib[] = {'p', 'r', 'o', 'g', 'r', 'a', 'm'};
const KvBitmapResource programBitmap(7, kProgramDib, sizeof kProgramDib);

std::string BitsOf(HBITMAP bitmap) {
  size_t size = 0;
  const unsigned char* bits = KvBitmapBits(bitmap, &size);
  return bits != nullptr ? std::string(reinterpret_cast<const char*>(bits), size) : "<none>";
}

class ProbeModule : public ::testing::Test {
 protected:
  using LoadFn = HBITMAP (*)(HINSTANCE, int);
  void SetUp() override {
    probe_ = LoadLibraryA("kvprobe.dll");
    ASSERT_NE(probe_, nullptr);
    load_ = reinterpret_cast<LoadFn>(GetProcAddress(probe_, "KvProbeLoadBitmap"));
    ASSERT_NE(load_, nullptr);
  }
  void TearDown() override {
    if (probe_ != nullptr) {
      FreeLibrary(probe_);
    }
  }

  HMODULE probe_ = nullptr;
  LoadFn load_ = nullptr;
};

TEST_F(ProbeModule, LoadsItsOwnBitmapWithItsHandle) {
  HBITMAP bitmap = load_(probe_, 101);
  ASSERT_NE(bitmap, nullptr);
  // Read with this program's copy of the layer: the handle needs no registry.
  const std::string bits = BitsOf(bitmap);
  ASSERT_EQ(bits.size(), 48u);
  EXPECT_EQ(bits[0], 40);
  EXPECT_EQ(static_cast<unsigned char>(bits[42]), 255);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(ProbeModule, AnswersNullForAnotherModuleOrId) {
  EXPECT_EQ(load_(probe_, 102), nullptr);
  EXPECT_EQ(load_(nullptr, 101), nullptr);  // the program has no bitmap 101
  EXPECT_EQ(load_(probe_, 7), nullptr);     // the program's bitmap is not the probe's
}

TEST_F(ProbeModule, AnotherModuleMayAskForItsBitmap) {
  HBITMAP bitmap = LoadBitmapA(probe_, MAKEINTRESOURCEA(101));
  EXPECT_EQ(BitsOf(bitmap).size(), 48u);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(ProbeModule, HandleOutlivesTheModule) {
  HBITMAP bitmap = load_(probe_, 101);
  ASSERT_TRUE(FreeLibrary(probe_));
  const HMODULE gone = probe_;
  probe_ = nullptr;
  EXPECT_EQ(BitsOf(bitmap).size(), 48u);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(LoadBitmapA(gone, MAKEINTRESOURCEA(101)), nullptr);
}

TEST(BitmapResource, ProgramBitmapsAndTheirLifetime) {
  HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(7));
  EXPECT_EQ(BitsOf(bitmap), "program");
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(LoadBitmapA(nullptr, "BY_NAME"), nullptr);
  // A record lives as long as its object, which must sit inside the module (static).
  static const unsigned char scoped[] = {1, 2, 3};
  static std::optional<KvBitmapResource> record;
  record.emplace(8, scoped, sizeof scoped);
  HBITMAP copy = LoadBitmapA(nullptr, MAKEINTRESOURCEA(8));
  EXPECT_EQ(BitsOf(copy), std::string("\1\2\3"));
  EXPECT_TRUE(DeleteObject(copy));
  record.reset();
  EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(8)), nullptr);
}

TEST(BitmapResource, RefusesWhatIsNotABitmap) {
  struct NotABitmap {
    uint32_t magic = 0x12345678;
    size_t size = 4;
  } other;
  size_t size = 99;
  EXPECT_EQ(KvBitmapBits(nullptr, &size), nullptr);
  EXPECT_EQ(KvBitmapBits(reinterpret_cast<HBITMAP>(&other), &size), nullptr);
  EXPECT_EQ(size, 99u);
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_FALSE(DeleteObject(&other));
  int notAModule = 0;
  EXPECT_EQ(LoadBitmapA(reinterpret_cast<HINSTANCE>(&notAModule), MAKEINTRESOURCEA(7)), nullptr);
}

}  // namespace
