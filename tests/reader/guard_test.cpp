// Trees the walk refuses instead of following: cycles, nesting past the bound, more
// occurrences than the budget, null handles and arrays missing behind their counts.
#include "tests/reader/fake_library.h"
#include "tests/reader/model_builders.h"
#include "tests/reader/reader_fixture.h"

namespace readertest {
namespace {

using GuardTest = ReaderTest;

const char kContainsItself[] = "Invalid product occurrence data [Occurrence contains itself]";

TEST_F(GuardTest, AnOccurrenceReachedAgainBelowItselfEndsTheWalk) {
  struct Case {
    const char* what;
    void (*link)(Model&, uint32_t loop, uint32_t other);
  };
  const std::vector<Case> cases = {
      {"its own child",
       [](Model& m, uint32_t loop, uint32_t) { m.occurrences[loop].children = {loop}; }},
      {"its own first linked occurrence",
       [](Model& m, uint32_t loop, uint32_t) { m.occurrences[loop].firstLinked = loop; }},
      {"a grandchild that is its parent",
       [](Model& m, uint32_t loop, uint32_t other) {
         m.occurrences[loop].children = {other};
         m.occurrences[other].children = {loop};
       }},
      {"through a second linked occurrence",
       [](Model& m, uint32_t loop, uint32_t other) {
         m.occurrences[loop].secondLinked = other;
         m.occurrences[other].firstLinked = loop;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    meshes_.Destroy();
    Model model;
    const uint32_t before = AddLeaf(model, "before");
    const uint32_t loop = AddLeaf(model, "loop");
    const uint32_t other = AddOccurrence(model, "other");
    c.link(model, loop, other);
    model.file.occurrences = {before, loop, AddLeaf(model, "after")};
    EXPECT_EQ(0, Walk(model));
    EXPECT_EQ(kContainsItself, Error());
    EXPECT_EQ(1, meshes_.Count()) << "only the occurrence before the loop";
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

// A chain of `depth` occurrences, the last holding one triangle.
Model Chain(int depth) {
  Model model;
  uint32_t below = AddLeaf(model, "bottom");
  for (int level = 1; level < depth; ++level)
    below = AddOccurrence(model, std::nullopt, kNoRef, {below});
  model.file.occurrences = {below};
  return model;
}

TEST_F(GuardTest, OccurrencesNestAtMostTheBoundDeep) {
  ASSERT_EQ(1, Walk(Chain(kMaxOccurrenceDepth)));
  EXPECT_EQ(1, meshes_.Count());
  EXPECT_EQ("", Error());

  meshes_.Destroy();
  EXPECT_EQ(0, Walk(Chain(kMaxOccurrenceDepth + 1)));
  EXPECT_EQ("Invalid product occurrence data [Occurrences nested too deeply]", Error());
  EXPECT_EQ(0, meshes_.Count());
  EXPECT_EQ("live=0 attached=0", SessionEnd());
}

// The walk against the fake library: every block it had filled is given back and every
// attribute it made is deleted, whatever it refused.
void ExpectBalanced(const FakeLibrary& fake) {
  EXPECT_EQ(fake.counts().filled, fake.counts().released);
  EXPECT_EQ(fake.counts().attributesMade, fake.counts().attributesDeleted);
}

using FakeGuardTest = ReaderTest;

TEST_F(FakeGuardTest, NullHandlesAndMissingArraysAreRefusedBeforeAnythingBelowIsRead) {
  struct Case {
    const char* what;
    void (*build)(FakeLibrary&);
    const char* message;
  };
  const std::vector<Case> cases = {
      {"a null root",
       [](FakeLibrary& f) {
         f.SetRoots({f.AddOccurrence({}), nullptr});
       },
       "Unable to retrieve model file data [Invalid product occurrence]"},
      {"no root array behind a count",
       [](FakeLibrary& f) {
         f.SetRoots({f.AddOccurrence({}), f.AddOccurrence({})}, true);
       },
       "Unable to retrieve model file data [Invalid product occurrence]"},
      {"a null child",
       [](FakeLibrary& f) {
         FakeOccurrence parent;
         parent.children = {f.AddOccurrence({}), nullptr};
         f.SetRoots({f.AddOccurrence(parent)});
       },
       "Unable to retrieve product occurence data [Invalid child occurrence]"},
      {"no child array behind a count",
       [](FakeLibrary& f) {
         FakeOccurrence parent;
         parent.children = {f.AddOccurrence({})};
         parent.childArrayMissing = true;
         f.SetRoots({f.AddOccurrence(parent)});
       },
       "Unable to retrieve product occurence data [Invalid child occurrence]"},
      {"a null item",
       [](FakeLibrary& f) {
         FakeOccurrence holder;
         holder.part = f.AddPart({{nullptr}});
         f.SetRoots({f.AddOccurrence(holder)});
       },
       "Unable to retrieve part definition data [Invalid representation item]"},
      {"no item array behind a count",
       [](FakeLibrary& f) {
         FakeOccurrence holder;
         FakePart part;
         part.items = {reinterpret_cast<A3dEntity>(uintptr_t(0x7000))};
         part.itemArrayMissing = true;
         holder.part = f.AddPart(part);
         f.SetRoots({f.AddOccurrence(holder)});
       },
       "Unable to retrieve part definition data [Invalid representation item]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeLibrary fake;
    c.build(fake);
    EXPECT_EQ(0, WalkModelFile(fake.ModelFile(), meshes_, units_, names_));
    EXPECT_EQ(c.message, Error());
    ExpectBalanced(fake);
    // the refused array's occurrences are never read
    EXPECT_LE(fake.counts().occurrencesRead, 1u);
  }
}

TEST_F(FakeGuardTest, NullEntitiesGivenToTheWalkAreRefusedWithoutACall) {
  struct Case {
    const char* what;
    int (*walk)(ON_ClassArray<ON_Mesh>&, ON_SimpleArray<double>&, CStringArray&);
    const char* message;
  };
  const std::vector<Case> cases = {
      {"model file",
       [](ON_ClassArray<ON_Mesh>& m, ON_SimpleArray<double>& u, CStringArray& n) {
         return WalkModelFile(nullptr, m, u, n);
       },
       "Unable to retrieve model file data"},
      {"occurrence",
       [](ON_ClassArray<ON_Mesh>& m, ON_SimpleArray<double>& u, CStringArray& n) {
         return WalkOccurrence(nullptr, nullptr, m, u, n);
       },
       "Unable to retrieve product occurence data [Invalid entity]"},
      {"part",
       [](ON_ClassArray<ON_Mesh>& m, ON_SimpleArray<double>& u, CStringArray& n) {
         return WalkPart(nullptr, nullptr, m, u, n);
       },
       "Unable to retrieve part definition data [Invalid entity]"},
      {"representation item",
       [](ON_ClassArray<ON_Mesh>& m, ON_SimpleArray<double>& u, CStringArray& n) {
         return WalkRepItem(nullptr, nullptr, m, u, n);
       },
       "Unable to retrieve representation item data [Invalid entity]"},
      {"tessellation",
       [](ON_ClassArray<ON_Mesh>& m, ON_SimpleArray<double>& u, CStringArray& n) {
         return ConvertTessToMesh(nullptr, m, u, n);
       },
       "Unable to retrieve tesselation data [Invalid entity]"},
  };
  FakeLibrary fake;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(0, c.walk(meshes_, units_, names_));
    EXPECT_EQ(c.message, Error());
    // a Get given a null entity would release some other block
    EXPECT_EQ(0u, fake.counts().released);
    ExpectBalanced(fake);
  }
  CString name("kept");
  EXPECT_EQ(0, GetEntityName(nullptr, name));
  EXPECT_TRUE(name.IsEmpty());
  EXPECT_EQ("Unable to retrieve name of invalid entity", Error());
}

// A binary tree of shared occurrences: each level's two children are the one occurrence of
// the level below, so `levels` levels walk 2^levels - 1 occurrences.
A3dEntity SharedTree(FakeLibrary& fake, int levels) {
  A3dEntity below = fake.AddOccurrence({});
  for (int level = 1; level < levels; ++level) {
    FakeOccurrence twice;
    twice.children = {below, below};
    below = fake.AddOccurrence(twice);
  }
  return below;
}

TEST_F(FakeGuardTest, NoMoreOccurrencesThanTheBudgetAreWalked) {
  static_assert(kMaxOccurrenceVisits == 1 << 20, "the tree below is sized for the budget");
  FakeLibrary fake;
  // 2^20 - 1 occurrences in the tree and one more root: exactly the budget
  const A3dEntity tree = SharedTree(fake, 20);
  const A3dEntity leaf = fake.AddOccurrence({});
  fake.SetRoots({tree, leaf});
  EXPECT_EQ(1, WalkModelFile(fake.ModelFile(), meshes_, units_, names_));
  EXPECT_EQ(uint64_t(kMaxOccurrenceVisits), fake.counts().occurrencesRead);
  EXPECT_EQ("", Error());

  // one more is refused, and the next model file has the whole budget again
  fake.SetRoots({tree, leaf, leaf});
  EXPECT_EQ(0, WalkModelFile(fake.ModelFile(), meshes_, units_, names_));
  EXPECT_EQ("Invalid product occurrence data [Too many occurrences]", Error());
  ExpectBalanced(fake);
  fake.SetRoots({tree, leaf});
  EXPECT_EQ(1, WalkModelFile(fake.ModelFile(), meshes_, units_, names_));
  ExpectBalanced(fake);
}

}  // namespace
}  // namespace readertest
