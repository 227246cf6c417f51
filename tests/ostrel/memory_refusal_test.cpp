// The SKP-reading stand-in when memory runs out: its parse holds the file in standard
// containers, and one that cannot grow must end the read with a text for the user, not with an
// exception leaving the library (inside the host's process that ends the process). This program
// replaces operator new so that, while a test asks, every block from a given size on is
// refused as an exhausted heap refuses it; the reader's shared object takes the program's
// operator new, which is why this test is built on the native build only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "platform/ostrel/tvl_ostrel.h"
#include "tests/support/test_env.h"

namespace {

// Blocks of this many bytes or more are refused; 0 refuses none.
std::size_t refusedFrom = 0;

void* Allocate(std::size_t size) {
  if (refusedFrom != 0 && size >= refusedFrom)
    return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

// Refuses the large blocks for the span of a scope.
class LargeBlocksRefused {
 public:
  explicit LargeBlocksRefused(std::size_t from) { refusedFrom = from; }
  ~LargeBlocksRefused() { refusedFrom = 0; }
  LargeBlocksRefused(const LargeBlocksRefused&) = delete;
  LargeBlocksRefused& operator=(const LargeBlocksRefused&) = delete;
};

}  // namespace

void* operator new(std::size_t size) {
  void* block = Allocate(size);
  if (!block)
    throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}

namespace {

// 200,000 vertices and one face: the parse's positions grow past 2 MiB, the reader's own
// 64 KiB read buffer stays below it.
std::string ManyVertices() {
  std::string text;
  for (int v = 0; v < 200000; ++v)
    text += "v 0 0 " + std::to_string(v) + "\n";
  return text + "f 1 2 3\n";
}

// A comment line of 3 MiB: the line that the check keeps whole across its reads, and the
// parser's copy of it, grow past 2 MiB.
std::string OneLongLine() {
  return "v 0 0 0\nv 1 0 0\nv 0 1 0\n# " + std::string(3 << 20, 'x') + "\nf 1 2 3\n";
}

struct LargeModel {
  const char* name;
  std::string (*text)();
};

class ReaderOutOfMemory : public ::testing::TestWithParam<LargeModel> {};

TEST_P(ReaderOutOfMemory, EndsTheReadWithATextAndLeavesTheReaderWhole) {
  testenv::ScratchDir dir;
  const std::string path = dir.Write("model.obj", GetParam().text());
  ON_ClassArray<ON_Mesh> meshes;
  int result = -1;
  {
    LargeBlocksRefused refused(2 << 20);
    result = TVLOstrel::SKPToMesh(CString(path.c_str()), meshes);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(std::string(TVLOstrel::GetError().GetString()),
            "Unable to read " + path + ": the model is larger than memory allows");
  EXPECT_EQ(meshes.Count(), 0);
  // With memory back, the same file reads.
  ASSERT_NE(TVLOstrel::SKPToMesh(CString(path.c_str()), meshes), 0)
      << TVLOstrel::GetError().GetString();
  ASSERT_EQ(meshes.Count(), 1);
  EXPECT_EQ(meshes[0].VertexCount(), 3);
}

const LargeModel kLargeModels[] = {
    {"ManyVertices", ManyVertices},
    {"OneLongLine", OneLongLine},
};

INSTANTIATE_TEST_SUITE_P(Ostrel, ReaderOutOfMemory, ::testing::ValuesIn(kLargeModels),
                         [](const ::testing::TestParamInfo<LargeModel>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
