// Every host call of a whole session failed in turn, one at a time: the set-up, the init pass,
// an import that succeeds and a read of the document it opened. Whatever fails, nothing
// crashes, everything the host handed out is given back, no temporary file is left and each
// command shows at most its one alert.
#include <gtest/gtest.h>

#include <cstdio>

#include "import/a3d_binding.h"
#include "import/prc_stream_reader.h"
#include "tests/import/import_fixture.h"
#include "tests/reader/documents.h"
#include "tests/support/plugin_session.h"

namespace {

struct SessionOutcome {
  uint32_t hostCalls = 0;
  bool setUp = false;
  bool imported = false;
  int meshesRead = -1;
  size_t alerts = 0;
  bool menuAlert = false;
  bool clean = false;
  std::string leaks;
};

class FaultSweep : public ImportTest {
 protected:
  FaultSweep() {
    AnswerDialogWith(testenv::BuildPath(KV_SOURCE_DIR "/examples/house.obj").c_str());
  }

  // One whole session as a host runs it, with the given call failing (0: none).
  SessionOutcome Run(uint32_t failCall) {
    standin::Scenario scenario;
    scenario.failCall = failCall;
    PlugInSession session(scenario);
    SessionOutcome outcome;
    outcome.setUp = session.ready;
    if (session.ready) {
      session.host.CallInit();
      size_t before = session.host.Alerts().size();
      session.host.ClickButton("ADBE:Korvalume");
      outcome.menuAlert = before == 1;
      std::vector<HostViewDoc> opened = session.host.OpenedDocuments();
      outcome.imported = !opened.empty();
      if (outcome.imported) {
        ON_ClassArray<ON_Mesh> meshes;
        if (ReadDocumentPrc(opened[0], meshes))
          outcome.meshesRead = meshes.Count();
      }
    }
    outcome.hostCalls = session.host.CallCount();
    outcome.alerts = session.host.Alerts().size();
    standin::LeakReport leaks = session.host.Leaks();
    outcome.clean = leaks.Clean();
    for (const std::string& error : leaks.memoryErrors)
      outcome.leaks += error + "; ";
    for (const std::string& error : leaks.handleErrors)
      outcome.leaks += error + "; ";
    outcome.leaks += std::to_string(leaks.blocks.size()) + " blocks, " +
                     std::to_string(leaks.pathNames) + " path names, " +
                     std::to_string(leaks.texts) + " texts, " + std::to_string(leaks.streams) +
                     " streams";
    return outcome;
  }

  // A read of a document of two pages holding two model streams among annotations the scan
  // passes over, with the given call failing.
  SessionOutcome RunRead(uint32_t failCall, const std::vector<uint8_t>& modelFile) {
    using namespace readertest;
    standin::Scenario scenario;
    scenario.failCall = failCall;
    PlugInSession session(scenario);
    SessionOutcome outcome;
    outcome.setUp = session.ready;
    uint32_t setUpCalls = session.host.CallCount();
    AnnotModel invalid = PrcAnnot(modelFile);
    invalid.valid = false;
    HostViewDoc view = session.host.AddDocument(
        Document({PageModel{{invalid, ThreeD(PrcStream(modelFile), "Text"), PrcAnnot(modelFile)}},
                  PageModel{{ThreeD(standin::CosDictionary({})), PrcAnnot(modelFile)}}}));
    if (session.ready) {
      ON_ClassArray<ON_Mesh> meshes;
      if (ReadDocumentPrc(view, meshes))
        outcome.meshesRead = meshes.Count();
    }
    outcome.hostCalls = session.host.CallCount() - setUpCalls;
    outcome.alerts = session.host.Alerts().size();
    outcome.clean = session.host.Leaks().Clean();
    return outcome;
  }
};

TEST_F(FaultSweep, EveryHostCallOfASessionFailedInTurn) {
  SessionOutcome clean = Run(0);
  ASSERT_TRUE(clean.setUp && clean.imported);
  ASSERT_EQ(1, clean.meshesRead) << "the house, merged into one mesh, read back";
  ASSERT_EQ(0u, clean.alerts);
  ASSERT_TRUE(clean.clean) << clean.leaks;

  int setUpFailed = 0, notImported = 0, readFailed = 0;
  for (uint32_t n = 1; n <= clean.hostCalls; ++n) {
    SessionOutcome outcome = Run(n);
    SCOPED_TRACE("host call " + std::to_string(n) + " failed");
    EXPECT_TRUE(outcome.clean) << outcome.leaks;
    EXPECT_FALSE(testenv::FileExists(TempPrcPath()));
    // the init pass may show its one alert, the Import command its one
    EXPECT_LE(outcome.alerts, outcome.menuAlert ? 2u : 1u);
    setUpFailed += outcome.setUp ? 0 : 1;
    notImported += outcome.setUp && !outcome.imported ? 1 : 0;
    readFailed += outcome.imported && outcome.meshesRead < 0 ? 1 : 0;
  }
  std::printf(
      "fault sweep: %u host calls failed one at a time: set-up refused %d, no document "
      "%d, read failed %d, no crash, no leak, no stray file\n",
      clean.hostCalls, setUpFailed, notImported, readFailed);
}

TEST_F(FaultSweep, EveryHostCallOfADocumentReadFailedInTurn) {
  std::vector<uint8_t> modelFile;
  {
    PlugInSession session;
    session.host.CallInit();
    ASSERT_TRUE(session.host.ClickButton("ADBE:Korvalume"));
    modelFile =
        *standin::FirstModelStream(*session.host.Document(session.host.OpenedDocuments().at(0)));
  }
  SessionOutcome clean = RunRead(0, modelFile);
  ASSERT_TRUE(clean.clean);
  ASSERT_EQ(2, clean.meshesRead) << "one mesh from each model stream";
  const uint32_t setUpCalls = PlugInSession().host.CallCount();
  int readFailed = 0;
  for (uint32_t n = setUpCalls + 1; n <= setUpCalls + clean.hostCalls; ++n) {
    SessionOutcome outcome = RunRead(n, modelFile);
    SCOPED_TRACE("host call " + std::to_string(n) + " failed");
    EXPECT_TRUE(outcome.clean);
    EXPECT_EQ(0u, outcome.alerts) << "the reader shows no alert";
    EXPECT_FALSE(testenv::FileExists(TempPrcPath()));
    readFailed += outcome.meshesRead < 0 ? 1 : 0;
  }
  std::printf(
      "fault sweep, document read: %u host calls failed one at a time: read failed %d, no "
      "crash, no leak, no stray file\n",
      clean.hostCalls, readFailed);
}

}  // namespace
