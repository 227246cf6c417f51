// Every way a call can be given something wrong answers an error code: null and unknown
// handles, handles of another kind, blocks of the wrong size, counts whose arrays are null.
// A failed call creates nothing and attaches nothing.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/a3dlib/library_fixture.h"
#include "tests/a3dlib/module_access.h"

namespace a3dtest {
namespace {

using namespace a3dlib;

// What each case may use: the library and one live entity of each kind.
struct Live {
  const A3dApi& api;
  A3dEntity model, occurrence, part, item, tess, attributes;
};

const A3dEntity kUnknown = reinterpret_cast<A3dEntity>(uintptr_t(0x7777));
const WriteParamsBlock kParams{sizeof(WriteParamsBlock), 0, 0, 0, 0, 0, 0};

struct ErrorCase {
  const char* what;
  std::function<A3dStatus(const Live&)> call;
  A3dStatus expected;
};

class CallErrors : public LibraryTest, public ::testing::WithParamInterface<ErrorCase> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    Initialize();
    double normal[] = {0, 0, 1};
    auto tessBlock = Sized<Tess3DBlock>();
    tessBlock.normalCount = 3;
    tessBlock.normals = normal;
    ASSERT_EQ(api_.A3DTess3DCreate(&tessBlock, &tess_), kA3dSuccess);
    auto brep = Sized<PolyBrepBlock>();
    ASSERT_EQ(api_.A3DRiPolyBrepModelCreate(&brep, &item_), kA3dSuccess);
    RepItemBlock itemBlock{sizeof(RepItemBlock), 0, tess_, 0};
    ASSERT_EQ(api_.A3DRiRepresentationItemSet(item_, &itemBlock), kA3dSuccess);
    auto partBlock = Sized<PartDefinitionBlock>();
    partBlock.repItemCount = 1;
    partBlock.repItems = &item_;
    ASSERT_EQ(api_.A3DAsmPartDefinitionCreate(&partBlock, &part_), kA3dSuccess);
    auto occBlock = Sized<ProductOccurrenceBlock>();
    occBlock.partDefinition = part_;
    ASSERT_EQ(api_.A3DAsmProductOccurrenceCreate(&occBlock, &occurrence_), kA3dSuccess);
    auto modelBlock = Sized<ModelFileBlock>();
    modelBlock.occurrenceCount = 1;
    modelBlock.occurrences = &occurrence_;
    ASSERT_EQ(api_.A3DAsmModelFileCreate(&modelBlock, &model_), kA3dSuccess);
    ASSERT_EQ(api_.A3DMiscCascadedAttributesCreate(&attributes_), kA3dSuccess);
  }

  Live live() const { return Live{api_, model_, occurrence_, part_, item_, tess_, attributes_}; }

  A3dEntity model_ = nullptr, occurrence_ = nullptr, part_ = nullptr, item_ = nullptr,
            tess_ = nullptr, attributes_ = nullptr;
};

TEST_P(CallErrors, AnswersItsCodeAndLeavesNothingBehind) {
  EXPECT_EQ(GetParam().call(live()), GetParam().expected);
  ASSERT_EQ(api_.A3DAsmModelFileDelete(model_), kA3dSuccess);
  ASSERT_EQ(api_.A3DMiscCascadedAttributesDelete(attributes_), kA3dSuccess);
  const Counts counts = TerminateCounts();
  EXPECT_EQ(counts.live, 0u);
  EXPECT_EQ(counts.attached, 0u);
}

std::string CaseName(const ::testing::TestParamInfo<ErrorCase>& info) {
  return info.param.what;
}

#define KV_CASE(name, expected, ...)                                 \
  ErrorCase {                                                        \
#name, [](const Live& l) -> A3dStatus { __VA_ARGS__; }, expected \
  }

INSTANTIATE_TEST_SUITE_P(
    Handles, CallErrors,
    ::testing::Values(
        KV_CASE(tessBaseSetNull, kErrInvalidEntity, auto b = Sized<TessBaseBlock>();
                return l.api.A3DTessBaseSet(nullptr, &b)),
        KV_CASE(tessBaseSetUnknown, kErrInvalidEntity, auto b = Sized<TessBaseBlock>();
                return l.api.A3DTessBaseSet(kUnknown, &b)),
        KV_CASE(tessBaseSetOnItem, kErrWrongType, auto b = Sized<TessBaseBlock>();
                return l.api.A3DTessBaseSet(l.item, &b)),
        KV_CASE(itemSetOnTess, kErrWrongType, auto b = Sized<RepItemBlock>();
                return l.api.A3DRiRepresentationItemSet(l.tess, &b)),
        KV_CASE(itemSetItemAsTess, kErrWrongType, RepItemBlock b{sizeof b, 0, l.item, 0};
                return l.api.A3DRiRepresentationItemSet(l.item, &b)),
        KV_CASE(itemSetUnknownTess, kErrInvalidEntity, RepItemBlock b{sizeof b, 0, kUnknown, 0};
                return l.api.A3DRiRepresentationItemSet(l.item, &b)),
        KV_CASE(nameSetNull, kErrInvalidEntity, auto b = Sized<RootBaseBlock>();
                return l.api.A3DRootBaseSet(nullptr, &b)),
        KV_CASE(nameSetOnAttributes, kErrWrongType, auto b = Sized<RootBaseBlock>();
                return l.api.A3DRootBaseSet(l.attributes, &b)),
        KV_CASE(nameGetUnknown, kErrInvalidEntity, auto b = Sized<RootBaseBlock>();
                return l.api.A3DRootBaseGet(kUnknown, &b)),
        KV_CASE(typeOfNull, kErrInvalidEntity, int32_t t;
                return l.api.A3DEntityGetType(nullptr, &t)),
        KV_CASE(typeIntoNull, kErrNullArgument, return l.api.A3DEntityGetType(l.tess, nullptr)),
        KV_CASE(modelGetOnOccurrence, kErrWrongType, auto b = Sized<ModelFileBlock>();
                return l.api.A3DAsmModelFileGet(l.occurrence, &b)),
        KV_CASE(occurrenceGetOnModel, kErrWrongType, auto b = Sized<ProductOccurrenceBlock>();
                return l.api.A3DAsmProductOccurrenceGet(l.model, &b)),
        KV_CASE(partGetOnItem, kErrWrongType, auto b = Sized<PartDefinitionBlock>();
                return l.api.A3DAsmPartDefinitionGet(l.item, &b)),
        KV_CASE(itemGetOnPart, kErrWrongType, auto b = Sized<RepItemBlock>();
                return l.api.A3DRiRepresentationItemGet(l.part, &b)),
        KV_CASE(tessBaseGetOnModel, kErrWrongType, auto b = Sized<TessBaseBlock>();
                return l.api.A3DTessBaseGet(l.model, &b)),
        KV_CASE(tess3DGetOnItem, kErrWrongType, auto b = Sized<Tess3DBlock>();
                return l.api.A3DTess3DGet(l.item, &b)),
        KV_CASE(tess3DGetUnknown, kErrInvalidEntity, auto b = Sized<Tess3DBlock>();
                return l.api.A3DTess3DGet(kUnknown, &b)),
        KV_CASE(deleteNull, kErrInvalidEntity, return l.api.A3DAsmModelFileDelete(nullptr)),
        KV_CASE(deleteOccurrence, kErrWrongType, return l.api.A3DAsmModelFileDelete(l.occurrence)),
        KV_CASE(writeOccurrence, kErrWrongType,
                return l.api.A3DAsmModelFileWriteToFile(l.occurrence, &kParams, "x.kva3d")),
        KV_CASE(attributesDeleteModel, kErrWrongType,
                return l.api.A3DMiscCascadedAttributesDelete(l.model)),
        KV_CASE(attributesGetOnModel, kErrWrongType, auto b = Sized<CascadedAttributesBlock>();
                return l.api.A3DMiscCascadedAttributesGet(l.model, &b)),
        KV_CASE(pushUnknownEntity, kErrInvalidEntity,
                return l.api.A3DMiscCascadedAttributesPush(l.attributes, kUnknown, nullptr)),
        KV_CASE(pushWithItemAsFather, kErrWrongType,
                return l.api.A3DMiscCascadedAttributesPush(l.attributes, l.item, l.item)),
        KV_CASE(pushOntoNull, kErrInvalidEntity,
                return l.api.A3DMiscCascadedAttributesPush(nullptr, l.item, nullptr)),
        KV_CASE(pushTessFaceOntoTess, kErrWrongType,
                return l.api.A3DMiscCascadedAttributesPushTessFace(l.tess, nullptr, nullptr,
                                                                   nullptr, 0, 0)),
        KV_CASE(partOfTess, kErrWrongType, auto b = Sized<PartDefinitionBlock>();
                b.repItemCount = 1; b.repItems = const_cast<A3dEntity*>(&l.tess);
                A3dEntity out = kUnknown;
                const A3dStatus s = l.api.A3DAsmPartDefinitionCreate(&b, &out);
                return out == nullptr ? s : 1),
        KV_CASE(partOfNullItem, kErrInvalidEntity, A3dEntity items[] = {nullptr};
                auto b = Sized<PartDefinitionBlock>(); b.repItemCount = 1; b.repItems = items;
                A3dEntity out = nullptr; return l.api.A3DAsmPartDefinitionCreate(&b, &out)),
        KV_CASE(childOfWrongKind, kErrWrongType, A3dEntity children[] = {l.occurrence, l.part};
                auto b = Sized<ProductOccurrenceBlock>(); b.childCount = 2; b.children = children;
                A3dEntity out = nullptr; return l.api.A3DAsmProductOccurrenceCreate(&b, &out)),
        KV_CASE(partOfWrongKind, kErrWrongType, auto b = Sized<ProductOccurrenceBlock>();
                b.partDefinition = l.item; A3dEntity out = nullptr;
                return l.api.A3DAsmProductOccurrenceCreate(&b, &out)),
        KV_CASE(linkOfWrongKind, kErrWrongType, auto b = Sized<ProductOccurrenceBlock>();
                b.secondLinked = l.part; A3dEntity out = nullptr;
                return l.api.A3DAsmProductOccurrenceCreate(&b, &out)),
        KV_CASE(modelOfItems, kErrWrongType, auto b = Sized<ModelFileBlock>();
                b.occurrenceCount = 1; b.occurrences = const_cast<A3dEntity*>(&l.item);
                A3dEntity out = nullptr; return l.api.A3DAsmModelFileCreate(&b, &out))),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    BlockSizes, CallErrors,
    ::testing::Values(
        KV_CASE(tess3DCreateSmall, kErrBadBlockSize,
                auto b = Sized<Tess3DBlock>(sizeof(Tess3DBlock) - 1);
                A3dEntity out = nullptr; return l.api.A3DTess3DCreate(&b, &out)),
        KV_CASE(tess3DCreateFace, kErrBadBlockSize,
                auto face = Sized<TessFaceBlock>(sizeof(TessFaceBlock) + 4);
                auto b = Sized<Tess3DBlock>(); b.faceCount = 1; b.faces = &face;
                A3dEntity out = nullptr; return l.api.A3DTess3DCreate(&b, &out)),
        KV_CASE(tessBaseSetZero, kErrBadBlockSize, auto b = Sized<TessBaseBlock>(0);
                return l.api.A3DTessBaseSet(l.tess, &b)),
        KV_CASE(polyBrepLarge, kErrBadBlockSize,
                auto b = Sized<PolyBrepBlock>(sizeof(PolyBrepBlock) + 1);
                A3dEntity out = nullptr; return l.api.A3DRiPolyBrepModelCreate(&b, &out)),
        KV_CASE(itemSet, kErrBadBlockSize, auto b = Sized<RepItemBlock>(4);
                return l.api.A3DRiRepresentationItemSet(l.item, &b)),
        KV_CASE(partCreate, kErrBadBlockSize, auto b = Sized<PartDefinitionBlock>(100);
                A3dEntity out = nullptr; return l.api.A3DAsmPartDefinitionCreate(&b, &out)),
        KV_CASE(occurrenceCreate, kErrBadBlockSize, auto b = Sized<ProductOccurrenceBlock>(72);
                A3dEntity out = nullptr; return l.api.A3DAsmProductOccurrenceCreate(&b, &out)),
        KV_CASE(modelCreate, kErrBadBlockSize, auto b = Sized<ModelFileBlock>(20);
                A3dEntity out = nullptr; return l.api.A3DAsmModelFileCreate(&b, &out)),
        KV_CASE(nameSet, kErrBadBlockSize, auto b = Sized<RootBaseBlock>(12);
                return l.api.A3DRootBaseSet(l.part, &b)),
        KV_CASE(writeParams, kErrBadBlockSize, WriteParamsBlock p = kParams; p.size = 16;
                return l.api.A3DAsmModelFileWriteToFile(l.model, &p, "x.kva3d")),
        KV_CASE(modelGet, kErrBadBlockSize, auto b = Sized<ModelFileBlock>(1);
                return l.api.A3DAsmModelFileGet(l.model, &b)),
        KV_CASE(occurrenceGet, kErrBadBlockSize, auto b = Sized<ProductOccurrenceBlock>(0xFFFF);
                return l.api.A3DAsmProductOccurrenceGet(l.occurrence, &b)),
        KV_CASE(partGet, kErrBadBlockSize, auto b = Sized<PartDefinitionBlock>(0);
                return l.api.A3DAsmPartDefinitionGet(l.part, &b)),
        KV_CASE(itemGet, kErrBadBlockSize, auto b = Sized<RepItemBlock>(16);
                return l.api.A3DRiRepresentationItemGet(l.item, &b)),
        KV_CASE(tessBaseGet, kErrBadBlockSize, auto b = Sized<TessBaseBlock>(8);
                return l.api.A3DTessBaseGet(l.tess, &b)),
        KV_CASE(tess3DGet, kErrBadBlockSize, auto b = Sized<Tess3DBlock>(60);
                return l.api.A3DTess3DGet(l.tess, &b)),
        KV_CASE(nameGet, kErrBadBlockSize, auto b = Sized<RootBaseBlock>(0);
                return l.api.A3DRootBaseGet(l.tess, &b)),
        KV_CASE(attributesGet, kErrBadBlockSize, auto b = Sized<CascadedAttributesBlock>(0);
                return l.api.A3DMiscCascadedAttributesGet(l.attributes, &b)),
        KV_CASE(releaseWithBadSize, kErrBadBlockSize, auto b = Sized<TessBaseBlock>(0);
                return l.api.A3DTessBaseGet(nullptr, &b))),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    NullArguments, CallErrors,
    ::testing::Values(
        KV_CASE(tess3DCreateNullBlock, kErrNullArgument, A3dEntity out = nullptr;
                return l.api.A3DTess3DCreate(nullptr, &out)),
        KV_CASE(tess3DCreateNullOut, kErrNullArgument, auto b = Sized<Tess3DBlock>();
                return l.api.A3DTess3DCreate(&b, nullptr)),
        KV_CASE(normalsNull, kErrNullArgument, auto b = Sized<Tess3DBlock>(); b.normalCount = 3;
                A3dEntity out = kUnknown; const A3dStatus s = l.api.A3DTess3DCreate(&b, &out);
                return out == nullptr ? s : 1),
        KV_CASE(indicesNull, kErrNullArgument, auto b = Sized<Tess3DBlock>(); b.indexCount = 1;
                A3dEntity out = nullptr; return l.api.A3DTess3DCreate(&b, &out)),
        KV_CASE(facesNull, kErrNullArgument, auto b = Sized<Tess3DBlock>(); b.faceCount = 1;
                A3dEntity out = nullptr; return l.api.A3DTess3DCreate(&b, &out)),
        KV_CASE(faceSizesNull, kErrNullArgument, auto face = Sized<TessFaceBlock>();
                face.sizeCount = 1; auto b = Sized<Tess3DBlock>(); b.faceCount = 1; b.faces = &face;
                A3dEntity out = nullptr; return l.api.A3DTess3DCreate(&b, &out)),
        KV_CASE(coordsNull, kErrNullArgument, TessBaseBlock b{sizeof b, 0, 3, nullptr};
                return l.api.A3DTessBaseSet(l.tess, &b)),
        KV_CASE(tessBaseSetNullBlock, kErrNullArgument,
                return l.api.A3DTessBaseSet(l.tess, nullptr)),
        KV_CASE(polyBrepNullOut, kErrNullArgument, auto b = Sized<PolyBrepBlock>();
                return l.api.A3DRiPolyBrepModelCreate(&b, nullptr)),
        KV_CASE(repItemsNull, kErrNullArgument, auto b = Sized<PartDefinitionBlock>();
                b.repItemCount = 2; A3dEntity out = nullptr;
                return l.api.A3DAsmPartDefinitionCreate(&b, &out)),
        KV_CASE(childrenNull, kErrNullArgument, auto b = Sized<ProductOccurrenceBlock>();
                b.childCount = 1; A3dEntity out = nullptr;
                return l.api.A3DAsmProductOccurrenceCreate(&b, &out)),
        KV_CASE(occurrencesNull, kErrNullArgument, auto b = Sized<ModelFileBlock>();
                b.occurrenceCount = 1; A3dEntity out = nullptr;
                return l.api.A3DAsmModelFileCreate(&b, &out)),
        KV_CASE(modelGetNullBlock, kErrNullArgument,
                return l.api.A3DAsmModelFileGet(l.model, nullptr)),
        KV_CASE(nameGetNullBlock, kErrNullArgument, return l.api.A3DRootBaseGet(l.model, nullptr)),
        KV_CASE(attributesCreateNullOut, kErrNullArgument,
                return l.api.A3DMiscCascadedAttributesCreate(nullptr)),
        KV_CASE(writeNullParams, kErrNullArgument,
                return l.api.A3DAsmModelFileWriteToFile(l.model, nullptr, "x.kva3d")),
        KV_CASE(writeNullPath, kErrNullArgument,
                return l.api.A3DAsmModelFileWriteToFile(l.model, &kParams, nullptr)),
        KV_CASE(loadNullPath, kErrNullArgument, A3dEntity out = kUnknown;
                const A3dStatus s = l.api.A3DAsmModelFileLoadFromFile(nullptr, nullptr, &out);
                return out == nullptr ? s : 1),
        KV_CASE(loadNullOut, kErrNullArgument,
                return l.api.A3DAsmModelFileLoadFromFile("x.kva3d", nullptr, nullptr))),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Releases, CallErrors,
    ::testing::Values(KV_CASE(modelNeverFilled, kErrNotAttached, auto b = Sized<ModelFileBlock>();
                              return l.api.A3DAsmModelFileGet(nullptr, &b)),
                      KV_CASE(occurrenceNeverFilled, kErrNotAttached,
                              auto b = Sized<ProductOccurrenceBlock>();
                              return l.api.A3DAsmProductOccurrenceGet(nullptr, &b)),
                      KV_CASE(tess3DNeverFilled, kErrNotAttached, auto b = Sized<Tess3DBlock>();
                              return l.api.A3DTess3DGet(nullptr, &b)),
                      KV_CASE(
                          otherGetsBlock, kErrNotAttached, auto b = Sized<TessBaseBlock>();
                          if (l.api.A3DTessBaseGet(l.tess, &b) != kA3dSuccess) {
                            return 1;
                          } auto wrong = Sized<Tess3DBlock>();
                          const A3dStatus s = l.api.A3DTess3DGet(nullptr, &wrong);
                          l.api.A3DTessBaseGet(nullptr, &b); return s)),
    CaseName);

#undef KV_CASE

TEST_F(LibraryTest, FilesThatCannotBeLoaded) {
  Initialize();
  A3dEntity model = kUnknown;
  EXPECT_EQ(api_.A3DAsmModelFileLoadFromFile("a3dlib-test-missing.kva3d", nullptr, &model),
            kErrFileOpen);
  EXPECT_EQ(model, nullptr);
  const std::string junk = TempFile("junk.kva3d");
  std::FILE* file = std::fopen(junk.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("not a model file", file);
  std::fclose(file);
  model = kUnknown;
  EXPECT_EQ(api_.A3DAsmModelFileLoadFromFile(junk.c_str(), nullptr, &model), kErrFileFormat);
  EXPECT_EQ(model, nullptr);
  EXPECT_EQ(TerminateCounts().live, 0u);
}

TEST_F(LibraryTest, UncalledEntriesAreNotImplemented) {
  Initialize();
  for (const char* name : {"A3DCrvNurbsGet", "A3DXXXGet", "A3DTopoMultipleVertexCreate"}) {
    const auto proc = reinterpret_cast<A3dStatus(A3DCALL*)()>(FindProc(module_, name));
    ASSERT_NE(proc, nullptr) << name;
    EXPECT_EQ(proc(), kErrNotImplemented) << name;
  }
}

}  // namespace
}  // namespace a3dtest
