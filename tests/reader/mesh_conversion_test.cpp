// Each 3D tessellation as one mesh: its points and triangle records, its unit and its name.
#include "tests/reader/model_builders.h"
#include "tests/reader/reader_fixture.h"

namespace readertest {
namespace {

using MeshConversionTest = ReaderTest;

struct IndexCase {
  const char* what;
  std::vector<double> coords;
  std::vector<uint32_t> entries;
  int vertices;
  std::vector<std::vector<int>> triangles;
};

// Coordinates 0, 1, 2, ... so that vertex i is (3i, 3i+1, 3i+2).
std::vector<double> Counting(int n) {
  std::vector<double> coords;
  for (int i = 0; i < n; ++i)
    coords.push_back(i);
  return coords;
}

TEST_F(MeshConversionTest, PointsAndTrianglesComeFromTheCountsByWholeDivision) {
  const std::vector<IndexCase> cases = {
      {"six entries a triangle, corners at 1, 3 and 5",
       Counting(12),
       {7, 9, 7, 3, 7, 0},
       4,
       {{3, 1, 0}}},
      {"13 entries give two triangles",
       Counting(12),
       {0, 0, 0, 3, 0, 6, 0, 9, 0, 6, 0, 3, 99},
       4,
       {{0, 1, 2}, {3, 2, 1}}},
      {"8 coordinates give two points", Counting(8), {0, 0, 0, 3, 0, 3}, 2, {{0, 1, 1}}},
      {"an entry between two points gives the lower",
       Counting(12),
       {0, 10, 0, 4, 0, 2},
       4,
       {{3, 1, 0}}},
      {"five entries give no triangle", Counting(9), {0, 0, 0, 3, 0}, 3, {}},
  };
  for (const IndexCase& c : cases) {
    SCOPED_TRACE(c.what);
    meshes_.Destroy();
    ASSERT_EQ(1, Walk(SingleTess(Presented(c.coords, c.entries))));
    ASSERT_EQ(1, meshes_.Count());
    const ON_Mesh& mesh = meshes_[0];
    EXPECT_EQ(c.vertices, mesh.VertexCount());
    std::vector<float> expected(c.coords.begin(), c.coords.begin() + 3 * c.vertices);
    EXPECT_EQ(expected, Coordinates(mesh));
    EXPECT_EQ(c.triangles, Triangles(mesh));
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

TEST_F(MeshConversionTest, APointIndexPastTheLastPointIsRefused) {
  // four points: entry 11 is point 3, entry 12 would be point 4
  ASSERT_EQ(1, Walk(SingleTess(Presented(Counting(12), {0, 0, 0, 11, 0, 3}))));
  EXPECT_EQ((std::vector<std::vector<int>>{{0, 3, 1}}), Triangles(meshes_[0]));
  names_.RemoveAll();
  for (uint32_t outside : {12u, 13u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(outside);
    meshes_.Destroy();
    for (size_t corner : {1u, 3u, 5u}) {
      std::vector<uint32_t> entries = {0, 0, 0, 3, 0, 6};
      entries[corner] = outside;
      EXPECT_EQ(0, Walk(SingleTess(Presented(Counting(12), entries))));
      EXPECT_EQ("Unable to retrieve tesselation 3d data [Point index out of range]", Error());
      EXPECT_EQ(0, meshes_.Count());
      EXPECT_EQ(0, names_.GetSize());
      EXPECT_EQ("live=0 attached=0", SessionEnd());
    }
  }
}

TEST_F(MeshConversionTest, WrittenTrianglesArePresentedAsSixEntriesEach) {
  // what the writer writes: n a b c per triangle
  Tessellation tess;
  tess.coords = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0};
  tess.normals = {0, 0, 1, 0, 0, 1};
  tess.indices = {0, 0, 3, 6, 3, 9, 12, 15};
  tess.faces.push_back({kA3dFaceTrianglesOneNormal, 0, {2}});
  ASSERT_EQ(1, Walk(SingleTess(tess)));
  ASSERT_EQ(1, meshes_.Count());
  EXPECT_EQ(6, meshes_[0].VertexCount());
  EXPECT_EQ((std::vector<std::vector<int>>{{0, 1, 2}, {3, 4, 5}}), Triangles(meshes_[0]));
}

TEST_F(MeshConversionTest, AnEmptyTessellationStillGivesAMeshAUnitAndAName) {
  Tessellation empty;
  Model model = SingleTess(empty, "hollow");
  model.file.unit = 2.5;
  ASSERT_EQ(1, Walk(model));
  ASSERT_EQ(1, meshes_.Count());
  EXPECT_EQ(0, meshes_[0].VertexCount());
  EXPECT_EQ(0, meshes_[0].FaceCount());
  EXPECT_EQ(std::vector<double>{2.5}, Units());
  EXPECT_EQ(std::vector<std::string>{"hollow"}, Names());
}

TEST_F(MeshConversionTest, EachMeshTakesTheUnitOfItsOwnModelFile) {
  Model inches = SingleTess(Triangle(0));
  inches.file.unit = 25.4;
  inches.file.occurrences.push_back(AddLeaf(inches, "second"));
  Model metres = SingleTess(Triangle(0));
  metres.file.unit = 1000;
  ASSERT_EQ(1, WalkFiles({inches, metres}));
  EXPECT_EQ((std::vector<double>{25.4, 25.4, 1000}), Units());
  EXPECT_EQ(1000, ModelUnit);
}

TEST_F(MeshConversionTest, ATessellationOfAnotherTypeIsRefused) {
  for (int32_t type : {0, 170, 171, 173, -1}) {
    SCOPED_TRACE(type);
    Tessellation tess = Triangle(0);
    tess.type = type;
    EXPECT_EQ(0, Walk(SingleTess(tess)));
    EXPECT_EQ("Unsupported tesselation type", Error());
    EXPECT_EQ(0, meshes_.Count());
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

// The name rules: a mesh takes the last non-empty name read before it (of its model file,
// occurrences and part, never of its representation item), "Object" when there was none, and
// only the part after the last backslash.
struct NameCase {
  const char* what;
  Name fileName;
  Name occurrenceName;
  Name partName;
  std::string expected;
  Name itemName = std::nullopt;
};

TEST_F(MeshConversionTest, AMeshIsNamedAfterTheLastNameReadBeforeIt) {
  const std::vector<NameCase> cases = {
      {"nothing named", std::nullopt, std::nullopt, std::nullopt, "Object"},
      {"only empty names", "", "", "", "Object"},
      {"the part's name is the last", "file", "occurrence", "part", "part"},
      {"an empty name does not replace one", "file", "occurrence", "", "occurrence"},
      {"the model file's name reaches down", "file", std::nullopt, std::nullopt, "file"},
      {"the text after the last backslash", std::nullopt, "C:\\models\\house\\Roof", std::nullopt,
       "Roof"},
      {"a trailing backslash leaves nothing", std::nullopt, "models\\", std::nullopt, ""},
      {"a lone backslash", std::nullopt, "\\", std::nullopt, ""},
      {"a leading backslash", std::nullopt, "\\Wall", std::nullopt, "Wall"},
      {"slashes are kept", std::nullopt, "a/b", std::nullopt, "a/b"},
      {"an item's name is not taken", "file", "occurrence", std::nullopt, "occurrence", "item"},
      {"not even when nothing else is named", std::nullopt, std::nullopt, std::nullopt, "Object",
       "item"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    EntityName.Empty();
    names_.RemoveAll();
    Model model;
    const uint32_t part = AddTrianglePart(model, c.partName);
    model.items[model.parts[part].items[0]].base.name = c.itemName;
    model.file.occurrences = {AddOccurrence(model, c.occurrenceName, part)};
    model.file.base.name = c.fileName;
    ASSERT_EQ(1, Walk(model));
    EXPECT_EQ(std::vector<std::string>{c.expected}, Names());
  }
}

TEST_F(MeshConversionTest, ANameCarriesOverFromAnEarlierSubtreeAndAnEarlierModelFile) {
  Model first;
  const uint32_t named = AddLeaf(first, "Alpha");
  const uint32_t unnamed = AddOccurrence(first, std::nullopt, AddTrianglePart(first, std::nullopt));
  first.file.occurrences = {AddOccurrence(first, std::nullopt, kNoRef, {named}), unnamed};
  Model second = SingleTess(Triangle(0));
  ASSERT_EQ(1, WalkFiles({first, second}));
  EXPECT_EQ((std::vector<std::string>{"Alpha", "Alpha", "Alpha"}), Names());
  // and into the next walk, which restores nothing either
  names_.RemoveAll();
  ASSERT_EQ(1, Walk(second));
  EXPECT_EQ(std::vector<std::string>{"Alpha"}, Names());
  EXPECT_STREQ("Alpha", EntityName);
}

TEST(MeshNames, AddMeshNameKeepsTheTextAfterTheLastBackslash) {
  CStringArray names;
  for (const char* name : {"", "plain", "a\\b\\c", "end\\"})
    EXPECT_EQ(1, AddMeshName(names, name));
  ASSERT_EQ(4, names.GetSize());
  EXPECT_STREQ("Object", names[0]);
  EXPECT_STREQ("plain", names[1]);
  EXPECT_STREQ("c", names[2]);
  EXPECT_STREQ("", names[3]);
}

}  // namespace
}  // namespace readertest
