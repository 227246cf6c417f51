// The host's heap and the handle records it accounts for.
#include "tests/host/host_test_support.h"

namespace {

class HostMemoryTest : public HostTest {};

TEST_F(HostMemoryTest, DoubleAndUnknownFreesAreRecordedNotFatal) {
  void* block = HostMemoryAlloc(16);
  ASSERT_NE(block, nullptr);
  HostMemoryFree(block);
  HostMemoryFree(block);
  int local = 0;
  HostMemoryFree(&local);
  HostMemoryFree(nullptr);
  standin::LeakReport leaks = host().Leaks();
  ASSERT_EQ(leaks.memoryErrors.size(), 2u);
  EXPECT_NE(leaks.memoryErrors[0].find("freed twice"), std::string::npos);
  EXPECT_NE(leaks.memoryErrors[1].find("unknown block"), std::string::npos);
  EXPECT_TRUE(leaks.blocks.empty());
  EXPECT_FALSE(leaks.Clean());
}

TEST_F(HostMemoryTest, OutstandingBlocksKeepTheirSizes) {
  void* empty = HostMemoryAlloc(0);
  void* other = HostMemoryAlloc(0);
  void* sized = HostMemoryAlloc(40);
  ASSERT_NE(empty, nullptr);
  EXPECT_NE(empty, other);
  EXPECT_EQ(HostMemoryAlloc(0xFFFFFFFFu), nullptr);
  HostMemoryFree(other);
  standin::LeakReport leaks = host().Leaks();
  ASSERT_EQ(leaks.blocks.size(), 2u);
  EXPECT_EQ(leaks.blocks[0].block, empty);
  EXPECT_EQ(leaks.blocks[0].size, 0u);
  EXPECT_EQ(leaks.blocks[1].block, sized);
  EXPECT_EQ(leaks.BlockBytes(), 40u);
  EXPECT_TRUE(leaks.memoryErrors.empty());
}

TEST_F(HostMemoryTest, TextsPathsAndMenusAreCounted) {
  HostText text = HostTextNew();
  HostTextDestroy(HostTextNew());
  HostAtom kind = HostAtomFromString("Cstring");
  HostFileSys fileSys = HostFileSysFromPath(kind, nullptr);
  HostPathName path = HostPathNameFromPath(fileSys, kind, "a.prc", nullptr);
  HostMenu menu = HostAcquireMenuByName(HostGetMenubar(), "UsingExtensions");
  ASSERT_NE(text, nullptr);
  ASSERT_NE(path, nullptr);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(HostPathNameFromPath(fileSys, HostAtomFromString("DIPath"), "a.prc", nullptr), nullptr);
  standin::LeakReport leaks = host().Leaks();
  EXPECT_EQ(leaks.texts, 1u);
  EXPECT_EQ(leaks.pathNames, 1u);
  EXPECT_EQ(leaks.menuAcquisitions, 1u);

  HostTextDestroy(text);
  HostReleasePathName(fileSys, path);
  HostReleaseMenu(menu);
  EXPECT_TRUE(host().Leaks().Clean());
  HostReleaseMenu(menu);
  HostTextDestroy(text);
  EXPECT_EQ(host().Leaks().handleErrors.size(), 2u);
}

}  // namespace
