// The round trip: a model imported through the Import command comes back from the opened
// document as the one mesh the writer was given.
#include "import/import_command.h"
#include "platform/ostrel/tvl_ostrel.h"
#include "tests/reader/reader_fixture.h"

namespace readertest {
namespace {

const char kHouse[] = KV_SOURCE_DIR "/examples/house.obj";

class RoundTripTest : public ReaderTest {
 protected:
  // The mesh the writer was handed: the reader's meshes merged, quads split.
  ON_Mesh WrittenMesh(const std::string& path) {
    ON_ClassArray<ON_Mesh> parts;
    EXPECT_NE(0, TVLOstrel::SKPToMesh(path.c_str(), parts));
    ON_Mesh merged;
    for (int i = 0; i < parts.Count(); ++i)
      merged.Append(parts[i]);
    merged.ConvertQuadsToTriangles();
    return merged;
  }
};

TEST_F(RoundTripTest, AnImportedHouseReadsBackCornerForCorner) {
  const std::string house = testenv::BuildPath(kHouse);
  AnswerDialogWith(house.c_str());
  ASSERT_EQ(1, RunImportCommand()) << GetLastErrorText();
  std::vector<HostViewDoc> opened = session_->host.OpenedDocuments();
  ASSERT_EQ(1u, opened.size());

  ON_ClassArray<ON_Mesh> meshes;
  ASSERT_EQ(1, ReadDocumentPrc(opened[0], meshes)) << GetLastErrorText();
  ASSERT_EQ(1, meshes.Count());
  const ON_Mesh& read = meshes[0];
  const ON_Mesh written = WrittenMesh(house);
  ASSERT_EQ(written.FaceCount(), read.FaceCount());
  EXPECT_EQ(3 * written.FaceCount(), read.VertexCount());
  for (int f = 0; f < written.FaceCount(); ++f) {
    for (int j = 0; j < 3; ++j) {
      const ON_3fPoint& expected = written.m_V[written.m_F[f].vi[j]];
      const ON_3fPoint& actual = read.m_V[read.m_F[f].vi[j]];
      EXPECT_TRUE(expected.x == actual.x && expected.y == actual.y && expected.z == actual.z)
          << "triangle " << f << " corner " << j;
    }
    EXPECT_TRUE(read.m_F[f].IsTriangle());
  }
  EXPECT_FALSE(testenv::FileExists(TempPrc()));

  // its name and unit, which ReadDocumentPrc keeps to itself
  ASSERT_EQ(1, Scan(opened[0]));
  EXPECT_EQ(std::vector<std::string>{"Model"}, Names());
  EXPECT_EQ(std::vector<double>{1.0}, Units());
  EXPECT_TRUE(session_->host.Leaks().Clean());
}

}  // namespace
}  // namespace readertest
