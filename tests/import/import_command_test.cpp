// The Import command from the gate to the opened document, with each of its ends.
#include <sstream>

#include "import/import_command.h"
#include "platform/mfc/file_dialog.h"
#include "standins/a3dlib/model_file_summary.h"
#include "tests/import/import_fixture.h"

namespace {

const char kHouse[] = KV_SOURCE_DIR "/examples/house.obj";
const char kPointsOnly[] = KV_SOURCE_DIR "/examples/points_only.obj";
const char kNoMeshes[] =
    "SKP file does not contain mesh data.\n\nNote: Components in SKP files will need to be "
    "exploded in SketchUp to expose their mesh data.";

class ImportCommandTest : public ImportTest {
 protected:
  ImportCommandTest() : ostrelLog_("KV_OSTREL_LOG", scratch_.File("ostrel.log").c_str()) {}

  // A host of the given version whose file dialog answers the path (null: Cancel).
  PlugInSession& Host(const char* answer, int16_t major = 9) {
    standin::Scenario scenario;
    scenario.appMajor = major;
    session_.emplace(scenario);
    AnswerDialogWith(answer ? testenv::BuildPath(answer).c_str() : nullptr);
    dialogsBefore_ = KvLastFileDialog().calls;
    scratch_.Write("ostrel.log", "");
    return *session_;
  }
  // The SKP reading library's calls since the host was made, as "SKPToMesh -> result" and
  // "GetError".
  std::vector<std::string> ReaderCalls() const {
    std::istringstream log(testenv::ReadFile(scratch_.File("ostrel.log")));
    std::vector<std::string> calls;
    for (std::string line; std::getline(log, line);)
      calls.push_back(line.substr(0, line.find('\r')));
    return calls;
  }
  int DialogsShown() const { return KvLastFileDialog().calls - dialogsBefore_; }
  const std::vector<std::string>& Alerts() const { return session_->host.Alerts(); }
  // Nothing the host lent is left unreturned, and no temporary file remains.
  void ExpectNothingLeft() {
    EXPECT_TRUE(session_->host.Leaks().Clean());
    EXPECT_FALSE(testenv::FileExists(TempPrcPath()));
    for (const std::string& file : scratch_.Files()) {
      EXPECT_TRUE(file == "a3d.log" || file == "ostrel.log")
          << file << ": only the libraries' logs may stay in the temporary directory";
    }
  }
  uint64_t OpenedTriangles(size_t document) {
    std::vector<HostViewDoc> opened = session_->host.OpenedDocuments();
    const standin::DocumentModel* model = session_->host.Document(opened.at(document));
    const std::vector<uint8_t>* stream = standin::FirstModelStream(*model);
    a3dstore::ModelFileSummary summary;
    if (!stream || !a3dstore::SummarizeModelFile(stream->data(), stream->size(), &summary)) {
      return 0;
    }
    return summary.triangles;
  }

  testenv::ScopedEnv ostrelLog_;
  std::optional<PlugInSession> session_;
  int dialogsBefore_ = 0;
};

TEST_F(ImportCommandTest, OnAHostOtherThanNineOnlyTheGateAnswers) {
  for (int16_t major : {8, 10}) {
    Host(kHouse, major);
    EXPECT_EQ(0, RunImportCommand());
    EXPECT_EQ((std::vector<std::string>{"This plug-in is designed to work with Acrobat 9 only"}),
              Alerts());
    EXPECT_EQ(0, DialogsShown());
    EXPECT_TRUE(LibraryCalls().empty());
    EXPECT_TRUE(session_->host.OpenedDocuments().empty());
  }
}

TEST_F(ImportCommandTest, TheDialogIsTheSketchUpOpenDialog) {
  Host(nullptr);
  EXPECT_EQ(0, RunImportCommand());
  KvFileDialogRecord dialog = KvLastFileDialog();
  EXPECT_EQ(1, DialogsShown());
  EXPECT_TRUE(dialog.open);
  EXPECT_EQ("skp", dialog.defaultExtension);
  EXPECT_EQ(std::string("SketchUp SKP Files (*.skp)\0*.skp\0\0", 34), dialog.filter);
  EXPECT_EQ(6u, dialog.flags & 6u);
  EXPECT_EQ("", dialog.fileName);

  // the class library's dialog is made with exactly these, nothing masked
  const KvFileDialogArguments made = KvLastFileDialogArguments();
  EXPECT_EQ(TRUE, made.open);
  EXPECT_EQ(std::optional<std::string>("skp"), made.defaultExtension);
  EXPECT_EQ(std::nullopt, made.fileName);
  EXPECT_EQ(DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), made.flags);
  EXPECT_EQ(std::optional<std::string>("SketchUp SKP Files (*.skp)|*.skp||"), made.filter);
  EXPECT_EQ(nullptr, made.parent);
  EXPECT_EQ(0u, made.size);
}

TEST_F(ImportCommandTest, CancelDoesNothingAtAll) {
  PlugInSession& session = Host(nullptr);
  uint32_t before = session.host.CallCount();
  EXPECT_EQ(0, RunImportCommand());
  EXPECT_EQ((std::vector<std::string>{"HostGetAppVersion"}), session.OperationsSince(before));
  EXPECT_TRUE(Alerts().empty());
  EXPECT_TRUE(LibraryCalls().empty());
}

TEST_F(ImportCommandTest, ASuccessOpensOneDocumentModelAndLeavesNothing) {
  PlugInSession& session = Host(kHouse);
  EXPECT_EQ(1, RunImportCommand());
  EXPECT_TRUE(Alerts().empty());
  ASSERT_EQ(1u, session.host.OpenedDocuments().size());
  EXPECT_EQ("Model", session.host.Document(session.host.OpenedDocuments()[0])->title);
  EXPECT_EQ(16u, OpenedTriangles(0));  // 6 walls of quads and 4 roof triangles
  ExpectNothingLeft();
}

TEST_F(ImportCommandTest, TheReadersFailureTextIsShownAsItIs) {
  const struct {
    const char* result;
    const char* error;
    const char* file;
    std::string alert;
  } cases[] = {
      {"0", "", kHouse, ""},
      {"0", "the reader says no", kHouse, "the reader says no"},
      {nullptr, nullptr, KV_SOURCE_DIR "/examples/no-such-file.obj", ""},
  };
  for (const auto& c : cases) {
    testenv::ScopedEnv result("KV_OSTREL_RESULT", c.result);
    testenv::ScopedEnv error("KV_OSTREL_ERROR", c.error);
    Host(c.file);
    EXPECT_EQ(0, RunImportCommand());
    ASSERT_EQ(1u, Alerts().size());
    if (c.result) {
      EXPECT_EQ(c.alert, Alerts()[0]);
    } else {
      EXPECT_NE(std::string::npos, Alerts()[0].find("no-such-file.obj")) << Alerts()[0];
    }
    EXPECT_TRUE(LibraryCalls().empty());
    ExpectNothingLeft();
  }
}

TEST_F(ImportCommandTest, TheReadersErrorIsAskedForOnceAndOnlyAfterItFailed) {
  const struct {
    const char* what;
    int16_t major;
    const char* file;  // null: the dialog is cancelled
    const char* result;
    bool library;
    std::vector<std::string> calls;
  } cases[] = {
      {"a host other than 9", 8, kHouse, nullptr, true, {}},
      {"a cancelled dialog", 9, nullptr, nullptr, true, {}},
      {"a reading that fails", 9, kHouse, "0", true, {"SKPToMesh -> 0", "GetError"}},
      {"a file that cannot be opened",
       9,
       KV_SOURCE_DIR "/examples/no-such-file.obj",
       nullptr,
       true,
       {"SKPToMesh -> 0", "GetError"}},
      {"a success", 9, kHouse, nullptr, true, {"SKPToMesh -> 1"}},
      {"a success answered as 2", 9, kHouse, "2", true, {"SKPToMesh -> 2"}},
      {"a model without meshes", 9, kPointsOnly, nullptr, true, {"SKPToMesh -> 1"}},
      {"a hand-over that fails", 9, kHouse, nullptr, false, {"SKPToMesh -> 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testenv::ScopedEnv result("KV_OSTREL_RESULT", c.result);
    testenv::ScopedEnv path("PATH");
    if (!c.library)
      WithoutLibrary();
    Host(c.file, c.major);
    RunImportCommand();
    EXPECT_EQ(c.calls, ReaderCalls());
  }
}

TEST_F(ImportCommandTest, AnyNonzeroAnswerOfTheReaderIsSuccess) {
  for (const char* answer : {"2", "-1"}) {
    testenv::ScopedEnv result("KV_OSTREL_RESULT", answer);
    Host(kHouse);
    EXPECT_EQ(1, RunImportCommand()) << answer;
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(1u, session_->host.OpenedDocuments().size());
  }
}

TEST_F(ImportCommandTest, AModelWithoutMeshesSaysSoAndWritesNothing) {
  Host(kPointsOnly);
  EXPECT_EQ(0, RunImportCommand());
  EXPECT_EQ((std::vector<std::string>{kNoMeshes}), Alerts());
  EXPECT_TRUE(LibraryCalls().empty());
  ExpectNothingLeft();
}

TEST_F(ImportCommandTest, AMissingLibraryIsReportedAfterTheModelIsRead) {
  WithoutLibrary();
  Host(kHouse);
  EXPECT_EQ(0, RunImportCommand());
  EXPECT_EQ((std::vector<std::string>{"Unable to load Acrobat 3D Library (A3DLIB.DLL)"}), Alerts());
  EXPECT_TRUE(session_->host.OpenedDocuments().empty());
  ExpectNothingLeft();
}

// A model-building call or the write that the library refuses: its text is the one alert,
// the host is asked to open nothing and no temporary file is left.
TEST_F(ImportCommandTest, ALibraryRefusalIsReportedAndNothingIsOpened) {
  const struct {
    const char* refused;
    const char* alert;
  } cases[] = {
      {"A3DTessBaseSet", "Unable to create PRC file [The 3D library refused the tessellation]"},
      {"A3DAsmModelFileWriteToFile", "Unable to create PRC file [The file could not be written]"},
  };
  for (const auto& c : cases) {
    testenv::ScopedEnv refused("KV_A3D_FAIL_CALL", c.refused);
    Host(kHouse);
    EXPECT_EQ(0, RunImportCommand()) << c.refused;
    EXPECT_EQ((std::vector<std::string>{c.alert}), Alerts());
    EXPECT_TRUE(session_->host.OpenedDocuments().empty()) << c.refused;
    ExpectNothingLeft();
  }
}

TEST_F(ImportCommandTest, TwoImportsInARowEachOpenTheirDocument) {
  PlugInSession& session = Host(kHouse);
  EXPECT_EQ(1, RunImportCommand());
  EXPECT_EQ(1, RunImportCommand());
  EXPECT_EQ(2u, session.host.OpenedDocuments().size());
  EXPECT_EQ(16u, OpenedTriangles(1));
  EXPECT_EQ(2, DialogsShown());
  ExpectNothingLeft();
}

}  // namespace
