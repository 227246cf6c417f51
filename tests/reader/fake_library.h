// An in-process stand-in for the 3D library's read calls, put straight into A3dEntryTable for
// the span of a scope: it hands the walk blocks that the real stand-in never makes (null
// handles inside arrays, arrays missing behind a count, shared trees of a million
// occurrences) and counts every block filled and released and every attribute made.
#pragma once

#include <cstdint>
#include <vector>

#include "import/a3d_binding.h"

namespace readertest {

struct FakeOccurrence {
  std::vector<A3dEntity> children;
  bool childArrayMissing = false;  // the block holds a null array with the children's count
  A3dEntity part = nullptr;
  A3dEntity firstLinked = nullptr;
  A3dEntity secondLinked = nullptr;
};

struct FakePart {
  std::vector<A3dEntity> items;
  bool itemArrayMissing = false;
};

struct FakeCounts {
  uint64_t filled = 0;
  uint64_t released = 0;
  uint64_t attributesMade = 0;
  uint64_t attributesDeleted = 0;
  uint64_t occurrencesRead = 0;
};

class FakeLibrary {
 public:
  FakeLibrary();   // keeps the entry table and puts the fake's entries in its place
  ~FakeLibrary();  // puts the table back
  FakeLibrary(const FakeLibrary&) = delete;
  FakeLibrary& operator=(const FakeLibrary&) = delete;

  A3dEntity AddOccurrence(FakeOccurrence occurrence);
  A3dEntity AddPart(FakePart part);
  // The model file's roots; with `arrayMissing` its block holds a null array and their count.
  void SetRoots(std::vector<A3dEntity> roots, bool arrayMissing = false);
  A3dEntity ModelFile() const;

  const FakeCounts& counts() const;
};

}  // namespace readertest
