// A fresh copy of the 3D library per test, its 27 called entry points bound by name, and a
// call log of its own that the test reads.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/a3d/a3d_signatures.h"
#include "standins/a3dlib/a3dlib_codes.h"
#include "standins/a3dlib/model.h"
#include "standins/a3dlib/test_hook.h"
#include "tests/support/library_log.h"

namespace a3dtest {

// A zero-filled block carrying its size: its own by default, another to test a wrong one.
template <class Block>
Block Sized(uint16_t size = sizeof(Block)) {
  Block block{};
  block.size = size;
  return block;
}

struct A3dApi {
#define KV_A3D_API_FIELD(name, params) name##Fn name = nullptr;
  KV_A3D_CALLED_LIST(KV_A3D_API_FIELD)
#undef KV_A3D_API_FIELD
};

// The counts the library reports at A3DDllTerminate.
using Counts = testenv::LibraryCounts;

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // GetVersion and Initialize with the version reported, as the plug-in starts.
  void Initialize();
  void Unload();
  std::vector<std::string> LogLines() const;
  // Terminates the library and answers the counts it reported.
  Counts TerminateCounts();
  // A file name in the working folder, removed after the test.
  std::string TempFile(const std::string& suffix);
  // Writes the model with the store's writer and loads it through the library.
  A3dEntity LoadThroughLibrary(const a3dstore::Model& model);

  void* module_ = nullptr;
  A3dApi api_;
  KvA3dFailAllocationFn failAllocation_ = nullptr;  // the library's test hook
  std::string logPath_;
  std::vector<std::string> tempFiles_;
};

// The model the plug-in's writer makes: one closed poly-B-rep of two triangles under a part,
// under an occurrence "Model", under a model file "ModelFile" of unit 1.
a3dstore::Model TriangleModel();

}  // namespace a3dtest
