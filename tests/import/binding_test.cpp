// Loading, binding, version-testing and unloading the 3D library, and the last-error text.
#include <algorithm>

#include "tests/import/import_fixture.h"

namespace {

class BindingTest : public ImportTest {
 protected:
  // One library cycle as the writer and the reader run it: 1 when initialised.
  int RunCycle() {
    HMODULE module = LoadA3dLibrary();
    if (!module)
      return -1;
    int ready = InitA3dLibrary();
    if (ready)
      TerminateA3dLibrary();
    FreeA3dLibrary(module);
    return ready;
  }
  bool EveryEntryBound() const {
    return std::all_of(std::begin(A3dEntryTable), std::end(A3dEntryTable),
                       [](A3dProc entry) { return entry != nullptr; });
  }
};

TEST_F(BindingTest, NoLibraryLeavesTheTableAsItWas) {
  ASSERT_EQ(1, RunCycle());
  A3dProc before[kA3dEntryCount];
  std::copy(std::begin(A3dEntryTable), std::end(A3dEntryTable), before);
  WithoutLibrary();
  EXPECT_EQ(nullptr, LoadA3dLibrary());
  EXPECT_STREQ("Unable to load Acrobat 3D Library (A3DLIB.DLL)", GetLastErrorText());
  EXPECT_TRUE(std::equal(std::begin(A3dEntryTable), std::end(A3dEntryTable), before));
}

// The version the library reports, what it answers when initialised, and what follows.
TEST_F(BindingTest, TestsTheVersionAndInitialisation) {
  const struct {
    const char* version;
    const char* initResult;
    int ready;
    const char* text;
    const char* initialised;  // the version passed to A3DDllInitialize, or null: not called
  } cases[] = {
      {"2.0", nullptr, 1, nullptr, "major=2 minor=0"},
      {"2.12", nullptr, 1, nullptr, "major=2 minor=12"},
      {"3.0", nullptr, 0, "Incompatible Acrobat 3D Library [Invalid major version]", nullptr},
      {"1.9", nullptr, 0, "Incompatible Acrobat 3D Library [Invalid major version]", nullptr},
      {"none", nullptr, 0, "Incompatible Acrobat 3D Library [Invalid major version]", nullptr},
      {"2.-1", nullptr, 0, "Incompatible Acrobat 3D Library [Invalid minor version]", nullptr},
      {"2.1", "1", 0, "Unable to initialize the Acrobat 3D Library", "major=2 minor=1"},
      {"2.1", "-1", 0, "Unable to initialize the Acrobat 3D Library", "major=2 minor=1"},
  };
  int run = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + (c.initResult ? c.initResult : ""));
    const std::string logFile = scratch_.File("log-" + std::to_string(run++));
    testenv::ScopedEnv version("KV_A3D_VERSION", c.version);
    testenv::ScopedEnv init("KV_A3D_INIT_RESULT", c.initResult);
    SetLastErrorText("");
    testenv::SetEnv("KV_A3D_LOG", logFile.c_str());
    EXPECT_EQ(c.ready, RunCycle());
    EXPECT_STREQ(c.text ? c.text : "", GetLastErrorText());
    std::string log = testenv::ReadFile(logFile);
    bool initialised = log.find("A3DDllInitialize") != std::string::npos;
    EXPECT_EQ(c.initialised != nullptr, initialised) << log;
    if (c.initialised) {
      EXPECT_NE(std::string::npos, log.find(std::string("A3DDllInitialize ") + c.initialised))
          << log;
    }
    EXPECT_EQ(c.ready == 1, log.find("A3DDllTerminate") != std::string::npos) << log;
    EXPECT_NE(std::string::npos, log.find("unload ")) << "the library is unloaded: " << log;
  }
}

TEST_F(BindingTest, TheTextIsReplacedByEachFailureAndKeptBySuccess) {
  {
    testenv::ScopedEnv version("KV_A3D_VERSION", "3.0");
    RunCycle();
  }
  {
    testenv::ScopedEnv init("KV_A3D_INIT_RESULT", "1");
    RunCycle();
  }
  EXPECT_STREQ("Unable to initialize the Acrobat 3D Library", GetLastErrorText());
  EXPECT_EQ(1, RunCycle());
  EXPECT_STREQ("Unable to initialize the Acrobat 3D Library", GetLastErrorText());
  CString copy = GetLastErrorText();
  SetLastErrorText("something else");
  EXPECT_STREQ("Unable to initialize the Acrobat 3D Library", copy) << "a copy, not a view";
}

TEST_F(BindingTest, ALibraryLackingNamesIsBoundWithNullsAndRefusedByItsUsers) {
  WithLibraryIn(KV_A3DLIB_PARTIAL_DIR);
  SetLastErrorText("before");
  HMODULE module = LoadA3dLibrary();
  ASSERT_NE(nullptr, module);
  EXPECT_STREQ("before", GetLastErrorText()) << "binding reports nothing";
  for (A3dEntry missing : {A3dEntry::A3DAsmModelFileWriteToFile, A3dEntry::A3DRootBaseSet,
                           A3dEntry::A3DTess3DGet, A3dEntry::A3DCrvNurbsGet}) {
    EXPECT_EQ(nullptr, A3dEntryTable[static_cast<int>(missing)]) << A3dEntryName(int(missing));
  }
  EXPECT_NE(nullptr, A3dEntryTable[static_cast<int>(A3dEntry::A3DTess3DCreate)]);
  A3dStatus missingCall = A3dCall(A3DRootBaseSet)(nullptr, nullptr);
  EXPECT_EQ(kA3dEntryMissing, missingCall);
  FreeA3dLibrary(module);

  // the writer refuses before calling anything that is missing
  PlugInSession session;
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
  CString path(OutputPath().c_str());
  EXPECT_EQ(0, WriteMeshesAsPrc(meshes, path));
  EXPECT_STREQ("Incompatible Acrobat 3D Library [Missing entry point A3DRootBaseSet]",
               GetLastErrorText());
  EXPECT_FALSE(testenv::FileExists(OutputPath()));
  EXPECT_TRUE(session.host.Leaks().Clean());
  EXPECT_NE(std::string::npos, LibraryLog().find("A3DDllTerminate"));

  // a later load of the whole library binds every entry again
  WithLibraryIn(KV_A3DLIB_DIR);
  EXPECT_EQ(1, RunCycle());
  EXPECT_TRUE(EveryEntryBound());
}

}  // namespace
