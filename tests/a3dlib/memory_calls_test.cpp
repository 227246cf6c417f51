// The library's calls and memory: an array is taken whole whatever its count, as long as this
// process can hold it; a count whose bytes no process of this build could address is refused;
// and every allocation that fails is answered with kErrNoMemory and leaves the library as it was.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "standins/a3dlib/model_file.h"
#include "tests/a3dlib/library_fixture.h"

namespace a3dtest {
namespace {

using namespace a3dlib;

// The blocks that hand a tessellation (kept alive by the caller) to A3DTess3DCreate.
struct TessBlocks {
  explicit TessBlocks(a3dstore::Tessellation* tess) {
    for (a3dstore::Face& face : tess->faces) {
      auto block = Sized<TessFaceBlock>();
      block.triangleKind = face.triangleKind;
      block.firstIndex = face.firstIndex;
      block.sizeCount = uint32_t(face.sizes.size());
      block.sizes = face.sizes.data();
      faces.push_back(block);
    }
    block.normalCount = uint32_t(tess->normals.size());
    block.normals = tess->normals.data();
    block.indexCount = uint32_t(tess->indices.size());
    block.indices = tess->indices.data();
    block.faceCount = uint32_t(faces.size());
    block.faces = faces.data();
  }
  std::vector<TessFaceBlock> faces;
  Tess3DBlock block = Sized<Tess3DBlock>();
};

// An array larger than the 2^24 entries that 32-bit builds once refused is taken whole: a
// face of another kind that starts two entries before its end is presented with the last two.
TEST_F(LibraryTest, ArraysAboveTheOld32BitLimitAreTakenWhole) {
  Initialize();
  a3dstore::Tessellation tess;
  tess.indices.resize((size_t(1) << 24) + 1);
  for (size_t i = 0; i < tess.indices.size(); ++i) {
    tess.indices[i] = uint32_t(i * 7);
  }
  tess.faces.push_back({0x04, uint32_t(tess.indices.size() - 2), {}});
  TessBlocks blocks(&tess);
  A3dEntity entity = nullptr;
  ASSERT_EQ(api_.A3DTess3DCreate(&blocks.block, &entity), kA3dSuccess);
  const uint32_t last = tess.indices.back();
  tess = a3dstore::Tessellation();  // the caller frees its arrays

  auto got = Sized<Tess3DBlock>();
  ASSERT_EQ(api_.A3DTess3DGet(entity, &got), kA3dSuccess);
  ASSERT_EQ(got.indexCount, 2u);
  EXPECT_EQ(got.indices[0], last - 7);
  EXPECT_EQ(got.indices[1], last);
  EXPECT_EQ(api_.A3DTess3DGet(nullptr, &got), kA3dSuccess);
}

// On a 32-bit build a count of 2^32-1 doubles or entries is 16 to 32 GB: no caller can hold
// such an array, so the count is refused before anything is read or allocated.
TEST_F(LibraryTest, CountsNoProcessCouldHoldAreRefused) {
  if (sizeof(size_t) > 4) {
    GTEST_SKIP() << "every 32-bit count fits a 64-bit size; the limit's own table covers this";
  }
  Initialize();
  double value = 1;
  uint32_t index = 0;
  auto normals = Sized<Tess3DBlock>();
  normals.normalCount = 0xFFFFFFFFu;
  normals.normals = &value;
  auto indices = Sized<Tess3DBlock>();
  indices.indexCount = 0xFFFFFFFFu;
  indices.indices = &index;
  A3dEntity entity = nullptr;
  EXPECT_EQ(api_.A3DTess3DCreate(&normals, &entity), kErrTooLarge);
  EXPECT_EQ(api_.A3DTess3DCreate(&indices, &entity), kErrTooLarge);
  EXPECT_EQ(entity, nullptr);
  auto empty = Sized<Tess3DBlock>();
  ASSERT_EQ(api_.A3DTess3DCreate(&empty, &entity), kA3dSuccess);
  TessBaseBlock coords{sizeof(TessBaseBlock), 0, 0x20000000u, &value};  // exactly 4 GiB
  EXPECT_EQ(api_.A3DTessBaseSet(entity, &coords), kErrTooLarge);
}

class FailedAllocations : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    Initialize();
  }

  // The library's counts in the middle of a session: terminated to read them, then initialised
  // again (entities outlive termination).
  Counts Snapshot() {
    const Counts counts = TerminateCounts();
    Initialize();
    return counts;
  }

  // Fails each counted allocation of `call` in turn, the first one first, until the call
  // succeeds. Every failure must answer kErrNoMemory and leave the live entities, the attached
  // blocks and what `probe` reads as they were. Answers the failures seen.
  int SweepAllocations(const std::function<A3dStatus()>& call,
                       const std::function<std::string()>& probe) {
    const Counts before = Snapshot();
    const std::string seen = probe();
    for (int32_t skip = 0; skip < 10000; ++skip) {
      failAllocation_(skip);
      const A3dStatus status = call();
      failAllocation_(-1);
      if (status == kA3dSuccess) {
        return skip;
      }
      EXPECT_EQ(status, kErrNoMemory) << "allocation " << skip;
      const Counts after = Snapshot();
      EXPECT_EQ(after.live, before.live) << "allocation " << skip;
      EXPECT_EQ(after.attached, before.attached) << "allocation " << skip;
      EXPECT_EQ(probe(), seen) << "allocation " << skip;
    }
    ADD_FAILURE() << "the call never succeeded";
    return 0;
  }

  static std::string NoProbe() { return ""; }

  A3dEntity CreateTess(a3dstore::Tessellation tess) {
    TessBlocks blocks(&tess);
    A3dEntity entity = nullptr;
    EXPECT_EQ(api_.A3DTess3DCreate(&blocks.block, &entity), kA3dSuccess);
    TessBaseBlock coords{sizeof(TessBaseBlock), 0, uint32_t(tess.coords.size()),
                         tess.coords.data()};
    EXPECT_EQ(api_.A3DTessBaseSet(entity, &coords), kA3dSuccess);
    return entity;
  }

  std::string CoordsOf(A3dEntity tess) {
    auto block = Sized<TessBaseBlock>();
    if (api_.A3DTessBaseGet(tess, &block) != kA3dSuccess) {
      return "no coordinates";
    }
    std::ostringstream text;
    for (uint32_t i = 0; i < block.coordCount; ++i) {
      text << block.coords[i] << ' ';
    }
    EXPECT_EQ(api_.A3DTessBaseGet(nullptr, &block), kA3dSuccess);
    return text.str();
  }

  std::string NameOf(A3dEntity entity) {
    auto block = Sized<RootBaseBlock>();
    if (api_.A3DRootBaseGet(entity, &block) != kA3dSuccess) {
      return "no name";
    }
    const std::string name = block.name ? block.name : "(unnamed)";
    EXPECT_EQ(api_.A3DRootBaseGet(nullptr, &block), kA3dSuccess);
    return name;
  }
};

TEST_F(FailedAllocations, CreateMakesNoEntity) {
  a3dstore::Tessellation tess = TriangleModel().tessellations[0];
  TessBlocks blocks(&tess);
  A3dEntity entity = nullptr;
  EXPECT_GT(SweepAllocations(
                [&] {
                  const A3dStatus status = api_.A3DTess3DCreate(&blocks.block, &entity);
                  EXPECT_EQ(status == kA3dSuccess, entity != nullptr);
                  return status;
                },
                NoProbe),
            0);
  auto occ = Sized<ProductOccurrenceBlock>();
  A3dEntity occurrences[] = {nullptr};
  ASSERT_EQ(api_.A3DAsmProductOccurrenceCreate(&occ, &occurrences[0]), kA3dSuccess);
  auto file = Sized<ModelFileBlock>();
  file.occurrenceCount = 1;
  file.occurrences = occurrences;
  A3dEntity model = nullptr;
  EXPECT_GT(SweepAllocations([&] { return api_.A3DAsmModelFileCreate(&file, &model); }, NoProbe),
            0);
}

TEST_F(FailedAllocations, SetKeepsTheOldValues) {
  const A3dEntity tess = CreateTess(TriangleModel().tessellations[0]);
  std::vector<double> coords(30, 2.5);
  TessBaseBlock block{sizeof(TessBaseBlock), 0, uint32_t(coords.size()), coords.data()};
  EXPECT_GT(SweepAllocations([&] { return api_.A3DTessBaseSet(tess, &block); },
                             [&] { return CoordsOf(tess); }),
            0);
  EXPECT_EQ(CoordsOf(tess).substr(0, 8), "2.5 2.5 ");

  RootBaseBlock name{sizeof(RootBaseBlock), 0, 0, 0, "renamed"};
  RootBaseBlock first{sizeof(RootBaseBlock), 0, 0, 0, "first"};
  ASSERT_EQ(api_.A3DRootBaseSet(tess, &first), kA3dSuccess);
  EXPECT_GT(SweepAllocations([&] { return api_.A3DRootBaseSet(tess, &name); },
                             [&] { return NameOf(tess); }),
            0);
  EXPECT_EQ(NameOf(tess), "renamed");
}

TEST_F(FailedAllocations, GetAttachesNothing) {
  const A3dEntity tess = CreateTess(TriangleModel().tessellations[0]);
  auto block = Sized<Tess3DBlock>();
  EXPECT_GT(SweepAllocations([&] { return api_.A3DTess3DGet(tess, &block); }, NoProbe), 0);
  EXPECT_EQ(block.indexCount, 12u);
  EXPECT_EQ(api_.A3DTess3DGet(nullptr, &block), kA3dSuccess);
}

TEST_F(FailedAllocations, LoadLeavesNoEntity) {
  const std::string path = TempFile("triangle.kva3d");
  ASSERT_TRUE(a3dstore::WriteModelFile(TriangleModel(), path));
  A3dEntity model = nullptr;
  EXPECT_GT(SweepAllocations(
                [&] {
                  const A3dStatus status =
                      api_.A3DAsmModelFileLoadFromFile(path.c_str(), nullptr, &model);
                  EXPECT_EQ(status == kA3dSuccess, model != nullptr);
                  return status;
                },
                NoProbe),
            0);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);
  EXPECT_EQ(TerminateCounts().live, 0u);
}

// A write lends the tessellations' arrays to the tree it writes: a write that runs out of
// memory half-way, with one tessellation lent and the next not yet, must give every array back.
TEST_F(FailedAllocations, WriteLosesNoArray) {
  a3dstore::Model original = TriangleModel();
  original.parts[0].items.push_back(1);
  original.items.push_back(original.items[0]);
  original.items[1].tessellation = 1;
  original.tessellations.push_back(original.tessellations[0]);
  original.tessellations[1].coords[0] = 42;
  const A3dEntity model = LoadThroughLibrary(original);
  const WriteParamsBlock params{sizeof(WriteParamsBlock), 0, 0, 0, 0, 0, 0};
  const std::string path = TempFile("written.kva3d");
  const std::string probePath = TempFile("probe.kva3d");
  auto whole = [&] {
    if (api_.A3DAsmModelFileWriteToFile(model, &params, probePath.c_str()) != kA3dSuccess) {
      return std::string("not written");
    }
    a3dstore::Model written;
    const a3dstore::LoadStatus status = a3dstore::LoadModelFile(probePath, &written);
    return std::string(status == a3dstore::LoadStatus::kOk && written == original ? "whole"
                                                                                  : "lost");
  };
  EXPECT_EQ(whole(), "whole");
  EXPECT_GT(
      SweepAllocations(
          [&] { return api_.A3DAsmModelFileWriteToFile(model, &params, path.c_str()); }, whole),
      0);
  a3dstore::Model written;
  ASSERT_EQ(a3dstore::LoadModelFile(path, &written), a3dstore::LoadStatus::kOk);
  EXPECT_EQ(written, original);
}

}  // namespace
}  // namespace a3dtest
