// Hand-over of the written file to the host: the temporary path, the host calls in their
// order, what is given back, and the deletion.
#include <fstream>

#include "import/host_handover.h"
#include "import/temp_path.h"
#include "tests/import/import_fixture.h"

namespace {

const std::vector<std::string> kHostSteps = {
    "HostAtomFromString", "HostFileSysFromPath", "HostPathNameFromPath", "HostTextNew",
    "HostTextSetText",    "HostOpenDocFromFile", "HostReleasePathName",  "HostTextDestroy"};

class HandoverTest : public ImportTest {
 protected:
  PlugInSession& Session(standin::Scenario scenario = standin::Scenario()) {
    session_.emplace(scenario);
    before_ = session_->host.CallCount();
    return *session_;
  }
  // The hand-over's host calls (the writer's memory requests left out).
  std::vector<std::string> HostSteps() const {
    std::vector<std::string> steps;
    for (const std::string& step : session_->OperationsSince(before_)) {
      if (step.rfind("HostMemory", 0) != 0)
        steps.push_back(step);
    }
    return steps;
  }
  // The first call of the operation since the session began.
  standin::CallRecord CallOf(const std::string& operation) const {
    for (const standin::CallRecord& call : session_->host.Log()) {
      if (call.number > before_ && call.operation == operation)
        return call;
    }
    standin::CallRecord none;
    none.arguments = none.result = "(not called)";
    return none;
  }
  std::string ArgumentsOf(const std::string& operation) const {
    return CallOf(operation).arguments;
  }
  // The file system and the path name are both asked for with the "Cstring" atom and the
  // same path; the path name also with the file system and the reserved 0.
  void ExpectPathGivenAlike(const std::string& path) const {
    std::string quoted = "\"";
    for (char c : path)
      quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    quoted += '"';
    const std::string atom = CallOf("HostAtomFromString").result;
    EXPECT_NE(std::string::npos, atom.find("\"Cstring\"")) << atom;
    EXPECT_EQ(atom + ", " + quoted, ArgumentsOf("HostFileSysFromPath"));
    EXPECT_EQ(CallOf("HostFileSysFromPath").result + ", " + atom + ", " + quoted + ", null",
              ArgumentsOf("HostPathNameFromPath"));
  }

  std::optional<PlugInSession> session_;
  uint32_t before_ = 0;
};

TEST_F(HandoverTest, WritesOpensAsModelAndDeletes) {
  PlugInSession& session = Session();
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
  EXPECT_EQ(1, ImportMeshesIntoHost(meshes));
  EXPECT_EQ(kHostSteps, HostSteps());
  EXPECT_NE(std::string::npos, ArgumentsOf("HostAtomFromString").find("Cstring"));
  EXPECT_NE(std::string::npos, ArgumentsOf("HostFileSysFromPath").find("TVLTemp.prc"));
  ExpectPathGivenAlike(TempPrcPath());
  EXPECT_NE(std::string::npos, ArgumentsOf("HostTextSetText").find("\"Model\""));
  ASSERT_EQ(1u, session.host.OpenedDocuments().size());
  EXPECT_EQ("Model", session.host.Document(session.host.OpenedDocuments()[0])->title);
  EXPECT_FALSE(testenv::FileExists(TempPrcPath()));
  EXPECT_TRUE(session.host.Leaks().Clean());
}

TEST_F(HandoverTest, TheTemporaryPathIsTheTempValueUsedUnchanged) {
  CString path;
  ASSERT_TRUE(FormatTemporaryPrcPath(&path));
  EXPECT_EQ(TempPrcPath(), static_cast<const char*>(path));
  testenv::ScopedEnv temp("temp", (scratch_.path() + "\\").c_str());
  ASSERT_TRUE(FormatTemporaryPrcPath(&path));
  EXPECT_EQ(scratch_.path() + "\\\\TVLTemp.prc", static_cast<const char*>(path));

  Session();
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
  EXPECT_EQ(1, ImportMeshesIntoHost(meshes));
  EXPECT_EQ(1u, session_->host.OpenedDocuments().size());
  EXPECT_FALSE(testenv::FileExists(static_cast<const char*>(path)));
}

TEST_F(HandoverTest, WithoutTempNothingIsWrittenOrAsked) {
  testenv::ScopedEnv temp("temp", nullptr);
  CString path("left alone");
  EXPECT_FALSE(FormatTemporaryPrcPath(&path));
  EXPECT_TRUE(path.IsEmpty());
  Session();
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
  EXPECT_EQ(0, ImportMeshesIntoHost(meshes));
  EXPECT_STREQ("Unable to create PRC file [The temp variable is not set]", GetLastErrorText());
  EXPECT_TRUE(HostSteps().empty());
  EXPECT_TRUE(LibraryCalls().empty());
}

TEST_F(HandoverTest, AWriterFailureMakesNoHostCallAndDeletesNothing) {
  std::ofstream(TempPrcPath()) << "an earlier file";
  WithoutLibrary();
  Session();
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
  EXPECT_EQ(0, ImportMeshesIntoHost(meshes));
  EXPECT_TRUE(HostSteps().empty());
  EXPECT_TRUE(testenv::FileExists(TempPrcPath()));
  std::remove(TempPrcPath().c_str());
}

// A host that opens no document still gets everything back, and the import says it failed
// rather than leaving the user with nothing and no word.
TEST_F(HandoverTest, AHostThatDoesNotOpenTheFileStillGetsEverythingBack) {
  standin::Scenario scenario;
  scenario.failOperation = "HostOpenDocFromFile";
  scenario.failOperationCall = 1;
  PlugInSession& session = Session(scenario);
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
  EXPECT_EQ(0, ImportMeshesIntoHost(meshes));
  EXPECT_STREQ("Unable to open the PRC file in the host", GetLastErrorText());
  EXPECT_EQ(kHostSteps, HostSteps());
  EXPECT_TRUE(session.host.OpenedDocuments().empty());
  EXPECT_FALSE(testenv::FileExists(TempPrcPath()));
  EXPECT_TRUE(session.host.Leaks().Clean());
}

// An object the host does not give is never handed back to it: the steps that need it are
// left out, what was given is released, the file is deleted and the import reports it.
TEST_F(HandoverTest, AMissingHostObjectEndsTheHandOverCleanly) {
  const struct {
    const char* refused;
    std::vector<std::string> steps;
  } cases[] = {
      {"HostFileSysFromPath", {"HostAtomFromString", "HostFileSysFromPath"}},
      {"HostPathNameFromPath",
       {"HostAtomFromString", "HostFileSysFromPath", "HostPathNameFromPath"}},
      {"HostTextNew",
       {"HostAtomFromString", "HostFileSysFromPath", "HostPathNameFromPath", "HostTextNew",
        "HostReleasePathName"}},
  };
  for (const auto& c : cases) {
    standin::Scenario scenario;
    scenario.failOperation = c.refused;
    scenario.failOperationCall = 1;
    PlugInSession& session = Session(scenario);
    ON_ClassArray<ON_Mesh> meshes = OneTriangle();
    EXPECT_EQ(0, ImportMeshesIntoHost(meshes)) << c.refused;
    EXPECT_STREQ("Unable to open the PRC file in the host", GetLastErrorText());
    EXPECT_EQ(c.steps, HostSteps()) << c.refused;
    EXPECT_TRUE(session.host.Leaks().Clean()) << c.refused;
    EXPECT_FALSE(testenv::FileExists(TempPrcPath())) << c.refused;
  }
}

TEST_F(HandoverTest, OpeningAGivenFileLeavesItInPlace) {
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
  CString path(OutputPath().c_str());
  {
    PlugInSession writer;
    ASSERT_EQ(1, WriteMeshesAsPrc(meshes, path));
  }
  PlugInSession& session = Session();
  EXPECT_EQ(1, OpenPrcInHost(path));
  EXPECT_EQ(kHostSteps, HostSteps());
  ExpectPathGivenAlike(OutputPath());
  EXPECT_TRUE(testenv::FileExists(OutputPath()));
  EXPECT_EQ(1u, session.host.OpenedDocuments().size());
  EXPECT_TRUE(session.host.Leaks().Clean());
}

}  // namespace
