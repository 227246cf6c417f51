// The store's limits are those of memory and of the format alone, its loader answers memory that
// runs out, and a file read as the loader goes gives what its bytes in memory give.
#include <gtest/gtest.h>

#include <cstdio>

#include "standins/a3dlib/model_file.h"
#include "standins/a3dlib/store_memory.h"
#include "standins/a3dlib/tess_presentation.h"
#include "tests/a3dlib/library_fixture.h"
#include "tests/a3dlib/rich_model.h"
#include "tests/support/test_env.h"

namespace a3dtest {
namespace {

using a3dstore::LoadStatus;
using a3dstore::Model;

constexpr bool k32Bit = sizeof(size_t) == 4;

struct FitCase {
  const char* what;
  uint64_t count;
  size_t size;
  bool fits32;
  bool fits64;
};

TEST(FitsInMemory, RefusesOnlyWhatNoBlockCouldHold) {
  const FitCase cases[] = {
      {"2^24 + 1 doubles, once refused on 32-bit", (1u << 24) + 1, 8, true, true},
      {"2M triangles' coordinates (18M doubles)", 18000000, 8, true, true},
      {"4M triangles' coordinates (36M doubles, 288 MB)", 36000000, 8, true, true},
      {"the largest 32-bit block of doubles", 0x0FFFFFFF, 8, true, true},
      {"one double more: 2 GiB", 0x10000000, 8, false, true},
      {"2^32 - 1 doubles", 0xFFFFFFFF, 8, false, true},
      {"2^32 - 1 bytes", 0xFFFFFFFF, 1, false, true},
      {"a byte count that overflows 64 bits", uint64_t(1) << 61, 8, false, false},
      {"values without size", 1, 0, false, false},
  };
  for (const FitCase& c : cases) {
    EXPECT_EQ(a3dstore::FitsInMemory(c.count, c.size), k32Bit ? c.fits32 : c.fits64) << c.what;
  }
}

struct CountCase {
  const char* what;
  uint64_t count;
  size_t fileBytes;
  size_t memoryBytes;
  uint64_t left;
  LoadStatus on32;
  LoadStatus on64;
};

// The loader's whole limit logic: a count is checked against the bytes that remain, then
// against what memory can hold, and nothing else. A file of 4 million triangles (448 MB, over
// the 256 MB a path was once limited to) passes.
TEST(LoaderLimits, CountsMeetOnlyTheFileAndMemory) {
  constexpr uint64_t k4MFile = 448000000;
  const CountCase cases[] = {
      {"4M triangles' coordinates", 36000000, 8, 8, k4MFile, LoadStatus::kOk, LoadStatus::kOk},
      {"exactly the bytes left", 1000, 8, 8, 8000, LoadStatus::kOk, LoadStatus::kOk},
      {"one item more than the bytes", 1001, 8, 8, 8000, LoadStatus::kCountTooLarge,
       LoadStatus::kCountTooLarge},
      {"2^32 - 1 doubles in a small file", 0xFFFFFFFF, 8, 8, 1 << 20, LoadStatus::kCountTooLarge,
       LoadStatus::kCountTooLarge},
      {"rows larger in memory than in the file", 1000, 24, 200, 24000, LoadStatus::kOk,
       LoadStatus::kOk},
      {"2^32 - 1 doubles in a 34 GB file", 0xFFFFFFFF, 8, 8, uint64_t(0xFFFFFFFF) * 8,
       LoadStatus::kNoMemory, LoadStatus::kOk},
  };
  for (const CountCase& c : cases) {
    EXPECT_EQ(a3dstore::CheckCount(c.count, c.fileBytes, c.memoryBytes, c.left),
              k32Bit ? c.on32 : c.on64)
        << c.what;
  }
}

// Faces that do not overlap may present any number of entries the block's count can say; only
// overlap, which the writer never makes, is held to the allowance.
TEST(PresentationLimit, GrowsWithTheIndexArray) {
  const uint64_t allowance = a3dstore::kOverlapAllowance;
  EXPECT_EQ(a3dstore::PresentationLimit(0), allowance);
  EXPECT_EQ(a3dstore::PresentationLimit(8), allowance);
  EXPECT_EQ(a3dstore::PresentationLimit(48000000), 72000000u) << "12M triangles";
  EXPECT_EQ(a3dstore::PresentationLimit(48000002), 72000002u) << "and two stray entries";
  EXPECT_EQ(a3dstore::PresentationLimit(0xFFFFFFFF), k32Bit ? 0x1FFFFFFFu : 0xFFFFFFFFu)
      << "what one block holds, and the block's 32-bit count";
}

std::vector<uint8_t> Bytes(const Model& model) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(a3dstore::WriteModelFile(model, &bytes));
  return bytes;
}

class LoaderMemory : public ::testing::Test {
 protected:
  void TearDown() override {
    a3dstore::FailAllocationAfter(-1);
    std::remove(path_.c_str());
  }
  const std::string path_ = "a3dlib-test-loader-memory.kva3d";
};

// Every counted allocation of a load fails in turn, from memory and from a file: each answers
// kNoMemory and leaves the output as it was, until the load goes through.
TEST_F(LoaderMemory, EachFailedAllocationIsAnswered) {
  const std::vector<uint8_t> bytes = Bytes(RichModel());
  ASSERT_TRUE(testenv::WriteBytes(path_, bytes.data(), bytes.size()));
  for (bool fromFile : {false, true}) {
    int failures = 0;
    for (int32_t skip = 0; skip < 10000; ++skip) {
      Model model = TriangleModel();
      a3dstore::FailAllocationAfter(skip);
      const LoadStatus status = fromFile
                                    ? a3dstore::LoadModelFile(path_, &model)
                                    : a3dstore::LoadModelFile(bytes.data(), bytes.size(), &model);
      a3dstore::FailAllocationAfter(-1);
      if (status == LoadStatus::kOk) {
        EXPECT_EQ(model, RichModel());
        break;
      }
      ++failures;
      EXPECT_EQ(status, LoadStatus::kNoMemory) << "allocation " << skip;
      EXPECT_EQ(model, TriangleModel()) << "allocation " << skip;
    }
    EXPECT_GT(failures, 10) << (fromFile ? "file" : "memory");
  }
}

// The loader reads a file as it goes: every cut and every damaged byte gives the status and
// the model that the same bytes give from memory.
TEST_F(LoaderMemory, FileGivesWhatItsBytesGive) {
  const std::vector<uint8_t> bytes = Bytes(RichModel());
  std::vector<std::vector<uint8_t>> variants;
  for (size_t size = 0; size <= bytes.size(); ++size) {
    variants.emplace_back(bytes.begin(), bytes.begin() + size);
  }
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}}) {
      variants.push_back(bytes);
      variants.back()[at] = value;
    }
  }
  for (size_t i = 0; i < variants.size(); ++i) {
    ASSERT_TRUE(testenv::WriteBytes(path_, variants[i].data(), variants[i].size()));
    Model fromMemory = TriangleModel();
    Model fromFile = TriangleModel();
    const LoadStatus memoryStatus =
        a3dstore::LoadModelFile(variants[i].data(), variants[i].size(), &fromMemory);
    EXPECT_EQ(a3dstore::LoadModelFile(path_, &fromFile), memoryStatus) << "variant " << i;
    EXPECT_EQ(Bytes(fromFile), Bytes(fromMemory)) << "variant " << i;  // a damaged double is NaN
  }
}

// A file larger than the loader's buffer, with arrays that cross it, reads whole.
TEST_F(LoaderMemory, LargeArraysReadAcrossTheBuffer) {
  Model model = TriangleModel();
  a3dstore::Tessellation& tess = model.tessellations[0];
  for (int i = 0; i < 100000; ++i) {
    tess.coords.push_back(i * 0.5);
  }
  tess.normals.resize(70001, -1.0);
  tess.indices.resize(16385, 7u);
  ASSERT_TRUE(a3dstore::WriteModelFile(model, path_));
  Model loaded;
  ASSERT_EQ(a3dstore::LoadModelFile(path_, &loaded), LoadStatus::kOk);
  EXPECT_EQ(loaded, model);
}

}  // namespace
}  // namespace a3dtest
