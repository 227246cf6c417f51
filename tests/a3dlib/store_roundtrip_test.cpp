// The store's writer and loader agree, and the writer refuses what the loader would.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <functional>

#include "standins/a3dlib/model_file.h"
#include "standins/a3dlib/model_file_summary.h"
#include "tests/a3dlib/library_fixture.h"
#include "tests/a3dlib/rich_model.h"

namespace a3dtest {
namespace {

using a3dstore::LoadStatus;
using a3dstore::Model;

TEST(ModelFileRoundTrip, BytesKeepEveryField) {
  for (const Model& model : {RichModel(), TriangleModel(), Model()}) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(a3dstore::WriteModelFile(model, &bytes));
    Model loaded;
    ASSERT_EQ(a3dstore::LoadModelFile(bytes.data(), bytes.size(), &loaded), LoadStatus::kOk);
    EXPECT_EQ(loaded, model);
  }
}

TEST(ModelFileRoundTrip, PathKeepsEveryField) {
  const std::string path = "a3dlib-test-roundtrip.kva3d";
  ASSERT_TRUE(a3dstore::WriteModelFile(RichModel(), path));
  Model loaded;
  EXPECT_EQ(a3dstore::LoadModelFile(path, &loaded), LoadStatus::kOk);
  EXPECT_EQ(loaded, RichModel());
  std::remove(path.c_str());
}

TEST(ModelFileRoundTrip, MissingPathIsUnreadable) {
  Model loaded = TriangleModel();
  EXPECT_EQ(a3dstore::LoadModelFile(std::string("a3dlib-test-no-such-file"), &loaded),
            LoadStatus::kUnreadable);
  EXPECT_EQ(loaded, TriangleModel());
}

TEST(ModelFileRoundTrip, UnwritablePathFails) {
  EXPECT_FALSE(a3dstore::WriteModelFile(TriangleModel(), "no-such-folder/x/model.kva3d"));
}

struct Refusal {
  const char* what;
  std::function<void(Model*)> spoil;
  LoadStatus status;
};

class ModelCheck : public ::testing::TestWithParam<Refusal> {};

TEST_P(ModelCheck, WriterRefusesWhatTheLoaderWould) {
  Model model = RichModel();
  GetParam().spoil(&model);
  EXPECT_EQ(a3dstore::CheckModel(model), GetParam().status);
  std::vector<uint8_t> bytes = {1, 2, 3};
  EXPECT_FALSE(a3dstore::WriteModelFile(model, &bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3})) << "nothing written";
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ModelCheck,
    ::testing::Values(
        Refusal{"root", [](Model* m) { m->file.occurrences.push_back(3); },
                LoadStatus::kBadReference},
        Refusal{"child", [](Model* m) { m->occurrences[2].children[0] = 3; },
                LoadStatus::kBadReference},
        Refusal{"child none", [](Model* m) { m->occurrences[0].children[0] = a3dstore::kNoRef; },
                LoadStatus::kBadReference},
        Refusal{"part", [](Model* m) { m->occurrences[0].part = 1; }, LoadStatus::kBadReference},
        Refusal{"first linked", [](Model* m) { m->occurrences[1].firstLinked = 3; },
                LoadStatus::kBadReference},
        Refusal{"second linked", [](Model* m) { m->occurrences[2].secondLinked = 7; },
                LoadStatus::kBadReference},
        Refusal{"item", [](Model* m) { m->parts[0].items.push_back(2); },
                LoadStatus::kBadReference},
        Refusal{"tessellation", [](Model* m) { m->items[1].tessellation = 2; },
                LoadStatus::kBadReference},
        Refusal{"unknown flag", [](Model* m) { m->items[0].base.flags = 0x10; },
                LoadStatus::kBadValue},
        Refusal{"NUL in a name", [](Model* m) { m->file.base.name = std::string("a\0b", 3); },
                LoadStatus::kBadValue},
        Refusal{"item kind", [](Model* m) { m->items[0].kind = a3dstore::ItemKind(7); },
                LoadStatus::kBadValue}),
    [](const ::testing::TestParamInfo<Refusal>& info) {
      std::string name = info.param.what;
      for (char& c : name) {
        c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
      }
      return name;
    });

TEST(ModelFileSummary, CountsWhatTheFileHolds) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(a3dstore::WriteModelFile(RichModel(), &bytes));
  a3dstore::ModelFileSummary summary;
  ASSERT_TRUE(a3dstore::SummarizeModelFile(bytes.data(), bytes.size(), &summary));
  EXPECT_EQ(summary.modelFileName, "Rich");
  EXPECT_EQ(summary.unit, 25.4);
  EXPECT_EQ(summary.occurrences, 3u);
  EXPECT_EQ(summary.tessellations, 2u);
  EXPECT_EQ(summary.triangles, 2u);     // sizes {1, 1} and {}
  EXPECT_EQ(summary.coordinates, 15u);  // 12 + 3 doubles
}

TEST(ModelFileSummary, UnnamedModelFileAndRefusedBytes) {
  Model model = TriangleModel();
  model.file.base.name.reset();
  model.tessellations[0].faces[0].sizes = {0xFFFFFFFFu, 0xFFFFFFFFu};
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(a3dstore::WriteModelFile(model, &bytes));
  a3dstore::ModelFileSummary summary;
  summary.modelFileName = "stale";
  ASSERT_TRUE(a3dstore::SummarizeModelFile(bytes.data(), bytes.size(), &summary));
  EXPECT_EQ(summary.modelFileName, "");
  EXPECT_EQ(summary.triangles, 2 * uint64_t(0xFFFFFFFFu)) << "summed in 64 bits";
  bytes.pop_back();
  EXPECT_FALSE(a3dstore::SummarizeModelFile(bytes.data(), bytes.size(), &summary));
  EXPECT_FALSE(a3dstore::SummarizeModelFile(nullptr, 0, &summary));
}

}  // namespace
}  // namespace a3dtest
