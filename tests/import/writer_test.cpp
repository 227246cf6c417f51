// The PRC writer: what reaches the 3D library and the file, and what the host lends for it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "import/prc_writer.h"
#include "platform/opennurbs/on_allocation.h"
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

// The host's release, seen in the library's log: while it lives, each release the plug-in asks
// of the host is written into that log as "HostMemoryFree <coords|normals|indices>" before the
// host does it, so that the log shows when each array went back among the library's calls.
class ReleasesInTheLibraryLog {
 public:
  ReleasesInTheLibraryLog(const standin::Host& host, const std::string& logPath)
      : slot_(HostTables[HostTableId::AcroSupport].table + kReleaseSelector) {
    hostRelease_ = *slot_;
    host_ = &host;
    logPath_ = logPath;
    *slot_ = reinterpret_cast<HostProc>(&MarkedRelease);
  }
  ~ReleasesInTheLibraryLog() { *slot_ = hostRelease_; }
  ReleasesInTheLibraryLog(const ReleasesInTheLibraryLog&) = delete;
  ReleasesInTheLibraryLog& operator=(const ReleasesInTheLibraryLog&) = delete;

 private:
  static constexpr int kReleaseSelector = 3;

  // Which array a block is, from the size the host was asked for: 72, 24 and 16 bytes a
  // triangle.
  static std::string ArrayOf(void* block) {
    char shown[32];
    std::snprintf(shown, sizeof(shown), "%p", block);
    for (const standin::CallRecord& call : host_->Log()) {
      if (call.operation != "HostMemoryAlloc" || call.result != shown)
        continue;
      const unsigned long size = std::stoul(call.arguments);
      return size % 72 == 0 && size > 0 ? "coords" : size % 24 == 0 ? "normals" : "indices";
    }
    return "unknown";
  }

  static void HOSTCALL MarkedRelease(void* block) {
    std::ofstream(logPath_, std::ios::app | std::ios::binary)
        << "HostMemoryFree " << ArrayOf(block) << "\n";
    reinterpret_cast<HostMemoryFreeFn>(hostRelease_)(block);
  }

  HostProc* slot_;
  static inline HostProc hostRelease_ = nullptr;
  static inline const standin::Host* host_ = nullptr;
  static inline std::string logPath_;
};

// The arrays' releases among the library's calls.
const std::vector<std::string> kReleases = {"HostMemoryFree coords", "HostMemoryFree normals",
                                            "HostMemoryFree indices"};

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

// The library's calls and the arrays' releases, from a log that ReleasesInTheLibraryLog marked.
std::vector<std::string> CallsAndReleases(const std::string& log) {
  std::istringstream lines(log);
  std::vector<std::string> calls;
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("HostMemoryFree ", 0) == 0)
      calls.push_back(line);
    else if (line.rfind("A3D", 0) == 0)
      calls.push_back(line.substr(0, line.find(' ')));
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

// The model file is deleted while the arrays are still the host's; they go back in the order
// coordinates, normals, indices, and only then is the library terminated.
TEST_F(WriterTest, TheArraysGoBackAfterTheModelFileIsDeletedAndBeforeTermination) {
  ON_ClassArray<ON_Mesh> meshes =
      Meshes({MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 2, 3}})});
  std::vector<std::string> expected = WithLibraryCycle(kElevenCalls);
  expected.insert(expected.end() - 1, kReleases.begin(), kReleases.end());
  {
    ReleasesInTheLibraryLog marked(session_->host, scratch_.File("a3d.log"));
    ASSERT_EQ(1, Write(meshes));
  }
  EXPECT_EQ(expected, CallsAndReleases(LibraryLog()));
  EXPECT_TRUE(session_->host.Leaks().Clean());
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
                {{0, 1, 2, 3}, {4, 5, 4, 6}})});
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
  // the invalid quad stays whole: its corners 0, 1 and 2 (vertices 4, 5, 4), not its fourth
  auto same = [](const ON_3dPoint& a, const ON_3dPoint& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  };
  EXPECT_TRUE(same(ON_3dPoint(0, 0, 5), corner(2, 0)));
  EXPECT_TRUE(same(ON_3dPoint(1, 0, 5), corner(2, 1)));
  EXPECT_TRUE(same(ON_3dPoint(0, 0, 5), corner(2, 2)));
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

// A corner one past its own mesh's vertices would, once merged, be the next mesh's first
// vertex: the face is judged by its own mesh, as if it stood alone.
TEST_F(WriterTest, AFaceIsCheckedAgainstItsOwnMeshNotTheMerge) {
  const std::vector<ON_3fPoint> own = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  const ON_Mesh next = MakeMesh({{5, 5, 5}, {6, 5, 5}, {5, 6, 5}}, {{0, 1, 2}});
  const std::vector<double> ownTriangle = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  const std::vector<double> nextTriangle = {5, 5, 5, 6, 5, 5, 5, 6, 5};
  const struct {
    const char* what;
    std::vector<std::vector<int>> faces;
  } cases[] = {
      {"a triangle's corner at the vertex count is left out", {{0, 1, 2}, {0, 1, 3}}},
      {"a quad whose fourth corner is at the vertex count is not split", {{0, 1, 2, 3}}},
  };
  for (const auto& c : cases) {
    ON_ClassArray<ON_Mesh> meshes = Meshes({MakeMesh(own, c.faces), next});
    ASSERT_EQ(1, Write(meshes)) << c.what;
    const Tessellation tess = OnlyTessellation(*Written(OutputPath()));
    std::vector<double> expected = ownTriangle;
    expected.insert(expected.end(), nextTriangle.begin(), nextTriangle.end());
    EXPECT_EQ(expected, tess.coords) << c.what;
    EXPECT_EQ((std::vector<uint32_t>{2}), tess.faces[0].sizes) << c.what;
  }
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
  ON_ClassArray<ON_Mesh> meshes = OneTriangle();
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
    ON_ClassArray<ON_Mesh> meshes = OneTriangle();
    EXPECT_EQ(0, Write(meshes)) << refused;
    EXPECT_STREQ("Unable to create PRC file [Not enough memory]", GetLastErrorText());
    EXPECT_TRUE(session_->host.Leaks().Clean()) << refused;
    EXPECT_FALSE(testenv::FileExists(OutputPath()));
  }
  EXPECT_EQ("A3DDllTerminate", EntryCalls(LibraryCalls()).back());
}

// BuildPrcModel given a mesh that still holds a quad, with each allocation of the toolkit
// refused in turn (the copy, its split, its normals, its topology): each ends the conversion
// with the memory text after the whole library cycle, with nothing written and nothing kept.
TEST_F(WriterTest, EachToolkitAllocationRefusedEndsTheConversion) {
  const ON_Mesh mesh =
      MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}}, {{0, 1, 2, 3}, {0, 1, 4}});
  CString path(OutputPath().c_str());
  int refused = 0;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n) + " refused");
    std::remove(scratch_.File("a3d.log").c_str());
    session_.emplace();
    KvFailArrayAllocationForTesting(n);
    const int result = BuildPrcModel(mesh, path);
    const int allocations = KvArrayAllocationsForTesting();
    KvFailArrayAllocationForTesting(0);
    if (allocations < n) {
      EXPECT_EQ(1, result);
      break;
    }
    ++refused;
    EXPECT_EQ(0, result);
    EXPECT_STREQ("Unable to create PRC file [Not enough memory]", GetLastErrorText());
    EXPECT_EQ("A3DDllTerminate", EntryCalls(LibraryCalls()).back());
    EXPECT_TRUE(session_->host.Leaks().Clean());
    EXPECT_FALSE(testenv::FileExists(OutputPath()));
  }
  EXPECT_GE(refused, 6) << "the copy's two arrays, its split, its normals, its topology";
}

// Each model-building call the library refuses ends the conversion with its step's text: the
// calls after it are not made, the model file (once made) is deleted, the arrays go back, the
// library is terminated and unloaded, and no file is left at the path, not even an earlier
// one that a failed write would leave looking like this conversion's.
TEST_F(WriterTest, EachRefusedLibraryCallEndsTheConversionWithItsStepsText) {
  const struct {
    const char* refused;  // KV_A3D_FAIL_CALL
    size_t step;          // its place among the eleven calls
    const char* text;
  } cases[] = {
      {"A3DTess3DCreate", 0, "Unable to create PRC file [The 3D library refused the tessellation]"},
      {"A3DTessBaseSet", 1, "Unable to create PRC file [The 3D library refused the tessellation]"},
      {"A3DRiPolyBrepModelCreate", 2,
       "Unable to create PRC file [The 3D library refused the representation item]"},
      {"A3DRiRepresentationItemSet", 3,
       "Unable to create PRC file [The 3D library refused the representation item]"},
      {"A3DAsmPartDefinitionCreate", 4,
       "Unable to create PRC file [The 3D library refused the part definition]"},
      {"A3DAsmProductOccurrenceCreate", 5,
       "Unable to create PRC file [The 3D library refused the product occurrence]"},
      {"A3DRootBaseSet:1", 6,
       "Unable to create PRC file [The 3D library refused the product occurrence]"},
      {"A3DAsmModelFileCreate", 7,
       "Unable to create PRC file [The 3D library refused the model file]"},
      {"A3DRootBaseSet:2", 8, "Unable to create PRC file [The 3D library refused the model file]"},
      {"A3DAsmModelFileWriteToFile", 9,
       "Unable to create PRC file [The file could not be written]"},
  };
  const size_t kModelFileMade = 8;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refused);
    std::remove(scratch_.File("a3d.log").c_str());
    std::ofstream(OutputPath()) << "an earlier file";
    testenv::ScopedEnv refused("KV_A3D_FAIL_CALL", c.refused);
    session_.emplace();
    ON_ClassArray<ON_Mesh> meshes = OneTriangle();
    {
      ReleasesInTheLibraryLog marked(session_->host, scratch_.File("a3d.log"));
      EXPECT_EQ(0, Write(meshes));
    }
    EXPECT_STREQ(c.text, GetLastErrorText());

    std::vector<std::string> expected(kElevenCalls.begin(), kElevenCalls.begin() + c.step + 1);
    if (c.step >= kModelFileMade)
      expected.push_back("A3DAsmModelFileDelete");
    expected.insert(expected.end(), kReleases.begin(), kReleases.end());
    EXPECT_EQ(WithLibraryCycle(expected), CallsAndReleases(LibraryLog()));
    EXPECT_NE(std::string::npos, LibraryLog().find("\nunload ")) << "the library is unloaded";
    EXPECT_TRUE(session_->host.Leaks().Clean());
    EXPECT_EQ(c.step < kElevenCalls.size() - 2, testenv::FileExists(OutputPath()))
        << "only a failed write removes the file at the path";
    std::remove(OutputPath().c_str());
  }
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
