// Reading a loaded file through the library as the plug-in's reader does, and the attached
// blocks that each Get leaves until it is given back.
#include <gtest/gtest.h>

#include "standins/a3dlib/model_file.h"
#include "tests/a3dlib/library_fixture.h"
#include "tests/a3dlib/rich_model.h"

namespace a3dtest {
namespace {

using namespace a3dlib;

// The handles of the first entity of each kind, found through the Gets of their parents
// (each block given back at once).
struct Path {
  A3dEntity model = nullptr;
  A3dEntity occurrence = nullptr;
  A3dEntity part = nullptr;
  A3dEntity item = nullptr;
  A3dEntity tess = nullptr;
};

class ReadCalls : public LibraryTest {
 protected:
  // Walks down to `last` (whose own Get is not called).
  Path Walk(A3dEntity model, A3dEntity Path::*last = &Path::tess) {
    Path path;
    path.model = model;
    if (last == &Path::model) {
      return path;
    }
    auto file = Sized<ModelFileBlock>();
    EXPECT_EQ(api_.A3DAsmModelFileGet(model, &file), kA3dSuccess);
    path.occurrence = file.occurrenceCount ? file.occurrences[0] : nullptr;
    EXPECT_EQ(api_.A3DAsmModelFileGet(nullptr, &file), kA3dSuccess);
    if (last == &Path::occurrence) {
      return path;
    }
    auto occ = Sized<ProductOccurrenceBlock>();
    EXPECT_EQ(api_.A3DAsmProductOccurrenceGet(path.occurrence, &occ), kA3dSuccess);
    path.part = occ.partDefinition;
    EXPECT_EQ(api_.A3DAsmProductOccurrenceGet(nullptr, &occ), kA3dSuccess);
    if (last == &Path::part) {
      return path;
    }
    auto part = Sized<PartDefinitionBlock>();
    EXPECT_EQ(api_.A3DAsmPartDefinitionGet(path.part, &part), kA3dSuccess);
    path.item = part.repItemCount ? part.repItems[0] : nullptr;
    EXPECT_EQ(api_.A3DAsmPartDefinitionGet(nullptr, &part), kA3dSuccess);
    if (last == &Path::item) {
      return path;
    }
    auto item = Sized<RepItemBlock>();
    EXPECT_EQ(api_.A3DRiRepresentationItemGet(path.item, &item), kA3dSuccess);
    path.tess = item.tessellation;
    EXPECT_EQ(api_.A3DRiRepresentationItemGet(nullptr, &item), kA3dSuccess);
    return path;
  }

  std::string NameOf(A3dEntity entity) {
    auto block = Sized<RootBaseBlock>();
    EXPECT_EQ(api_.A3DRootBaseGet(entity, &block), kA3dSuccess);
    const std::string name = block.name ? block.name : "(unnamed)";
    EXPECT_EQ(api_.A3DRootBaseGet(nullptr, &block), kA3dSuccess);
    return name;
  }

  int32_t TypeOf(A3dEntity entity) {
    int32_t type = 0;
    EXPECT_EQ(api_.A3DEntityGetType(entity, &type), kA3dSuccess);
    return type;
  }
};

TEST_F(ReadCalls, WalksTheWrittenTree) {
  Initialize();
  const Path path = Walk(LoadThroughLibrary(TriangleModel()));
  ASSERT_NE(path.tess, nullptr);
  EXPECT_EQ(NameOf(path.model), "ModelFile");
  EXPECT_EQ(NameOf(path.occurrence), "Model");
  EXPECT_EQ(NameOf(path.part), "(unnamed)");
  EXPECT_EQ(TypeOf(path.model), kTypeModelFile);
  EXPECT_EQ(TypeOf(path.occurrence), kTypeProductOccurrence);
  EXPECT_EQ(TypeOf(path.part), kTypePartDefinition);
  EXPECT_EQ(TypeOf(path.item), kTypeRiPolyBrepModel);
  EXPECT_EQ(TypeOf(path.tess), kA3dTypeTess3D);

  auto model = Sized<ModelFileBlock>();
  ASSERT_EQ(api_.A3DAsmModelFileGet(path.model, &model), kA3dSuccess);
  EXPECT_EQ(model.unit, 1.0);
  EXPECT_EQ(model.occurrenceCount, 1u);
  ASSERT_EQ(api_.A3DAsmModelFileGet(nullptr, &model), kA3dSuccess);
  auto occ = Sized<ProductOccurrenceBlock>();
  ASSERT_EQ(api_.A3DAsmProductOccurrenceGet(path.occurrence, &occ), kA3dSuccess);
  EXPECT_EQ(occ.childCount, 0u);
  EXPECT_EQ(occ.firstLinked, nullptr);
  EXPECT_EQ(occ.secondLinked, nullptr);
  ASSERT_EQ(api_.A3DAsmProductOccurrenceGet(nullptr, &occ), kA3dSuccess);

  auto base = Sized<TessBaseBlock>();
  ASSERT_EQ(api_.A3DTessBaseGet(path.tess, &base), kA3dSuccess);
  const std::vector<double> coords(base.coords, base.coords + base.coordCount);
  EXPECT_EQ(coords, TriangleModel().tessellations[0].coords);
  auto tess = Sized<Tess3DBlock>();
  ASSERT_EQ(api_.A3DTess3DGet(path.tess, &tess), kA3dSuccess);
  EXPECT_EQ(std::vector<double>(tess.normals, tess.normals + tess.normalCount),
            TriangleModel().tessellations[0].normals);
  ASSERT_EQ(tess.faceCount, 1u);
  const TessFaceBlock& face = tess.faces[0];
  EXPECT_EQ(face.size, sizeof(TessFaceBlock));
  EXPECT_EQ(face.triangleKind, kA3dFaceTrianglesOneNormal);
  ASSERT_EQ(face.sizeCount, 1u);
  ASSERT_EQ(face.sizes[0], 2u);
  ASSERT_EQ(tess.indexCount, face.firstIndex + 12);
  // What the reader takes: entries 1, 3 and 5 of each six are corner positions in doubles.
  std::vector<uint32_t> corners;
  for (uint32_t t = 0; t < face.sizes[0]; ++t) {
    for (uint32_t k : {1u, 3u, 5u}) {
      corners.push_back(tess.indices[face.firstIndex + 6 * t + k]);
    }
  }
  EXPECT_EQ(corners, (std::vector<uint32_t>{0, 3, 6, 9, 12, 15}));
  EXPECT_EQ(tess.indices[face.firstIndex + 6], 3u) << "the second triangle's normal";

  const Counts held = TerminateCounts();
  EXPECT_EQ(held.attached, 2u) << "the two tessellation blocks";
  Initialize();
  EXPECT_EQ(api_.A3DTessBaseGet(nullptr, &base), kA3dSuccess);
  EXPECT_EQ(api_.A3DTess3DGet(nullptr, &tess), kA3dSuccess);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(path.model), kA3dSuccess);
  const Counts released = TerminateCounts();
  EXPECT_EQ(released.live, 0u);
  EXPECT_EQ(released.attached, 0u);
}

TEST_F(ReadCalls, SharedEntitiesAndCyclesHaveOneHandle) {
  Initialize();
  const A3dEntity model = LoadThroughLibrary(RichModel());
  auto file = Sized<ModelFileBlock>();
  ASSERT_EQ(api_.A3DAsmModelFileGet(model, &file), kA3dSuccess);
  ASSERT_EQ(file.occurrenceCount, 2u);
  const A3dEntity first = file.occurrences[0];
  const A3dEntity second = file.occurrences[1];
  auto occ0 = Sized<ProductOccurrenceBlock>();
  ASSERT_EQ(api_.A3DAsmProductOccurrenceGet(first, &occ0), kA3dSuccess);
  ASSERT_EQ(occ0.childCount, 1u);
  auto occ2 = Sized<ProductOccurrenceBlock>();
  ASSERT_EQ(api_.A3DAsmProductOccurrenceGet(occ0.children[0], &occ2), kA3dSuccess);
  ASSERT_EQ(occ2.childCount, 2u);
  EXPECT_EQ(occ2.children[0], first) << "a cycle back to the root";
  EXPECT_EQ(occ2.children[1], occ0.children[0]) << "its own child";
  EXPECT_EQ(occ2.secondLinked, second);
  EXPECT_EQ(occ2.partDefinition, nullptr);
  EXPECT_EQ(NameOf(occ0.children[0]), "(unnamed)");
  EXPECT_EQ(NameOf(second), "") << "named, with an empty name";
  // Both blocks are given back from copies: the fields tell which attachment they are.
  ProductOccurrenceBlock copy0 = occ0;
  ProductOccurrenceBlock copy2 = occ2;
  EXPECT_EQ(api_.A3DAsmProductOccurrenceGet(nullptr, &copy2), kA3dSuccess);
  EXPECT_EQ(api_.A3DAsmProductOccurrenceGet(nullptr, &copy0), kA3dSuccess);
  EXPECT_EQ(api_.A3DAsmProductOccurrenceGet(nullptr, &occ0), kErrNotAttached) << "given back";
  EXPECT_EQ(api_.A3DAsmModelFileGet(nullptr, &file), kA3dSuccess);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);
  const Counts counts = TerminateCounts();
  EXPECT_EQ(counts.live, 0u);
  EXPECT_EQ(counts.attached, 0u);
}

TEST_F(ReadCalls, TessellationOfAnotherType) {
  Initialize();
  a3dstore::Model model = TriangleModel();
  model.tessellations[0].type = 170;
  const Path path = Walk(LoadThroughLibrary(model));
  EXPECT_EQ(TypeOf(path.tess), 170);
  auto tess = Sized<Tess3DBlock>();
  EXPECT_EQ(api_.A3DTess3DGet(path.tess, &tess), kErrWrongType);
  EXPECT_EQ(tess.indices, nullptr) << "a refused Get leaves the block alone";
  auto base = Sized<TessBaseBlock>();
  EXPECT_EQ(api_.A3DTessBaseGet(path.tess, &base), kA3dSuccess);
  EXPECT_EQ(base.coordCount, 18u);
  EXPECT_EQ(api_.A3DTessBaseGet(nullptr, &base), kA3dSuccess);
  EXPECT_EQ(TerminateCounts().attached, 0u);
}

TEST_F(ReadCalls, OtherItemKindAndNoTessellation) {
  Initialize();
  a3dstore::Model model = TriangleModel();
  model.items[0].kind = a3dstore::ItemKind::kOther;
  model.items[0].tessellation = a3dstore::kNoRef;
  const Path path = Walk(LoadThroughLibrary(model));
  EXPECT_EQ(TypeOf(path.item), kTypeRiOther);
  EXPECT_EQ(path.tess, nullptr);
}

struct FlagCase {
  const char* what;
  uint32_t flag;
  A3dEntity Path::*target;
};

class FlaggedEntity : public ReadCalls, public ::testing::WithParamInterface<FlagCase> {
 protected:
  // The status of the call a flag is about, on the flagged entity.
  A3dStatus Call(uint32_t flag, A3dEntity Path::*target, const Path& path) {
    const A3dEntity entity = path.*target;
    if (flag == a3dstore::kFailGetType) {
      int32_t type = 0;
      return api_.A3DEntityGetType(entity, &type);
    }
    if (flag == a3dstore::kFailRootBaseGet) {
      auto block = Sized<RootBaseBlock>();
      return api_.A3DRootBaseGet(entity, &block);
    }
    if (flag == a3dstore::kFailTessBaseGet) {
      auto block = Sized<TessBaseBlock>();
      return api_.A3DTessBaseGet(entity, &block);
    }
    if (target == &Path::model) {
      auto block = Sized<ModelFileBlock>();
      return api_.A3DAsmModelFileGet(entity, &block);
    }
    if (target == &Path::occurrence) {
      auto block = Sized<ProductOccurrenceBlock>();
      return api_.A3DAsmProductOccurrenceGet(entity, &block);
    }
    if (target == &Path::part) {
      auto block = Sized<PartDefinitionBlock>();
      return api_.A3DAsmPartDefinitionGet(entity, &block);
    }
    if (target == &Path::item) {
      auto block = Sized<RepItemBlock>();
      return api_.A3DRiRepresentationItemGet(entity, &block);
    }
    auto block = Sized<Tess3DBlock>();
    return api_.A3DTess3DGet(entity, &block);
  }
};

a3dstore::Base* FlaggedBase(a3dstore::Model* model, A3dEntity Path::*target) {
  if (target == &Path::model) {
    return &model->file.base;
  }
  if (target == &Path::occurrence) {
    return &model->occurrences[0].base;
  }
  if (target == &Path::part) {
    return &model->parts[0].base;
  }
  if (target == &Path::item) {
    return &model->items[0].base;
  }
  return &model->tessellations[0].base;
}

TEST_P(FlaggedEntity, FailsOnlyItsCall) {
  Initialize();
  a3dstore::Model model = TriangleModel();
  FlaggedBase(&model, GetParam().target)->flags = GetParam().flag;
  const A3dEntity loaded = LoadThroughLibrary(model);
  const Path path = Walk(loaded, GetParam().target);
  ASSERT_NE(path.*GetParam().target, nullptr);
  EXPECT_EQ(Call(GetParam().flag, GetParam().target, path), kErrForcedFailure);
  for (uint32_t other : {a3dstore::kFailGet, a3dstore::kFailRootBaseGet, a3dstore::kFailGetType}) {
    if (other != GetParam().flag) {
      EXPECT_NE(Call(other, GetParam().target, path), kErrForcedFailure) << other;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, FlaggedEntity,
    ::testing::Values(FlagCase{"modelGet", a3dstore::kFailGet, &Path::model},
                      FlagCase{"occurrenceGet", a3dstore::kFailGet, &Path::occurrence},
                      FlagCase{"partGet", a3dstore::kFailGet, &Path::part},
                      FlagCase{"itemGet", a3dstore::kFailGet, &Path::item},
                      FlagCase{"tess3DGet", a3dstore::kFailGet, &Path::tess},
                      FlagCase{"tessBaseGet", a3dstore::kFailTessBaseGet, &Path::tess},
                      FlagCase{"partName", a3dstore::kFailRootBaseGet, &Path::part},
                      FlagCase{"occurrenceName", a3dstore::kFailRootBaseGet, &Path::occurrence},
                      FlagCase{"itemType", a3dstore::kFailGetType, &Path::item},
                      FlagCase{"tessType", a3dstore::kFailGetType, &Path::tess}),
    [](const auto& info) { return std::string(info.param.what); });

// Gets that are never given back stay counted; each release takes one away.
TEST_F(ReadCalls, EveryGetIsCountedUntilGivenBack) {
  Initialize();
  const Path path = Walk(LoadThroughLibrary(TriangleModel()));
  auto item = Sized<RepItemBlock>();
  auto name = Sized<RootBaseBlock>();
  auto unnamed = Sized<RootBaseBlock>();
  auto attributes = Sized<CascadedAttributesBlock>();
  A3dEntity cascade = nullptr;
  ASSERT_EQ(api_.A3DMiscCascadedAttributesCreate(&cascade), kA3dSuccess);
  ASSERT_EQ(api_.A3DMiscCascadedAttributesPush(cascade, path.item, nullptr), kA3dSuccess);
  ASSERT_EQ(api_.A3DRiRepresentationItemGet(path.item, &item), kA3dSuccess);
  ASSERT_EQ(api_.A3DRootBaseGet(path.occurrence, &name), kA3dSuccess);
  ASSERT_EQ(api_.A3DRootBaseGet(path.part, &unnamed), kA3dSuccess);
  ASSERT_EQ(api_.A3DMiscCascadedAttributesGet(cascade, &attributes), kA3dSuccess);
  EXPECT_EQ(TerminateCounts().attached, 4u);
  Initialize();
  EXPECT_EQ(api_.A3DRootBaseGet(nullptr, &unnamed), kA3dSuccess);
  EXPECT_EQ(api_.A3DRootBaseGet(nullptr, &unnamed), kErrNotAttached);
  EXPECT_EQ(api_.A3DRiRepresentationItemGet(nullptr, &item), kA3dSuccess);
  EXPECT_EQ(api_.A3DMiscCascadedAttributesGet(nullptr, &attributes), kA3dSuccess);
  EXPECT_EQ(api_.A3DRootBaseGet(nullptr, &name), kA3dSuccess);
  EXPECT_EQ(api_.A3DMiscCascadedAttributesDelete(cascade), kA3dSuccess);
  EXPECT_EQ(api_.A3DAsmModelFileDelete(path.model), kA3dSuccess);
  const Counts counts = TerminateCounts();
  EXPECT_EQ(counts.live, 0u);
  EXPECT_EQ(counts.attached, 0u);
}

// Loading and deleting a chain deeper than any stack: the library's walks keep their own
// work list.
TEST_F(ReadCalls, MillionDeepChainLoadsAndDeletes) {
  Initialize();
  constexpr uint32_t kDepth = 1000000;
  a3dstore::Model chain;
  chain.file.occurrences = {0};
  chain.occurrences.resize(kDepth);
  for (uint32_t i = 0; i + 1 < kDepth; ++i) {
    chain.occurrences[i].children = {i + 1};
  }
  const A3dEntity model = LoadThroughLibrary(chain);
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(TerminateCounts().live, kDepth + 1);
  Initialize();
  EXPECT_EQ(api_.A3DAsmModelFileDelete(model), kA3dSuccess);
  EXPECT_EQ(TerminateCounts().live, 0u);
}

}  // namespace
}  // namespace a3dtest
