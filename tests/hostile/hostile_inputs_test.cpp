// Hostile and extreme inputs: long and odd "temp" directories, odd path bytes, non-finite
// coordinates, a million empty meshes, and occurrence trees that never end.
#include <cmath>
#include <filesystem>
#include <limits>

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

#include "import/import_command.h"
#include "tests/import/import_fixture.h"
#include "tests/reader/reader_fixture.h"

namespace {

// Directories with bytes outside ASCII in their names are made with the C runtime's narrow
// call, as testenv::WriteBytes writes files, taking the bytes as the plug-in's own file calls do.
bool MakeDirectoryNarrow(const std::string& path) {
#ifdef _WIN32
  return _mkdir(path.c_str()) == 0;
#else
  return mkdir(path.c_str(), 0700) == 0;
#endif
}

class HostileInputTest : public ImportTest {
 protected:
  // The Import command on a host of version 9 whose dialog answers the model's path.
  int Import(const std::string& model) {
    session_.emplace();
    AnswerDialogWith(model.c_str());
    return RunImportCommand();
  }
  std::optional<PlugInSession> session_;
};

// A directory that does not exist, one below a plain file, one whose path runs to thousands of
// characters, and one with bytes outside ASCII: the import never formats past a buffer; where
// the directory is unusable the library's write fails, the import says so in its one alert,
// the host is asked to open nothing, and nothing is left.
TEST_F(HostileInputTest, OddTemporaryDirectories) {
  std::string deep = scratch_.path();
  while (deep.size() < 3000)
    deep += std::string(1, std::filesystem::path::preferred_separator) + std::string(200, 'd');
  std::string odd = scratch_.File("r\xC3\xA9pertoire \xE2\x82\xAC");
  ASSERT_TRUE(MakeDirectoryNarrow(odd));
  const std::string plainFile = scratch_.File("a-plain-file");
  ASSERT_TRUE(testenv::WriteBytes(plainFile, "not a directory"));
  const struct {
    std::string temp;
    bool documentOpened;
  } cases[] = {
      {scratch_.File("no-such-directory") + "/below-it", false},
      {plainFile + "/below-it", false},
      {deep + "-missing", false},
      {scratch_.path() + std::string(5000, 'x'), false},
      {odd, true},
  };
  const std::string model = testenv::BuildPath(KV_SOURCE_DIR "/examples/house.obj");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.temp.substr(0, 60) + "... (" + std::to_string(c.temp.size()) + ")");
    testenv::ScopedEnv temp("temp", c.temp.c_str());
    EXPECT_EQ(c.documentOpened ? 1 : 0, Import(model));
    EXPECT_EQ(c.documentOpened, !session_->host.OpenedDocuments().empty());
    if (c.documentOpened) {
      EXPECT_TRUE(session_->host.Alerts().empty());
    } else {
      EXPECT_EQ(
          std::vector<std::string>{"Unable to create PRC file [The file could not be written]"},
          session_->host.Alerts());
    }
    EXPECT_TRUE(session_->host.Leaks().Clean());
    EXPECT_FALSE(testenv::FileExists(c.temp + "\\TVLTemp.prc"));
  }
}

// A write that fails (as on a full disk) after an earlier import left its file behind: that
// file is not this import's model, so nothing is opened, and no file is left at the path.
TEST_F(HostileInputTest, AStaleTemporaryFileIsNotOpenedWhenTheWriteFails) {
  {
    PlugInSession session;
    ON_ClassArray<ON_Mesh> meshes = OneTriangle();
    CString path(TempPrcPath().c_str());
    ASSERT_EQ(1, WriteMeshesAsPrc(meshes, path));
  }
  ASSERT_TRUE(testenv::FileExists(TempPrcPath()));
  testenv::ScopedEnv refused("KV_A3D_FAIL_CALL", "A3DAsmModelFileWriteToFile");
  EXPECT_EQ(0, Import(testenv::BuildPath(KV_SOURCE_DIR "/examples/house.obj")));
  EXPECT_EQ(std::vector<std::string>{"Unable to create PRC file [The file could not be written]"},
            session_->host.Alerts());
  EXPECT_TRUE(session_->host.OpenedDocuments().empty());
  EXPECT_FALSE(testenv::FileExists(TempPrcPath()));
  EXPECT_TRUE(session_->host.Leaks().Clean());
}

TEST_F(HostileInputTest, AModelPathWithBytesOutsideAscii) {
  std::string model = scratch_.File("maison \xC3\xA9t\xC3\xA9.obj");
  ASSERT_TRUE(testenv::WriteBytes(model, testenv::ReadFile(KV_SOURCE_DIR "/examples/house.obj")));
  EXPECT_EQ(1, Import(model));
  EXPECT_EQ(1u, session_->host.OpenedDocuments().size());
}

TEST_F(HostileInputTest, NonFiniteCoordinatesAreWrittenAsTheyAre) {
  PlugInSession session;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  ON_ClassArray<ON_Mesh> meshes = Meshes(
      {MakeMesh({{nan, 0, 0}, {1, 0, 0}, {0, 1, 0}, {inf, -inf, 0}}, {{0, 1, 2}, {3, 1, 2}})});
  CString path(OutputPath().c_str());
  ASSERT_EQ(1, WriteMeshesAsPrc(meshes, path));
  std::optional<a3dstore::Model> model = Written(OutputPath());
  ASSERT_TRUE(model);
  const a3dstore::Tessellation& tess = model->tessellations.at(0);
  ASSERT_EQ(18u, tess.coords.size());
  EXPECT_TRUE(std::isnan(tess.coords[0]));
  EXPECT_TRUE(std::isinf(tess.coords[9]));
  for (double component : tess.normals)
    EXPECT_EQ(0.0, component) << "no direction for these";
  EXPECT_TRUE(session.host.Leaks().Clean());
}

TEST_F(HostileInputTest, AMillionEmptyMeshes) {
  PlugInSession session;
  ON_ClassArray<ON_Mesh> meshes;
  ASSERT_TRUE(meshes.Reserve(1000000));
  for (int i = 0; i < 1000000; ++i)
    meshes.AppendNew();
  meshes.Append(OneTriangle()[0]);
  CString path(OutputPath().c_str());
  ASSERT_EQ(1, WriteMeshesAsPrc(meshes, path));
  std::optional<a3dstore::Model> model = Written(OutputPath());
  ASSERT_TRUE(model);
  EXPECT_EQ((std::vector<uint32_t>{1}), model->tessellations.at(0).faces.at(0).sizes);
}

// A model file whose occurrences form a cycle, or a chain a million levels deep: the library
// loads it, and the reader's walk refuses it with a text instead of recursing without end,
// leaving no entity and no block behind in the library.
using EndlessTreeTest = readertest::ReaderTest;

TEST_F(EndlessTreeTest, OccurrenceTreesThatNeverEnd) {
  const struct {
    uint32_t chain;
    bool cycle;
    const char* text;
  } cases[] = {
      {3, true, "Invalid product occurrence data [Occurrence contains itself]"},
      {1000000, false, "Invalid product occurrence data [Occurrences nested too deeply]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    a3dstore::Model model;
    model.file.occurrences = {0};
    model.occurrences.resize(c.chain);
    for (uint32_t i = 0; i + 1 < c.chain; ++i)
      model.occurrences[i].children = {i + 1};
    if (c.cycle)
      model.occurrences.back().children = {0};
    scratch_.Write("a3d.log", "");  // so that the session counted is this case's own
    EXPECT_EQ(0, Walk(model));
    EXPECT_EQ(c.text, Error());
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

}  // namespace
