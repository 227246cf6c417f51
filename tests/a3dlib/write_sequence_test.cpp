// The calls the plug-in's writer makes, in its order, and what the written file holds.
#include <gtest/gtest.h>

#include <vector>

#include "standins/a3dlib/model_file.h"
#include "tests/a3dlib/library_fixture.h"

namespace a3dtest {
namespace {

using namespace a3dlib;

class WriteSequence : public LibraryTest {
 protected:
  // Builds the triangle model from arrays that are overwritten as soon as each create call
  // returns, as a caller that frees them would leave them; answers the model file.
  A3dEntity BuildTriangleModel() {
    const a3dstore::Tessellation expected = TriangleModel().tessellations[0];
    std::vector<double> normals = expected.normals;
    std::vector<uint32_t> indices = expected.indices;
    std::vector<uint32_t> sizes = {2};
    TessFaceBlock face{};
    face.size = sizeof face;
    face.triangleKind = kA3dFaceTrianglesOneNormal;
    face.firstIndex = 0;
    face.sizeCount = 1;
    face.sizes = sizes.data();
    Tess3DBlock tessBlock{};
    tessBlock.size = sizeof tessBlock;
    tessBlock.normalCount = uint32_t(normals.size());
    tessBlock.normals = normals.data();
    tessBlock.indexCount = uint32_t(indices.size());
    tessBlock.indices = indices.data();
    tessBlock.faceCount = 1;
    tessBlock.faces = &face;
    A3dEntity tess = nullptr;
    EXPECT_EQ(api_.A3DTess3DCreate(&tessBlock, &tess), kA3dSuccess);
    normals.assign(normals.size(), -7.0);
    indices.assign(indices.size(), 99u);
    sizes[0] = 99;
    face.triangleKind = 0;

    std::vector<double> coords = expected.coords;
    TessBaseBlock baseBlock{sizeof(TessBaseBlock), 0, uint32_t(coords.size()), coords.data()};
    EXPECT_EQ(api_.A3DTessBaseSet(tess, &baseBlock), kA3dSuccess);
    coords.assign(coords.size(), -7.0);

    PolyBrepBlock brepBlock{sizeof(PolyBrepBlock), 1};
    A3dEntity item = nullptr;
    EXPECT_EQ(api_.A3DRiPolyBrepModelCreate(&brepBlock, &item), kA3dSuccess);
    RepItemBlock itemBlock{sizeof(RepItemBlock), 0, tess, 0};
    EXPECT_EQ(api_.A3DRiRepresentationItemSet(item, &itemBlock), kA3dSuccess);

    A3dEntity items[] = {item};
    PartDefinitionBlock partBlock{};
    partBlock.size = sizeof partBlock;
    partBlock.repItemCount = 1;
    partBlock.repItems = items;
    A3dEntity part = nullptr;
    EXPECT_EQ(api_.A3DAsmPartDefinitionCreate(&partBlock, &part), kA3dSuccess);
    items[0] = nullptr;

    ProductOccurrenceBlock occBlock{};
    occBlock.size = sizeof occBlock;
    occBlock.partDefinition = part;
    A3dEntity occurrence = nullptr;
    EXPECT_EQ(api_.A3DAsmProductOccurrenceCreate(&occBlock, &occurrence), kA3dSuccess);
    SetName(occurrence, "Model");

    A3dEntity occurrences[] = {occurrence};
    ModelFileBlock modelBlock{};
    modelBlock.size = sizeof modelBlock;
    modelBlock.unit = 1.0;
    modelBlock.occurrenceCount = 1;
    modelBlock.occurrences = occurrences;
    A3dEntity model = nullptr;
    EXPECT_EQ(api_.A3DAsmModelFileCreate(&modelBlock, &model), kA3dSuccess);
    occurrences[0] = nullptr;
    SetName(model, "ModelFile");
    return model;
  }

  void SetName(A3dEntity entity, const char* name) {
    std::string copy = name;
    RootBaseBlock block{sizeof(RootBaseBlock), 0, 0, 0, copy.c_str()};
    EXPECT_EQ(api_.A3DRootBaseSet(entity, &block), kA3dSuccess);
    copy.assign(copy.size(), 'x');
  }

  static WriteParamsBlock Params() {
    return WriteParamsBlock{
        sizeof(WriteParamsBlock), 0, 0x11223344u, 0x5566, 0x7788, 0x99AABBCCu, 7};
  }
};

TEST_F(WriteSequence, WritesTheTreeAsBuilt) {
  Initialize();
  const A3dEntity model = BuildTriangleModel();
  const std::string path = TempFile("written.kva3d");
  const WriteParamsBlock params = Params();
  ASSERT_EQ(api_.A3DAsmModelFileWriteToFile(model, &params, path.c_str()), kA3dSuccess);
  ASSERT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);
  const Counts counts = TerminateCounts();
  EXPECT_EQ(counts.live, 0u) << "the model file owned everything created for it";
  EXPECT_EQ(counts.attached, 0u);

  a3dstore::Model written;
  ASSERT_EQ(a3dstore::LoadModelFile(path, &written), a3dstore::LoadStatus::kOk);
  a3dstore::Model expected = TriangleModel();
  expected.file.writeParams = {0x11223344u, 0x5566, 0x7788, 0x99AABBCCu, 7};
  EXPECT_EQ(written, expected);
}

TEST_F(WriteSequence, LogsEachCall) {
  Initialize();
  const A3dEntity model = BuildTriangleModel();
  const std::string path = TempFile("logged.kva3d");
  const WriteParamsBlock params = Params();
  ASSERT_EQ(api_.A3DAsmModelFileWriteToFile(model, &params, path.c_str()), kA3dSuccess);
  std::vector<std::string> calls;
  for (const std::string& line : LogLines()) {
    calls.push_back(line.substr(0, line.find(' ')));
  }
  EXPECT_EQ(calls,
            (std::vector<std::string>{
                "A3DDllGetVersion", "A3DDllInitialize", "A3DTess3DCreate", "A3DTessBaseSet",
                "A3DRiPolyBrepModelCreate", "A3DRiRepresentationItemSet",
                "A3DAsmPartDefinitionCreate", "A3DAsmProductOccurrenceCreate", "A3DRootBaseSet",
                "A3DAsmModelFileCreate", "A3DRootBaseSet", "A3DAsmModelFileWriteToFile"}));
  const std::vector<std::string> lines = LogLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[2].rfind("A3DTess3DCreate normals=6 indices=8 faces=1 -> 0 #", 0), 0u)
      << lines[2];
}

// A tree that comes from a file can be written again: the walk follows its sharing and
// cycles, and a second delete of the same handle is refused.
TEST_F(WriteSequence, LoadedTreeWritesBackUnchanged) {
  Initialize();
  a3dstore::Model original = TriangleModel();
  original.occurrences.push_back(original.occurrences[0]);
  original.occurrences[0].children = {1, 0};
  original.occurrences[1].firstLinked = 0;
  const A3dEntity model = LoadThroughLibrary(original);
  const std::string path = TempFile("again.kva3d");
  const WriteParamsBlock params = Params();
  ASSERT_EQ(api_.A3DAsmModelFileWriteToFile(model, &params, path.c_str()), kA3dSuccess);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(model), kErrInvalidEntity);
  EXPECT_EQ(TerminateCounts().live, 0u);
  a3dstore::Model again;
  ASSERT_EQ(a3dstore::LoadModelFile(path, &again), a3dstore::LoadStatus::kOk);
  original.file.writeParams = again.file.writeParams;
  EXPECT_EQ(again, original);
}

TEST_F(WriteSequence, WriteFailsWhenTheTreeLostAnEntity) {
  Initialize();
  const A3dEntity model = BuildTriangleModel();
  A3dEntity occurrences[1] = {};
  ModelFileBlock get{};
  get.size = sizeof get;
  ASSERT_EQ(api_.A3DAsmModelFileGet(model, &get), kA3dSuccess);
  occurrences[0] = get.occurrences[0];
  ASSERT_EQ(api_.A3DAsmModelFileGet(nullptr, &get), kA3dSuccess);
  ModelFileBlock sharing{};
  sharing.size = sizeof sharing;
  sharing.occurrenceCount = 1;
  sharing.occurrences = occurrences;
  A3dEntity second = nullptr;
  ASSERT_EQ(api_.A3DAsmModelFileCreate(&sharing, &second), kA3dSuccess);
  ASSERT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);  // takes the shared tree along
  const WriteParamsBlock params = Params();
  const std::string path = TempFile("lost.kva3d");
  EXPECT_EQ(api_.A3DAsmModelFileWriteToFile(second, &params, path.c_str()), kErrInvalidEntity);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(second), kA3dSuccess);
  EXPECT_EQ(TerminateCounts().live, 0u);
}

TEST_F(WriteSequence, UnwritablePathIsAnError) {
  Initialize();
  const A3dEntity model = BuildTriangleModel();
  const WriteParamsBlock params = Params();
  EXPECT_EQ(api_.A3DAsmModelFileWriteToFile(model, &params, "no-such-folder/x/y.kva3d"),
            kErrFileWrite);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);
}

// A write works from the entities' own arrays: after a failed write and a first write, a
// second still finds every coordinate, normal and index there.
TEST_F(WriteSequence, EveryWriteOfATreeWritesItWhole) {
  Initialize();
  const A3dEntity model = BuildTriangleModel();
  const WriteParamsBlock params = Params();
  ASSERT_EQ(api_.A3DAsmModelFileWriteToFile(model, &params, "no-such-folder/x/y.kva3d"),
            kErrFileWrite);
  a3dstore::Model expected = TriangleModel();
  expected.file.writeParams = {0x11223344u, 0x5566, 0x7788, 0x99AABBCCu, 7};
  for (const char* name : {"first.kva3d", "second.kva3d"}) {
    const std::string path = TempFile(name);
    ASSERT_EQ(api_.A3DAsmModelFileWriteToFile(model, &params, path.c_str()), kA3dSuccess);
    a3dstore::Model written;
    ASSERT_EQ(a3dstore::LoadModelFile(path, &written), a3dstore::LoadStatus::kOk) << name;
    EXPECT_EQ(written, expected) << name;
  }
  EXPECT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);
}

}  // namespace
}  // namespace a3dtest
