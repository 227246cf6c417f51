// Files the SKP-reading stand-in refuses before parsing, each with its own text: what cannot be
// read, what is empty, what is not text, and vertex lines the parser would misread (a number
// it cannot read would become 0, one past the float range infinity).
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/ostrel/tvl_ostrel.h"
#include "tests/support/test_env.h"

namespace {

const char kSquare[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";  // lines 1 to 4
const char kFace[] = "f 1 2 3 4\n";

// The reader's text for the file, with %s standing for its path.
std::string Text(const std::string& format, const std::string& path) {
  std::string text = format;
  text.replace(text.find("%s"), 2, path);
  return text;
}

int Read(const std::string& path, ON_ClassArray<ON_Mesh>* meshes) {
  return TVLOstrel::SKPToMesh(CString(path.c_str()), *meshes);
}

std::string OnLine(const char* fault, size_t line) {
  return std::string("Unable to read %s as Wavefront OBJ text: ") + fault + " on line " +
         std::to_string(line) + " of the file";
}

const char kNotText[] =
    "Unable to read %s: it is not text, and this reader takes Wavefront OBJ text only";

// Bytes from the start of a 32-bit executable: a binary file, whatever its later bytes.
const char kExecutableStart[] =
    "\x7F"
    "ELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0";

struct RefusedFile {
  const char* name;
  std::string content;
  std::string error;  // %s: the path
};

const RefusedFile kRefusedFiles[] = {
    {"Empty", "", "Unable to read %s: the file is empty"},
    {"Executable", std::string(kExecutableStart, sizeof(kExecutableStart) - 1), kNotText},
    {"TextWithANulFarOn", std::string(kSquare) + std::string(100000, '#') + '\0' + kFace, kNotText},
    // The parse has read a whole mesh when the fault ends it: the mesh is not given.
    {"FaultAfterAMeshFarOn",
     std::string(kSquare) + kFace + std::string(100000, '#') + "\nv 0 0 nan\n" + kFace,
     OnLine("invalid number", 7)},
    {"NotANumber", std::string(kSquare) + "v 0 0 nan\n" + kFace, OnLine("invalid number", 5)},
    {"Infinity", std::string(kSquare) + "v inf 0 0\n" + kFace, OnLine("invalid number", 5)},
    {"NegativeInfinity", std::string(kSquare) + "v 0 -infinity 0\n" + kFace,
     OnLine("invalid number", 5)},
    {"PastTheFloatRange", std::string(kSquare) + "v 0 1e39 0\n" + kFace,
     OnLine("invalid number", 5)},
    {"NegativePastTheFloatRange", std::string(kSquare) + "v -3.5e38 0 0\n" + kFace,
     OnLine("invalid number", 5)},
    {"PastTheDoubleRange", std::string(kSquare) + "v 0 0 1e400\n" + kFace,
     OnLine("invalid number", 5)},
    {"FortyDigits", std::string(kSquare) + "v 0 " + std::string(40, '9') + " 0\n" + kFace,
     OnLine("invalid number", 5)},
    {"Word", std::string(kSquare) + "v 0 zero 0\n" + kFace, OnLine("invalid number", 5)},
    {"SignAlone", std::string(kSquare) + "v - 0 0\n" + kFace, OnLine("invalid number", 5)},
    {"PointAlone", std::string(kSquare) + "v 0 . 0\n" + kFace, OnLine("invalid number", 5)},
    {"TrailingLetters", std::string(kSquare) + "v 0 1.5x 0\n" + kFace, OnLine("invalid number", 5)},
    {"TwoSigns", std::string(kSquare) + "v +-1 0 0\n" + kFace, OnLine("invalid number", 5)},
    {"BadFourthValue", std::string(kSquare) + "v 0 0 0 nan\n" + kFace, OnLine("invalid number", 5)},
    {"TwoCoordinates", std::string(kSquare) + "v 0 1\n" + kFace,
     OnLine("fewer than three coordinates", 5)},
    {"KeywordAlone", std::string(kSquare) + "  v\n" + kFace,
     OnLine("fewer than three coordinates", 5)},
    {"LinesEndedByCrLfAndLoneCr", "v 0 0 0\r\nv 1 0 0\rv 1 1 0\n\nv 0 NaN 0\r\n",
     OnLine("invalid number", 5)},
};

// Failures name the case, not the bytes of its parameter.
void PrintTo(const RefusedFile& file, std::ostream* out) {
  *out << file.name;
}

class RefusedFileCase : public ::testing::TestWithParam<RefusedFile> {
 protected:
  testenv::ScratchDir dir_;
};

TEST_P(RefusedFileCase, IsRefusedWithItsOwnText) {
  const std::string path = dir_.Write("model.obj", GetParam().content);
  ON_ClassArray<ON_Mesh> meshes;
  EXPECT_EQ(Read(path, &meshes), 0);
  EXPECT_EQ(std::string(TVLOstrel::GetError().GetString()), Text(GetParam().error, path));
  EXPECT_EQ(meshes.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ostrel, RefusedFileCase, ::testing::ValuesIn(kRefusedFiles),
                         [](const ::testing::TestParamInfo<RefusedFile>& info) {
                           return std::string(info.param.name);
                         });

// Comment lines filling `length` bytes, the last one without its line end; *lines counts them.
std::string Comments(size_t length, const char* lineEnd, size_t* lines) {
  const std::string line = "# " + std::string(60, 'x') + lineEnd;
  std::string text;
  *lines = 1;
  while (text.size() + line.size() < length) {
    text += line;
    ++*lines;
  }
  return text + "#" + std::string(length - text.size() - 1, 'y');
}

// A line split between two of the reader's reads is checked whole, and a CR LF split there
// ends one line, not two.
TEST(RefusedFile, LinesSplitBetweenReadsAreCheckedWholeAndCountedOnce) {
  constexpr size_t kRead = 1 << 16;  // what the reader reads at a time
  struct SplitCase {
    size_t shortOfTheEnd;  // where the comments stop, before the end of the first read
    const char* lineEnd;
    const char* rest;
  };
  const SplitCase cases[] = {
      {5, "\n", "\nv 0 0 nan\n"},        // the bad line straddles the end of the read
      {1, "\r\n", "\r\nv 0 0 inf\r\n"},  // the read ends between CR and LF
  };
  testenv::ScratchDir dir;
  for (const SplitCase& split : cases) {
    size_t lines = 0;
    const std::string text = Comments(kRead - split.shortOfTheEnd, split.lineEnd, &lines);
    const std::string path = dir.Write("model.obj", text + split.rest);
    ON_ClassArray<ON_Mesh> meshes;
    EXPECT_EQ(Read(path, &meshes), 0);
    EXPECT_EQ(std::string(TVLOstrel::GetError().GetString()),
              Text(OnLine("invalid number", lines + 1), path));
  }
}

TEST(RefusedFile, WhatCannotBeOpenedOrReadIsSaidSo) {
  testenv::ScratchDir dir;
  for (const std::string& path : {dir.path(), dir.File("missing.obj")}) {
    ON_ClassArray<ON_Mesh> meshes;
    EXPECT_EQ(Read(path, &meshes), 0) << path;
    EXPECT_EQ(std::string(TVLOstrel::GetError().GetString()),
              Text("Unable to open the file %s", path));
  }
}

struct AcceptedFile {
  const char* name;
  std::string content;
  int meshes;
};

// Text that holds no geometry is a model read with no mesh: the plug-in's own message says
// so. Numbers at the edges of what a float holds are read.
const AcceptedFile kAcceptedFiles[] = {
    {"OnlyCommentsAndBlankLines", "# nothing here\n\n   \n\t\n", 0},
    {"OnlyVertices", kSquare, 0},
    {"ByteOrderMarkFirst", std::string("\xEF\xBB\xBF") + kSquare + kFace, 1},
    {"ByteOrderMarkAlone", "\xEF\xBB\xBF", 0},
    {"LargestFloatAsPrinted", "v 3.4028235e38 -3.4028235e+38 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 1},
    {"ThirtyEightDigits", "v -" + std::string(38, '9') + " 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 1},
    {"TooSmallForAFloat", "v 1e-50 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 1},
    {"SignsPointsAndExponents", "v +1 -.5 2.\nv 1E+2 0 0\nv 0 1e-2 0\nf 1 2 3\n", 1},
    {"WeightColoursAndComment", "v 0 0 0 1\nv 1 0 0 0.5 0.5 0.5\nv 0 1 0 # corner\nf 1 2 3\n", 1},
    {"OtherLinesAreLeftToTheParser",
     "vt nan\nvn inf 0 0\nvp x\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 1},
};

void PrintTo(const AcceptedFile& file, std::ostream* out) {
  *out << file.name;
}

class AcceptedFileCase : public ::testing::TestWithParam<AcceptedFile> {
 protected:
  testenv::ScratchDir dir_;
};

TEST_P(AcceptedFileCase, IsRead) {
  ON_ClassArray<ON_Mesh> meshes;
  ASSERT_NE(Read(dir_.Write("model.obj", GetParam().content), &meshes), 0)
      << TVLOstrel::GetError().GetString();
  EXPECT_EQ(meshes.Count(), GetParam().meshes);
}

INSTANTIATE_TEST_SUITE_P(Ostrel, AcceptedFileCase, ::testing::ValuesIn(kAcceptedFiles),
                         [](const ::testing::TestParamInfo<AcceptedFile>& info) {
                           return std::string(info.param.name);
                         });

// The mark is not part of the first vertex: every vertex keeps its place.
TEST(AcceptedFile, AByteOrderMarkLosesNoVertex) {
  testenv::ScratchDir dir;
  ON_ClassArray<ON_Mesh> meshes;
  ASSERT_NE(
      Read(dir.Write("model.obj", "\xEF\xBB\xBFv 5 6 7\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"), &meshes), 0)
      << TVLOstrel::GetError().GetString();
  ASSERT_EQ(meshes.Count(), 1);
  EXPECT_EQ(meshes[0].m_V[0], ON_3fPoint(5, 6, 7));
}

}  // namespace
