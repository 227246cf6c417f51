// Damaged model files: cut short, with counts too large, with references and offsets outside
// the file, and with index entries outside their arrays. Each is refused with a clear text
// and never read outside its bytes (the native build runs this under the sanitizers).
#include <cstring>

#include "tests/reader/documents.h"
#include "tests/reader/model_builders.h"
#include "tests/reader/reader_fixture.h"

namespace readertest {
namespace {

const char kNotLoaded[] = "Unable to load model file";

// The file used throughout: one unnamed occurrence, part, item and tessellation of one
// triangle, so that every field sits at a fixed place in its section's body.
std::vector<uint8_t> SmallFile() {
  return Bytes(SingleTess(Triangle(0)));
}

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | bytes.at(at + i);
  return value;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes.at(at + i) = uint8_t(value >> (8 * i));
}

// Where each section starts (its tag), in file order; the header ends at 12.
std::vector<size_t> SectionStarts(const std::vector<uint8_t>& bytes) {
  std::vector<size_t> starts;
  for (size_t at = 12; at + 8 <= bytes.size(); at += 8 + U32At(bytes, at + 4))
    starts.push_back(at);
  return starts;
}

class DamagedFileTest : public ReaderTest {
 protected:
  // Loads and walks the bytes as a file in the session; the walk's result.
  int LoadBytes(const std::vector<uint8_t>& bytes) {
    const std::string path = scratch_.File("damaged.prc");
    std::string text(bytes.begin(), bytes.end());
    scratch_.Write("damaged.prc", text);
    CString file(path.c_str());
    return LoadPrcModel(file, meshes_, units_, names_);
  }
};

TEST_F(DamagedFileTest, TheSmallFileIsWhatTheOffsetsBelowAssume) {
  const std::vector<uint8_t> bytes = SmallFile();
  EXPECT_EQ((std::vector<size_t>{12, 60, 96, 124, 152}), SectionStarts(bytes));
  EXPECT_EQ(320u, bytes.size());
  EXPECT_EQ(1, Walk(SingleTess(Triangle(0))));
}

TEST_F(DamagedFileTest, AFileCutAtAnyLengthIsRefused) {
  const std::vector<uint8_t> bytes = SmallFile();
  LibrarySession library;
  ASSERT_TRUE(library.ready);
  for (size_t length = 0; length < bytes.size(); ++length) {
    SetLastErrorText("");
    ASSERT_EQ(0, LoadBytes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length))) << length;
    ASSERT_EQ(kNotLoaded, Error()) << length;
  }
  EXPECT_EQ(0, meshes_.Count());
  ASSERT_EQ(1, LoadBytes(bytes)) << "the whole file loads";
}

TEST_F(DamagedFileTest, AFileCutAtASectionBoundaryIsRefusedThroughTheDocument) {
  const std::vector<uint8_t> bytes = SmallFile();
  std::vector<size_t> cuts = {0, 8, 12};
  for (size_t start : SectionStarts(bytes))
    cuts.insert(cuts.end(), {start, start + 4, start + 8});
  for (size_t cut : cuts) {
    SCOPED_TRACE(cut);
    session_.emplace();
    HostViewDoc view = session_->host.AddDocument(Document(
        {PageModel{{PrcAnnot(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut))}}}));
    meshes_.Append(ON_Mesh());
    EXPECT_EQ(0, ReadDocumentPrc(view, meshes_));
    EXPECT_EQ(kNotLoaded, Error());
    EXPECT_EQ(0, meshes_.Count());
    EXPECT_FALSE(testenv::FileExists(TempPrc()));
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

constexpr int kHeader = -1;  // an offset into the file, not into a section's body
constexpr uint32_t kNone = 0xFFFFFFFFu;

struct Patch {
  const char* what;
  int section;  // 0 MODL, 1 OCCS, 2 PART, 3 ITEM, 4 TESS, or kHeader
  int offset;   // into the section's body; -4 is the section's length
  uint32_t was;
  uint32_t value;
};

TEST_F(DamagedFileTest, CountsReferencesAndLengthsOutsideTheFileAreRefused) {
  const std::vector<Patch> patches = {
      {"not a model file", kHeader, 0, 0x41564B89u, 0x41564B88u},
      {"a version this loader does not know", kHeader, 8, 1, 2},
      {"a section longer than the file", 0, -4, 40, kNone},
      {"the last section one byte longer than the file", 4, -4, 160, 161},
      {"a section shorter than its records", 2, -4, 20, 19},
      {"a name longer than its section", 0, 0, kNone, 1000},
      {"a root count past the body", 0, 32, 1, 2},
      {"a root count of 2^32-1", 0, 32, 1, kNone},
      {"a root outside the occurrences", 0, 36, 0, 1},
      {"an occurrence count past the body", 1, 0, 1, 2},
      {"an occurrence count of 2^32-1", 1, 0, 1, kNone},
      {"a part outside its table", 1, 12, 0, 1},
      {"a first linked occurrence outside its table", 1, 16, kNone, 1},
      {"a second linked occurrence outside its table", 1, 20, kNone, 0x7FFFFFFF},
      {"a child count of 2^32-1", 1, 24, 0, kNone},
      {"an item count of 2^32-1", 2, 12, 1, kNone},
      {"an item outside its table", 2, 16, 0, 1},
      {"a tessellation outside its table", 3, 16, 0, 1},
      {"unknown test flags", 3, 8, 0, 0x10},
      {"a coordinate count past the body", 4, 16, 9, 10},
      {"a coordinate count of 2^32-1", 4, 16, 9, kNone},
      {"a normal count of 2^32-1", 4, 92, 3, kNone},
      {"an index count of 2^32-1", 4, 120, 4, kNone},
      {"a face count of 2^32-1", 4, 140, 1, kNone},
      {"a size count of 2^32-1", 4, 152, 1, kNone},
  };
  const std::vector<uint8_t> good = SmallFile();
  const std::vector<size_t> starts = SectionStarts(good);
  LibrarySession library;
  ASSERT_TRUE(library.ready);
  for (const Patch& p : patches) {
    SCOPED_TRACE(p.what);
    const size_t at = p.section == kHeader ? size_t(p.offset) : starts.at(p.section) + 8 + p.offset;
    std::vector<uint8_t> bytes = good;
    ASSERT_EQ(p.was, U32At(bytes, at)) << "the field is where the case expects it";
    PutU32(bytes, at, p.value);
    SetLastErrorText("");
    EXPECT_EQ(0, LoadBytes(bytes));
    EXPECT_EQ(kNotLoaded, Error());
  }
  EXPECT_EQ(0, meshes_.Count());
}

struct EntryCase {
  const char* what;
  Tessellation tess;
  int result;
  int faces;
  const char* message;
};

// Coordinates of three points.
const std::vector<double> kThreePoints = {0, 0, 0, 1, 0, 0, 0, 1, 0};

Tessellation WrittenTess(std::vector<uint32_t> indices, a3dstore::Face face) {
  Tessellation tess;
  tess.coords = kThreePoints;
  tess.normals = {0, 0, 1};
  tess.indices = std::move(indices);
  tess.faces.push_back(face);
  return tess;
}

TEST_F(DamagedFileTest, IndexEntriesOutsideTheirArraysGiveNoFaceOutsideTheMesh) {
  const char* outOfRange = "Unable to retrieve tesselation 3d data [Point index out of range]";
  const std::vector<EntryCase> cases = {
      {"a presented corner past the points", Presented(kThreePoints, {0, 30, 0, 3, 0, 6}), 0, 0,
       outOfRange},
      {"a corner of 2^32-1", Presented(kThreePoints, {0, 0, 0, 3, 0, kNone}), 0, 0, outOfRange},
      {"a written corner past the points",
       WrittenTess({0, 0, 3, 60}, {kA3dFaceTrianglesOneNormal, 0, {1}}), 0, 0, outOfRange},
      {"a face starting past the index array",
       WrittenTess({0, 0, 3, 6}, {kA3dFaceTrianglesOneNormal, 100, {1}}), 1, 0, ""},
      {"a face claiming more triangles than its entries",
       WrittenTess({0, 0, 3, 6}, {kA3dFaceTrianglesOneNormal, 0, {1000, kNone}}), 1, 1, ""},
      {"a normal past the normals",
       WrittenTess({300, 0, 3, 6}, {kA3dFaceTrianglesOneNormal, 0, {1}}), 1, 1, ""},
      {"coordinates that are not whole points", Presented({0, 0, 0, 1, 0}, {0, 0, 0, 0, 0, 3}), 0,
       0, outOfRange},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.what);
    meshes_.Destroy();
    SetLastErrorText("");
    EXPECT_EQ(c.result, Walk(SingleTess(c.tess)));
    EXPECT_EQ(c.message, Error());
    ASSERT_EQ(c.result, meshes_.Count());
    if (c.result) {
      const ON_Mesh& mesh = meshes_[0];
      EXPECT_EQ(c.faces, mesh.FaceCount());
      for (int f = 0; f < mesh.FaceCount(); ++f) {
        for (int j = 0; j < 3; ++j) {
          EXPECT_GE(mesh.m_F[f].vi[j], 0);
          EXPECT_LT(mesh.m_F[f].vi[j], mesh.VertexCount());
        }
      }
    }
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

}  // namespace
}  // namespace readertest
