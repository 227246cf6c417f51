// Both builds of the library export their names undecorated, as the plug-in looks them up.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/a3d/a3d_entry_list.h"
#include "standins/a3dlib/partial_build.h"
#include "tests/a3dlib/module_access.h"

namespace a3dtest {
namespace {

struct Build {
  const char* what;
  std::string (*dir)();
  std::set<std::string> missing;
};

#define KV_A3D_NAME_STRING(name) #name,
const Build kBuilds[] = {
    {"whole", FullBuildDir, {}},
    {"partial", PartialBuildDir, {KV_A3D_PARTIAL_OMITTED_LIST(KV_A3D_NAME_STRING)}},
};
#undef KV_A3D_NAME_STRING

class Exports : public ::testing::TestWithParam<Build> {};

TEST_P(Exports, HasEveryNameButTheOmittedOnes) {
  void* module = OpenModule(GetParam().dir());
  ASSERT_NE(module, nullptr) << GetParam().dir();
  for (int i = 0; i < kA3dEntryCount; ++i) {
    const char* name = A3dEntryName(i);
    const bool expected = GetParam().missing.count(name) == 0;
    EXPECT_EQ(FindProc(module, name) != nullptr, expected) << name;
  }
  EXPECT_EQ(FindProc(module, "_A3DDllInitialize"), nullptr) << "names are undecorated";
  CloseModule(module);
}

INSTANTIATE_TEST_SUITE_P(Builds, Exports, ::testing::ValuesIn(kBuilds),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(PartialBuild, LacksThreeCalledAndTwoBoundNames) {
  ASSERT_EQ(kBuilds[1].missing.size(), 5u);
  int called = 0;
#define KV_A3D_COUNT_CALLED(name, isCalled) called += isCalled && kBuilds[1].missing.count(#name);
  KV_A3D_ENTRY_LIST(KV_A3D_COUNT_CALLED)
#undef KV_A3D_COUNT_CALLED
  EXPECT_EQ(called, 3);
}

}  // namespace
}  // namespace a3dtest
