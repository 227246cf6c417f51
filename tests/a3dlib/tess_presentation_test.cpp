// How A3DTess3DGet lays out index entries for a reader: six entries a triangle.
#include <gtest/gtest.h>

#include "standins/a3dlib/tess_presentation.h"

namespace a3dtest {
namespace {

using a3dstore::Face;
using Entries = std::vector<uint32_t>;

constexpr uint16_t kOther = 0x04;

struct Layout {
  const char* what;
  Entries written;
  std::vector<Face> faces;
  Entries presented;
  Entries firstIndices;
};

class TessPresentation : public ::testing::TestWithParam<Layout> {};

TEST_P(TessPresentation, PresentsSixEntriesATriangle) {
  a3dstore::Tessellation tess;
  tess.indices = GetParam().written;
  tess.faces = GetParam().faces;
  a3dstore::PresentedIndices presented;
  ASSERT_TRUE(a3dstore::PresentIndices(tess, &presented));
  EXPECT_EQ(presented.entries, GetParam().presented);
  EXPECT_EQ(presented.firstIndices, GetParam().firstIndices);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TessPresentation,
    ::testing::Values(
        Layout{"writersTwoTriangles",
               {0, 0, 3, 6, 3, 9, 12, 15},
               {{0x20, 0, {2}}},
               {0, 0, 0, 3, 0, 6, 3, 9, 3, 12, 3, 15},
               {0}},
        Layout{"sizesAreSummed",
               {1, 2, 3, 4, 5, 6, 7, 8},
               {{0x20, 0, {1, 1}}},
               {1, 2, 1, 3, 1, 4, 5, 6, 5, 7, 5, 8},
               {0}},
        Layout{"facesMoveToTheirNewStart",
               {9, 9, 9, 1, 2, 3, 4, 5, 6, 7, 8},
               {{0x20, 3, {1}}, {0x20, 7, {1}}},
               {1, 2, 1, 3, 1, 4, 5, 6, 5, 7, 5, 8},
               {0, 6}},
        Layout{"otherKindCopiedToNextFace",
               {7, 8, 9, 1, 2, 3, 4},
               {{kOther, 0, {1}}, {0x20, 3, {1}}},
               {7, 8, 9, 1, 2, 1, 3, 1, 4},
               {0, 3}},
        Layout{"otherKindLastCopiedToEnd", {1, 2, 3, 4, 5}, {{kOther, 2, {}}}, {3, 4, 5}, {0}},
        Layout{"incompleteTriangleLeftOut",
               {1, 2, 3, 4, 5, 6},
               {{0x20, 0, {2}}},
               {1, 2, 1, 3, 1, 4},
               {0}},
        Layout{"faceBeyondTheArray",
               {1, 2, 3, 4},
               {{0x20, 9, {1}}, {kOther, 0xFFFFFFFFu, {}}},
               {},
               {0, 0}},
        Layout{"hugeSizesStopAtTheData",
               {1, 2, 3, 4},
               {{0x20, 0, {0xFFFFFFFFu, 0xFFFFFFFFu}}},
               {1, 2, 1, 3, 1, 4},
               {0}},
        Layout{"noFaces", {1, 2, 3}, {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(TessPresentationLimit, OverlappingFacesBeyondTheAllowanceAreRefused) {
  a3dstore::Tessellation tess;
  tess.indices.assign(4000, 0);
  const uint64_t perFace = 4000 / 4 * 6;
  const uint64_t faces = a3dstore::kOverlapAllowance / perFace + 1;
  tess.faces.assign(faces, Face{0x20, 0, {1000}});
  a3dstore::PresentedIndices presented;
  presented.entries = {42};
  EXPECT_FALSE(a3dstore::PresentIndices(tess, &presented));
  EXPECT_EQ(presented.entries, Entries{42}) << "untouched";
}

}  // namespace
}  // namespace a3dtest
