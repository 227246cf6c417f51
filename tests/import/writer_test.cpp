// The PRC writer: what reaches the 3D library and the file, and what the host lends for it.
#include <algorithm>
#include <cmath>

#include "import/prc_writer.h"
#include "tests/import/import_fixture.h"

namespace {

using a3dstore::Model;
using a3dstore::Tessellation;

class WriterTest : public ImportTest {
 protected:
  int Write(ON_ClassArray<ON_Mesh>& meshes) {
    CString path(OutputPath().c_str());
    return WriteMeshesAsPrc(meshes, path);
  }
  const Tessellation& OnlyTessellation(const Model& model) {
    EXPECT_EQ(1u, model.tessellations.size());
    return model.tessellations.front();
  }
  // The sizes the host was asked for, in order.
  std::vector<std::string> AllocationSizes(const standin::Host& host) {
    std::vector<std::string> sizes;
    for (const standin::CallRecord& call : host.Log()) {
      if (call.operation == "HostMemoryAlloc")
        sizes.push_back(call.arguments);
    }
    return sizes;
  }
  std::optional<PlugInSession> session_{std::in_place};
};

const std::vector<std::string> kElevenCalls = {"A3DTess3DCreate",
                                               "A3DTessBaseSet",
                                               "A3DRiPolyBrepModelCreate",
                                               "A3DRiRepresentationItemSet",
                                               "A3DAsmPartDefinitionCreate",
                                               "A3DAsmProductOccurrenceCreate",
                                               "A3DRootBaseSet",
                                               "A3DAsmModelFileCreate",
                                               "A3DRootBaseSet",
                                               "A3DAsmModelFileWriteToFile",
                                               "A3DAsmModelFileDelete"};

std::vector<std::string> WithLibraryCycle(std::vector<std::string> calls) {
  calls.insert(calls.begin(), {"A3DDllGetVersion", "A3DDllInitialize"});
  calls.push_back("A3DDllTerminate");
  return calls;
}

// The log's calls without its summary lines (which start with a lower-case word).
std::vector<std::string> EntryCalls(const std::vector<std::string>& lines) {
  std::vector<std::string> calls;
  for (const std::string& line : lines) {
    if (line.rfind("A3D", 0) == 0)
      calls.push_back(line);
  }
  return calls;
}

TEST_F(WriterTest, TwoTrianglesBecomeOneFaceWithOneNormalEach) {
  ON_ClassArray<ON_Mesh> meshes =
      Meshes({MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 2, 3}})});
  ASSERT_EQ(1, Write(meshes));
  EXPECT_EQ(WithLibraryCycle(kElevenCalls), EntryCalls(LibraryCalls()));
  std::optional<Model> model = Written(OutputPath());
  ASSERT_TRUE(model);
  const Tessellation& tess = OnlyTessellation(*model);
  EXPECT_EQ((std::vector<uint32_t>{0, 0, 3, 6, 3, 9, 12, 15}), tess.indices);
  EXPECT_EQ((std::vector<double>{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0}),
            tess.coords);
  EXPECT_EQ((std::vector<double>{0, 0, 1, 0, 0, 1}), tess.normals);
  ASSERT_EQ(1u, tess.faces.size());
  EXPECT_EQ(kA3dFaceTrianglesOneNormal, tess.faces[0].triangleKind);
  EXPECT_EQ(0u, tess.faces[0].firstIndex);
  EXPECT_EQ((std::vector<uint32_t>{2}), tess.faces[0].sizes);

  // the tree around it
  EXPECT_EQ(std::optional<std::string>("ModelFile"), model->file.base.name);
  EXPECT_EQ(1.0, model->file.unit);
  ASSERT_EQ(1u, model->file.occurrences.size());
  const a3dstore::Occurrence& occurrence = model->occurrences[model->file.occurrences[0]];
  EXPECT_EQ(std::optional<std::string>("Model"), occurrence.base.name);
  ASSERT_EQ(1u, model->parts.size());
  ASSERT_EQ(1u, model->parts[0].items.size());
  const a3dstore::RepItem& item = model->items[model->parts[0].items[0]];
  EXPECT_EQ(a3dstore::ItemKind::kPolyBrep, item.kind);
  EXPECT_TRUE(item.closed);
  const a3dstore::WriteParams& params = model->file.writeParams;
  EXPECT_EQ(0u, params.option04);
  EXPECT_EQ(1u, params.option08);
  EXPECT_EQ(1u, params.option0A);
  EXPECT_EQ(1u, params.option0C);
  EXPECT_EQ(0u, params.option10);
}

TEST_F(WriterTest, ArraysComeFromTheHostAndGoBack) {
  ON_ClassArray<ON_Mesh> meshes =
      Meshes({MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}}),
              MakeMesh({{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, {{0, 1, 2, 3}, {0, 2, 3}})});
  ASSERT_EQ(1, Write(meshes));
  // four triangles: the quad split into two
  EXPECT_EQ((std::vector<std::string>{"288", "96", "64"}), AllocationSizes(session_->host));
  EXPECT_TRUE(session_->host.Leaks().Clean());
  std::optional<Model> model = Written(OutputPath());
  ASSERT_TRUE(model);
  EXPECT_EQ(36u, OnlyTessellation(*model).coords.size());
}

TEST_F(WriterTest, SharedCornersAreWrittenOncePerTriangle) {
  ON_ClassArray<ON_Mesh> meshes =
      Meshes({MakeMesh({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}}, {{0, 1, 2}, {2, 3, 0}})});
  ASSERT_EQ(1, Write(meshes));
  const Tessellation tess = OnlyTessellation(*Written(OutputPath()));
  ASSERT_EQ(18u, tess.coords.size());
  // corner 2 of the first triangle is corner 0 of the second
  EXPECT_EQ(std::vector<double>(tess.coords.begin() + 6, tess.coords.begin() + 9),
            std::vector<double>(tess.coords.begin() + 9, tess.coords.begin() + 12));
}

TEST_F(WriterTest, QuadsSplitAlongTheShorterDiagonalAndInvalidQuadsKeepThreeCorners) {
  // a kite whose 1-3 diagonal is the shorter, and a quad with a repeated corner
  ON_ClassArray<ON_Mesh> meshes = Meshes(
      {MakeMesh({{0, 0, 0}, {2, -1, 0}, {4, 0, 0}, {2, 1, 0}, {0, 0, 5}, {1, 0, 5}, {1, 1, 5}},
                {{0, 1, 2, 3}, {4, 5, 6, 6}})});
  ASSERT_EQ(1, Write(meshes));
  const Tessellation tess = OnlyTessellation(*Written(OutputPath()));
  ASSERT_EQ(27u, tess.coords.size());
  auto corner = [&](int triangle, int j) {
    return ON_3dPoint(tess.coords[9 * triangle + 3 * j], tess.coords[9 * triangle + 3 * j + 1],
                      tess.coords[9 * triangle + 3 * j + 2]);
  };
  // both halves of the kite hold corners 1 and 3
  for (int t = 0; t < 2; ++t) {
    int found = 0;
    for (int j = 0; j < 3; ++j) {
      ON_3dPoint p = corner(t, j);
      found += (p.x == 2 && std::fabs(p.y) == 1) ? 1 : 0;
    }
    EXPECT_EQ(2, found) << "triangle " << t;
  }
  EXPECT_EQ(0.0, corner(2, 0).x);
  EXPECT_EQ(1.0, corner(2, 1).x);
  EXPECT_EQ(1.0, corner(2, 2).y);
  EXPECT_EQ((std::vector<uint32_t>{3}), tess.faces[0].sizes);
}

TEST_F(WriterTest, AFacePointingOutsideItsMeshIsLeftOut) {
  ON_ClassArray<ON_Mesh> meshes = Meshes({MakeMesh(
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 1, 99}, {-1, 1, 2}, {2, 1, 0}})});
  ASSERT_EQ(1, Write(meshes));
  const Tessellation tess = OnlyTessellation(*Written(OutputPath()));
  EXPECT_EQ((std::vector<uint32_t>{2}), tess.faces[0].sizes);
  EXPECT_EQ((std::vector<uint32_t>{0, 0, 3, 6, 3, 9, 12, 15}), tess.indices);
}

TEST_F(WriterTest, NoMeshesStillMakeAllElevenCalls) {
  for (bool noArray : {true, false}) {
    ON_ClassArray<ON_Mesh> meshes;
    if (!noArray)
      meshes.Append(MakeMesh({{0, 0, 0}}, {}));
    ASSERT_EQ(1, Write(meshes));
    const Tessellation tess = OnlyTessellation(*Written(OutputPath()));
    EXPECT_TRUE(tess.coords.empty());
    EXPECT_EQ((std::vector<uint32_t>{0}), tess.faces[0].sizes);
  }
  EXPECT_EQ((std::vector<std::string>{"0", "0", "0", "0", "0", "0"}),
            AllocationSizes(session_->host));
  EXPECT_TRUE(session_->host.Leaks().Clean());
}

TEST_F(WriterTest, TwoConversionsEachRunTheWholeLibraryCycle) {
  ON_ClassArray<ON_Mesh> meshes =
      Meshes({MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})});
  ASSERT_EQ(1, Write(meshes));
  ASSERT_EQ(1, Write(meshes));
  std::vector<std::string> once = WithLibraryCycle(kElevenCalls);
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(twice, EntryCalls(LibraryCalls()));
  EXPECT_EQ(6u, AllocationSizes(session_->host).size());
  EXPECT_TRUE(session_->host.Leaks().Clean());
}

TEST_F(WriterTest, MemoryTheHostRefusesIsNeverWrittenAndTheRestGoesBack) {
  for (uint32_t refused = 1; refused <= 3; ++refused) {
    standin::Scenario scenario;
    scenario.failOperation = "HostMemoryAlloc";
    scenario.failOperationCall = refused;
    session_.emplace(scenario);
    ON_ClassArray<ON_Mesh> meshes =
        Meshes({MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})});
    EXPECT_EQ(0, Write(meshes)) << refused;
    EXPECT_STREQ("Unable to create PRC file [Not enough memory]", GetLastErrorText());
    EXPECT_TRUE(session_->host.Leaks().Clean()) << refused;
    EXPECT_FALSE(testenv::FileExists(OutputPath()));
  }
  EXPECT_EQ("A3DDllTerminate", EntryCalls(LibraryCalls()).back());
}

TEST(WriterLimits, TheCoordinateBytesOfTheLargestCountFitIn32Bits) {
  EXPECT_TRUE(TriangleCountFits(kMaxPrcTriangles));
  EXPECT_FALSE(TriangleCountFits(kMaxPrcTriangles + 1ull));
  EXPECT_LE(72ull * kMaxPrcTriangles, 0xFFFFFFFFull);
  EXPECT_GT(72ull * (kMaxPrcTriangles + 1ull), 0xFFFFFFFFull);
}

TEST(EntityNames, ANullAddressCallsNothing) {
  EXPECT_EQ(0, SetEntityName("Model", nullptr));
}

}  // namespace
