// Version, initialisation, termination and the call log, steered by the environment.
#include <gtest/gtest.h>

#include "standins/a3dlib/model_file.h"
#include "tests/a3dlib/library_fixture.h"
#include "tests/a3dlib/module_access.h"

namespace a3dtest {
namespace {

using namespace a3dlib;

struct VersionCase {
  const char* what;
  const char* env;  // null: unset
  int32_t major;
  int32_t minor;
};

class Version : public LibraryTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(Version, ReportsWhatTheEnvironmentSays) {
  SetEnv("KV_A3D_VERSION", GetParam().env);
  int32_t major = -99;
  int32_t minor = -99;
  EXPECT_EQ(api_.A3DDllGetVersion(&major, &minor), kA3dSuccess);
  EXPECT_EQ(major, GetParam().major);
  EXPECT_EQ(minor, GetParam().minor);
}

INSTANTIATE_TEST_SUITE_P(Env, Version,
                         ::testing::Values(VersionCase{"unset", nullptr, 2, 1},
                                           VersionCase{"given", "3.4", 3, 4},
                                           VersionCase{"negativeMinor", "2.-1", 2, -1},
                                           VersionCase{"none", "none", -99, -99},
                                           VersionCase{"malformed", "2.1x", 2, 1},
                                           VersionCase{"noMinor", "7", 2, 1}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(LibraryTest, GetVersionRefusesNullOutputs) {
  int32_t value = 0;
  EXPECT_EQ(api_.A3DDllGetVersion(nullptr, &value), kErrNullArgument);
  EXPECT_EQ(api_.A3DDllGetVersion(&value, nullptr), kErrNullArgument);
}

TEST_F(LibraryTest, InitializeRecordsTheVersionItWasGiven) {
  EXPECT_EQ(api_.A3DDllInitialize(7, -3), kA3dSuccess);
  const auto lines = LogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "A3DDllInitialize major=7 minor=-3 -> 0");
}

TEST_F(LibraryTest, InitializeAnswersTheResultItIsTold) {
  SetEnv("KV_A3D_INIT_RESULT", "-5");
  EXPECT_EQ(api_.A3DDllInitialize(2, 1), -5);
  A3dEntity attributes = nullptr;
  EXPECT_EQ(api_.A3DMiscCascadedAttributesCreate(&attributes), kErrNotInitialized);
  SetEnv("KV_A3D_INIT_RESULT", "0");
  EXPECT_EQ(api_.A3DDllInitialize(2, 1), kA3dSuccess);
  EXPECT_EQ(api_.A3DMiscCascadedAttributesCreate(&attributes), kA3dSuccess);
  EXPECT_EQ(api_.A3DMiscCascadedAttributesDelete(attributes), kA3dSuccess);
}

// The test switch refuses the n-th call of one entry, counted afresh at each initialisation;
// the refused create call gives no entity.
TEST_F(LibraryTest, TheFailCallSwitchRefusesTheNthCallOfOneEntry) {
  SetEnv("KV_A3D_FAIL_CALL", "A3DRiPolyBrepModelCreate:2");
  PolyBrepBlock brep{sizeof(PolyBrepBlock), 1};
  auto create = [&] {
    A3dEntity item = reinterpret_cast<A3dEntity>(1);
    const A3dStatus status = api_.A3DRiPolyBrepModelCreate(&brep, &item);
    EXPECT_EQ(status == kA3dSuccess, item != nullptr);
    return status;
  };
  for (int session = 0; session < 2; ++session) {
    Initialize();
    EXPECT_EQ(create(), kA3dSuccess);
    EXPECT_EQ(create(), kErrForcedFailure);
    EXPECT_EQ(create(), kA3dSuccess);
    EXPECT_EQ(TerminateCounts().live, 2u + 2u * session);
  }
  SetEnv("KV_A3D_FAIL_CALL", "A3DRiPolyBrepModelCreate");
  Initialize();
  EXPECT_EQ(create(), kErrForcedFailure);
  EXPECT_EQ(create(), kA3dSuccess);
  SetEnv("KV_A3D_FAIL_CALL", nullptr);
}

// Every call but the three session calls needs a successful initialisation, and none after
// termination.
TEST_F(LibraryTest, CallsFailOutsideAnInitializedSession) {
  const std::string path = TempFile("session.kva3d");
  ASSERT_TRUE(a3dstore::WriteModelFile(TriangleModel(), path));
  auto tryCalls = [&] {
    A3dEntity model = reinterpret_cast<A3dEntity>(1);
    EXPECT_EQ(api_.A3DAsmModelFileLoadFromFile(path.c_str(), nullptr, &model), kErrNotInitialized);
    EXPECT_EQ(model, nullptr);
    PolyBrepBlock brep{sizeof(PolyBrepBlock), 1};
    A3dEntity item = nullptr;
    EXPECT_EQ(api_.A3DRiPolyBrepModelCreate(&brep, &item), kErrNotInitialized);
    int32_t type = 0;
    EXPECT_EQ(api_.A3DEntityGetType(item, &type), kErrNotInitialized);
  };
  tryCalls();
  Initialize();
  EXPECT_EQ(api_.A3DDllTerminate(), kA3dSuccess);
  tryCalls();
}

TEST_F(LibraryTest, LogsCountsAtTerminateAndAtUnload) {
  Initialize();
  A3dEntity kept = nullptr;
  ASSERT_EQ(api_.A3DMiscCascadedAttributesCreate(&kept), kA3dSuccess);
  const Counts atTerminate = TerminateCounts();
  EXPECT_EQ(atTerminate.live, 1u);
  EXPECT_EQ(atTerminate.attached, 0u);
  Unload();
  const auto lines = LogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "unload live=1 attached=0");
}

TEST_F(LibraryTest, UnloadIsLoggedWhenNothingWasCalled) {
  Unload();
  EXPECT_EQ(LogLines(), std::vector<std::string>{"unload live=0 attached=0"});
}

TEST_F(LibraryTest, NoLogWithoutTheVariable) {
  SetEnv("KV_A3D_LOG", nullptr);
  Initialize();
  EXPECT_EQ(api_.A3DDllTerminate(), kA3dSuccess);
  Unload();
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
}  // namespace a3dtest
