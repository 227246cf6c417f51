// The loader on files the writer never makes: cut short, damaged, lying about counts, with
// references outside their tables, cycles and a chain deeper than any stack.
#include <gtest/gtest.h>

#include <functional>

#include "standins/a3dlib/model_file.h"
#include "tests/a3dlib/library_fixture.h"
#include "tests/a3dlib/raw_model_file.h"
#include "tests/a3dlib/rich_model.h"

namespace a3dtest {
namespace {

using a3dstore::LoadStatus;
using a3dstore::Model;

LoadStatus Load(const std::vector<uint8_t>& bytes, Model* model) {
  return a3dstore::LoadModelFile(bytes.data(), bytes.size(), model);
}

TEST(ModelFileLoader, RawFileFollowsTheLayout) {
  Model model;
  ASSERT_EQ(Load(Encode(RawModelFile()), &model), LoadStatus::kOk);
  EXPECT_EQ(model.file.base.name, "Name");
  ASSERT_EQ(model.occurrences.size(), 1u);
  EXPECT_EQ(model.occurrences[0].children, std::vector<uint32_t>{0}) << "its own child";
  ASSERT_EQ(model.tessellations.size(), 1u);
  EXPECT_EQ(model.tessellations[0].normals, (std::vector<double>{0, 0, 1}));
  EXPECT_EQ(model.tessellations[0].faces[0].sizes, std::vector<uint32_t>{1});
}

TEST(ModelFileLoader, EveryTruncationIsRefused) {
  std::vector<uint8_t> files[] = {Encode(RawModelFile()), {}};
  ASSERT_TRUE(a3dstore::WriteModelFile(RichModel(), &files[1]));
  for (const std::vector<uint8_t>& file : files) {
    for (size_t length = 0; length < file.size(); ++length) {
      const std::vector<uint8_t> cut(file.begin(), file.begin() + length);
      Model model = TriangleModel();
      EXPECT_NE(Load(cut, &model), LoadStatus::kOk) << "length " << length;
      EXPECT_EQ(model, TriangleModel()) << "output untouched at length " << length;
    }
  }
}

// Under the sanitizers: any byte set to any of these values is read safely.
TEST(ModelFileLoader, EveryDamagedByteIsReadSafely) {
  std::vector<uint8_t> file;
  ASSERT_TRUE(a3dstore::WriteModelFile(RichModel(), &file));
  size_t refused = 0;
  for (size_t at = 0; at < file.size(); ++at) {
    for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(file[at] ^ 0x80)}) {
      std::vector<uint8_t> damaged = file;
      damaged[at] = value;
      Model model;
      refused += Load(damaged, &model) != LoadStatus::kOk;
    }
  }
  EXPECT_GT(refused, 0u);
}

TEST(ModelFileLoader, NullArguments) {
  Model model;
  EXPECT_EQ(a3dstore::LoadModelFile(nullptr, 10, &model), LoadStatus::kNullArgument);
  EXPECT_EQ(a3dstore::LoadModelFile(nullptr, 0, &model), LoadStatus::kBadMagic);
  const std::vector<uint8_t> file = Encode(RawModelFile());
  EXPECT_EQ(a3dstore::LoadModelFile(file.data(), file.size(), nullptr), LoadStatus::kNullArgument);
}

struct Hostile {
  const char* what;
  std::function<void(RawModelFile*)> spoil;
  LoadStatus status;
};

class HostileFile : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileFile, IsRefusedWithItsReason) {
  RawModelFile raw;
  GetParam().spoil(&raw);
  Model model = TriangleModel();
  EXPECT_EQ(Load(Encode(raw), &model), GetParam().status);
  EXPECT_EQ(model, TriangleModel());
}

#define KV_HOSTILE(name, statement, status)                          \
  Hostile {                                                          \
#name, [](RawModelFile * raw) { statement; }, LoadStatus::status \
  }

INSTANTIATE_TEST_SUITE_P(
    Header, HostileFile,
    ::testing::Values(KV_HOSTILE(magic, raw->magic0 = 0x09, kBadMagic),
                      KV_HOSTILE(version, raw->version = 2, kUnsupportedVersion),
                      KV_HOSTILE(reserved, raw->headerReserved = 1, kBadValue),
                      KV_HOSTILE(sectionOrder, raw->sectionsSwapped = true, kBadSection),
                      KV_HOSTILE(bodyNotFilled, raw->extraBodyByte = 1, kBadSection),
                      KV_HOSTILE(trailing, raw->trailingBytes = 1, kTrailingData)),
    [](const auto& info) { return std::string(info.param.what); });

// A count of 2^32-1 must be refused before anything is allocated for it: under the address
// sanitizer an allocation of that many values would itself fail the test.
INSTANTIATE_TEST_SUITE_P(
    Counts, HostileFile,
    ::testing::Values(KV_HOSTILE(nameLength, raw->nameLength = 0xFFFFFFFE, kTruncated),
                      KV_HOSTILE(roots, raw->rootCount = kNone, kCountTooLarge),
                      KV_HOSTILE(occurrenceRows, raw->occurrenceRows = kNone, kCountTooLarge),
                      KV_HOSTILE(children, raw->childCount = kNone, kCountTooLarge),
                      KV_HOSTILE(partRows, raw->partRows = kNone, kCountTooLarge),
                      KV_HOSTILE(partItems, raw->itemCount = kNone, kCountTooLarge),
                      KV_HOSTILE(itemRows, raw->itemRows = kNone, kCountTooLarge),
                      KV_HOSTILE(tessRows, raw->tessRows = kNone, kCountTooLarge),
                      KV_HOSTILE(coordinates, raw->coordCount = kNone, kCountTooLarge),
                      KV_HOSTILE(normals, raw->normalCount = kNone, kCountTooLarge),
                      KV_HOSTILE(indices, raw->indexCount = kNone, kCountTooLarge),
                      KV_HOSTILE(faces, raw->faceCount = kNone, kCountTooLarge),
                      KV_HOSTILE(sizes, raw->sizeCount = kNone, kCountTooLarge),
                      KV_HOSTILE(sizesOneTooMany, raw->sizeCount = 2, kCountTooLarge)),
    [](const auto& info) { return std::string(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    References, HostileFile,
    ::testing::Values(KV_HOSTILE(root, raw->root = 1, kBadReference),
                      KV_HOSTILE(child, raw->child = 1, kBadReference),
                      KV_HOSTILE(part, raw->part = 1, kBadReference),
                      KV_HOSTILE(firstLinked, raw->firstLinked = 1, kBadReference),
                      KV_HOSTILE(secondLinked, raw->secondLinked = kNone - 1, kBadReference),
                      KV_HOSTILE(item, raw->item = 1, kBadReference),
                      KV_HOSTILE(itemNone, raw->item = kNone, kBadReference),
                      KV_HOSTILE(tessellation, raw->tessellation = 1, kBadReference)),
    [](const auto& info) { return std::string(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    Values, HostileFile,
    ::testing::Values(KV_HOSTILE(itemKindZero, raw->itemKind = 0, kBadValue),
                      KV_HOSTILE(itemKindThree, raw->itemKind = 3, kBadValue),
                      KV_HOSTILE(closed, raw->closed = 2, kBadValue),
                      KV_HOSTILE(itemReserved, raw->itemReserved = 1, kBadValue),
                      KV_HOSTILE(unknownFlag, raw->itemFlags = 0x80, kBadValue),
                      KV_HOSTILE(faceReserved, raw->faceReserved = 1, kBadValue),
                      KV_HOSTILE(nulInName, raw->nameSecondByte = 0, kBadValue)),
    [](const auto& info) { return std::string(info.param.what); });

#undef KV_HOSTILE

TEST(ModelFileLoader, CyclesLoadAsWritten) {
  Model model;
  model.file.occurrences = {0};
  model.occurrences.resize(2);
  model.occurrences[0].children = {1};
  model.occurrences[1].children = {0, 1};
  model.occurrences[1].firstLinked = 1;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(a3dstore::WriteModelFile(model, &bytes));
  Model loaded;
  ASSERT_EQ(Load(bytes, &loaded), LoadStatus::kOk);
  EXPECT_EQ(loaded, model);
}

Model Chain(uint32_t depth) {
  Model model;
  model.file.occurrences = {0};
  model.occurrences.resize(depth);
  for (uint32_t i = 0; i + 1 < depth; ++i) {
    model.occurrences[i].children = {i + 1};
  }
  return model;
}

TEST(ModelFileLoader, MillionDeepChainLoadsWithoutRecursion) {
  constexpr uint32_t kDepth = 1000000;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(a3dstore::WriteModelFile(Chain(kDepth), &bytes));
  Model loaded;
  ASSERT_EQ(Load(bytes, &loaded), LoadStatus::kOk);
  ASSERT_EQ(loaded.occurrences.size(), kDepth);
  EXPECT_EQ(loaded.occurrences[kDepth - 2].children, std::vector<uint32_t>{kDepth - 1});
  EXPECT_TRUE(loaded.occurrences[kDepth - 1].children.empty());
}

}  // namespace
}  // namespace a3dtest
