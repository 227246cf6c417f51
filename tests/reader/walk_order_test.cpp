// The model-tree walk: the order in which it meets a tree, and how the first failure ends it.
#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include "tests/reader/model_builders.h"
#include "tests/reader/reader_fixture.h"

namespace readertest {
namespace {

using WalkOrderTest = ReaderTest;

TEST_F(WalkOrderTest, LinkedOccurrencesComeBeforeChildrenAndChildrenBeforeThePart) {
  Model model;
  const uint32_t first = AddLeaf(model, "first linked", 1);
  const uint32_t second = AddLeaf(model, "second linked", 2);
  const uint32_t a = AddLeaf(model, "child A", 3);
  const uint32_t b = AddLeaf(model, "child B", 4);
  const uint32_t root =
      AddOccurrence(model, "root", AddTrianglePart(model, "root part", 5), {a, b});
  model.occurrences[root].firstLinked = first;
  model.occurrences[root].secondLinked = second;
  model.file.occurrences = {root, AddLeaf(model, "second root", 6)};

  ASSERT_EQ(1, Walk(model));
  EXPECT_EQ((std::vector<std::string>{"first linked", "second linked", "child A", "child B",
                                      "root part", "second root"}),
            Names());
  ASSERT_EQ(6, meshes_.Count());
  // each mesh is the tessellation of the subtree it was named after
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(float(i + 1), meshes_[i].m_V[0].x) << Names()[i];
  EXPECT_EQ("live=0 attached=0", SessionEnd());
}

using Trace = std::vector<std::string>;

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;)
    words.push_back(word);
  return words;
}

// The library's calls during the last walk (from the load to the model file's deletion, both
// left out), one line each: the entry, then its handles shown by what they are (an entity by
// its name, "item" and "tess" for what the walk never names, attributes by the entity pushed
// onto them or "root attributes" when none was), and the status when it is not 0.
Trace WalkTrace(const std::string& log) {
  std::vector<std::vector<std::string>> calls;
  std::map<std::string, std::string> labels = {{"#0", "null"}};
  std::map<std::string, std::string> pushedOn;  // attributes -> the entity pushed onto them
  std::istringstream in(log.substr(log.rfind("A3DAsmModelFileLoadFromFile")));
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line) && line.rfind("A3DAsmModelFileDelete", 0) != 0) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const std::vector<std::string> words = Words(line);
    const size_t name = line.find(" name=\"");
    if (words[0] == "A3DRootBaseGet" && name != std::string::npos)
      labels[words[1]] = line.substr(name + 7, line.size() - name - 8);
    if (words[0] == "A3DRiRepresentationItemGet")
      labels.emplace(words[1], "item");
    if (words[0] == "A3DTessBaseGet")
      labels.emplace(words[1], "tess");
    if (words[0] == "A3DMiscCascadedAttributesPush")
      pushedOn[words[1]] = words[2].substr(std::string("entity=").size());
    calls.push_back(words);
  }
  for (const std::vector<std::string>& words : calls) {
    if (words[0] == "A3DMiscCascadedAttributesCreate") {
      const std::string& made = words.back();
      labels[made] =
          pushedOn.count(made) ? "attributes of " + labels[pushedOn[made]] : "root attributes";
    }
  }
  auto show = [&](const std::string& word) {
    const size_t hash = word.find('#');
    if (hash == std::string::npos)
      return word;
    const std::string handle = word.substr(hash);
    return word.substr(0, hash) + (labels.count(handle) ? labels[handle] : "unknown " + handle);
  };
  Trace trace;
  for (const std::vector<std::string>& words : calls) {
    const size_t arrow = std::find(words.begin(), words.end(), "->") - words.begin();
    std::string shown = words[0];
    if (words[0] == "A3DMiscCascadedAttributesCreate") {
      shown += " " + show(words.back());
    } else if (arrow == 3 && words[2] == "release") {
      shown += " release";
    } else {
      for (size_t i = 1; i < arrow; ++i)
        shown += " " + show(words[i]);
    }
    if (words[arrow + 1] != "0")
      shown += " -> " + words[arrow + 1];
    trace.push_back(shown);
  }
  return trace;
}

Trace Concat(std::initializer_list<Trace> parts) {
  Trace all;
  for (const Trace& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

// One level of the walk: the entity's name (not for an item), its attributes made, pushed onto
// its father's and their block read, its own block read; the levels below; then its block
// released, its attributes deleted and their block released.
Trace Level(const std::string& get, const std::string& entity, const std::string& father,
            const Trace& below, bool named = true) {
  const std::string attributes = "attributes of " + entity;
  const Trace name = {"A3DRootBaseGet " + entity, "A3DRootBaseGet release"};
  return Concat(
      {named ? name : Trace(),
       {"A3DMiscCascadedAttributesCreate " + attributes,
        "A3DMiscCascadedAttributesPush " + attributes + " entity=" + entity + " father=" + father,
        "A3DMiscCascadedAttributesGet " + attributes, get + " " + entity},
       below,
       {get + " release", "A3DMiscCascadedAttributesDelete " + attributes,
        "A3DMiscCascadedAttributesGet release"}});
}

// A part of one item whose tessellation is converted.
Trace PartLevel(const std::string& part, const std::string& father) {
  const Trace tessellation = {"A3DTessBaseGet tess", "A3DEntityGetType tess", "A3DTess3DGet tess",
                              "A3DTess3DGet release", "A3DTessBaseGet release"};
  return Level(
      "A3DAsmPartDefinitionGet", part, father,
      Level("A3DRiRepresentationItemGet", "item", "attributes of " + part, tessellation, false));
}

TEST_F(WalkOrderTest, EachLevelReadsPushesWalksBelowAndReleasesInTurn) {
  Model model;
  const uint32_t child = AddOccurrence(model, "child", AddTrianglePart(model, "child part"));
  const uint32_t root = AddOccurrence(model, "root", AddTrianglePart(model, "root part"), {child});
  model.occurrences[root].firstLinked = AddOccurrence(model, "linked");
  model.file.base.name = "file";
  model.file.occurrences = {root};
  ASSERT_EQ(1, Walk(model));
  EXPECT_EQ((std::vector<std::string>{"child part", "root part"}), Names());

  const std::string occurrence = "A3DAsmProductOccurrenceGet";
  const Trace expected = Concat({
      {"A3DRootBaseGet file", "A3DRootBaseGet release", "A3DAsmModelFileGet file",
       "A3DMiscCascadedAttributesCreate root attributes"},
      Level(occurrence, "root", "root attributes",
            Concat({Level(occurrence, "linked", "attributes of root", {}),
                    Level(occurrence, "child", "attributes of root",
                          PartLevel("child part", "attributes of child")),
                    PartLevel("root part", "attributes of root")})),
      {"A3DAsmModelFileGet release", "A3DMiscCascadedAttributesDelete root attributes"},
  });
  EXPECT_EQ(expected, WalkTrace(LibraryLog()));
}

TEST_F(WalkOrderTest, ASharedOccurrenceIsWalkedEachTimeItIsReached) {
  Model model;
  const uint32_t shared = AddLeaf(model, "shared");
  const uint32_t root = AddOccurrence(model, "root", kNoRef, {shared, shared});
  model.occurrences[root].firstLinked = shared;
  model.file.occurrences = {root, shared};
  ASSERT_EQ(1, Walk(model));
  EXPECT_EQ(4, meshes_.Count());
  EXPECT_EQ(std::vector<std::string>(4, "shared"), Names());
}

TEST_F(WalkOrderTest, EmptyLevelsAnswerOneAndTakeTheUnitWithoutAMesh) {
  struct Case {
    const char* what;
    std::function<void(Model&)> build;
  };
  const std::vector<Case> cases = {
      {"a model file without occurrences", [](Model&) {}},
      {"an occurrence without children or part",
       [](Model& m) { m.file.occurrences = {AddOccurrence(m, "empty")}; }},
      {"a part without items",
       [](Model& m) { m.file.occurrences = {AddOccurrence(m, "o", AddPart(m, "p", {}))}; }},
      {"linked occurrences that are empty",
       [](Model& m) {
         const uint32_t root = AddOccurrence(m, "root");
         m.occurrences[root].firstLinked = AddOccurrence(m, "l1");
         m.occurrences[root].secondLinked = AddOccurrence(m, "l2");
         m.file.occurrences = {root};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Model model;
    c.build(model);
    model.file.unit = 25.4;
    meshes_.Destroy();
    ModelUnit = 0;
    EXPECT_EQ(1, Walk(model));
    EXPECT_EQ(0, meshes_.Count());
    EXPECT_EQ(0, units_.Count());
    EXPECT_EQ(25.4, ModelUnit) << "the file's unit is taken before its occurrences are walked";
    EXPECT_EQ(0, names_.GetSize());
    EXPECT_EQ("", Error());
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

// A root of three children A, B, C and a part R, then a second root D. Whatever fails below B
// ends the whole walk: A's mesh stays, C, R and D are never read.
struct FailureCase {
  const char* what;
  std::function<void(Model&, uint32_t b)> spoil;
  const char* message;
};

class FirstFailureTest : public ReaderTest {
 protected:
  void Check(const FailureCase& c) {
    SCOPED_TRACE(c.what);
    scratch_.Write("a3d.log", "");
    Model model;
    const uint32_t a = AddLeaf(model, "A");
    const uint32_t b = AddLeaf(model, "B");
    const uint32_t cc = AddLeaf(model, "C");
    const uint32_t root = AddOccurrence(model, "root", AddTrianglePart(model, "R"), {a, b, cc});
    model.file.occurrences = {root, AddLeaf(model, "D")};
    c.spoil(model, b);

    EXPECT_EQ(0, Walk(model));
    EXPECT_EQ(c.message, Error());
    EXPECT_EQ(std::vector<std::string>{"A"}, Names());
    EXPECT_EQ(1, meshes_.Count());
    EXPECT_EQ(1, units_.Count());
    const std::string log = LibraryLog();
    for (const char* unread : {"name=\"C\"", "name=\"R\"", "name=\"D\""})
      EXPECT_EQ(std::string::npos, log.find(unread)) << unread;
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
};

Tessellation& TessOf(Model& m, uint32_t occurrence) {
  const a3dstore::PartDefinition& part = m.parts[m.occurrences[occurrence].part];
  return m.tessellations[m.items[part.items[0]].tessellation];
}

TEST_F(FirstFailureTest, EachFailingReadBelowTheSecondChildEndsTheWalk) {
  using a3dstore::kFailGet;
  const std::vector<FailureCase> cases = {
      {"the occurrence", [](Model& m, uint32_t b) { m.occurrences[b].base.flags = kFailGet; },
       "Unable to retrieve product occurence data"},
      {"its part",
       [](Model& m, uint32_t b) { m.parts[m.occurrences[b].part].base.flags = kFailGet; },
       "Unable to retrieve part definition data"},
      {"the item",
       [](Model& m, uint32_t b) {
         m.items[m.parts[m.occurrences[b].part].items[0]].base.flags = kFailGet;
       },
       "Unable to retrieve representation item data"},
      {"the item's tessellation is missing",
       [](Model& m, uint32_t b) {
         m.items[m.parts[m.occurrences[b].part].items[0]].tessellation = kNoRef;
       },
       "Unable to retrieve tesselation data [Invalid entity]"},
      {"the tessellation's base",
       [](Model& m, uint32_t b) { TessOf(m, b).base.flags = a3dstore::kFailTessBaseGet; },
       "Unable to retrieve tesselation data"},
      {"the tessellation's type",
       [](Model& m, uint32_t b) { TessOf(m, b).base.flags = a3dstore::kFailGetType; },
       "Unable to get tesselation type"},
      {"another type of tessellation", [](Model& m, uint32_t b) { TessOf(m, b).type = 170; },
       "Unsupported tesselation type"},
      {"the 3D data", [](Model& m, uint32_t b) { TessOf(m, b).base.flags = kFailGet; },
       "Unable to retrieve tesselation 3d data"},
      {"a point outside the tessellation",
       [](Model& m, uint32_t b) {
         TessOf(m, b) = Presented({0, 0, 0}, {0, 0, 0, 0, 0, 3});
       },
       "Unable to retrieve tesselation 3d data [Point index out of range]"},
      {"a second linked occurrence that fails",
       [](Model& m, uint32_t b) {
         const uint32_t linked = AddLeaf(m, "linked");
         m.occurrences[linked].base.flags = kFailGet;
         m.occurrences[b].secondLinked = linked;
       },
       "Unable to retrieve product occurence data"},
  };
  for (const FailureCase& c : cases) {
    meshes_.Destroy();
    units_.Destroy();
    names_.RemoveAll();
    EntityName.Empty();
    Check(c);
  }
}

TEST_F(WalkOrderTest, AModelFileThatCannotBeReadGivesNothing) {
  Model model = SingleTess(Triangle(0), "only");
  model.file.base.flags = a3dstore::kFailGet;
  EXPECT_EQ(0, Walk(model));
  EXPECT_EQ("Unable to retrieve model file data", Error());
  EXPECT_EQ(0, meshes_.Count());
  EXPECT_EQ("live=0 attached=0", SessionEnd());
}

TEST_F(WalkOrderTest, AFailedNameLookupLeavesItsTextAndTheWalkGoesOn) {
  Model model;
  const uint32_t a = AddLeaf(model, "A");
  const uint32_t b = AddLeaf(model, "B");
  model.occurrences[b].base.flags = a3dstore::kFailRootBaseGet;
  model.file.occurrences = {a, b, AddLeaf(model, "C")};
  EXPECT_EQ(1, Walk(model));
  EXPECT_EQ("Unable to retrieve root base", Error());
  // B's mesh takes the name read last before it
  EXPECT_EQ((std::vector<std::string>{"A", "A", "C"}), Names());
  EXPECT_EQ("live=0 attached=0", SessionEnd());
}

TEST_F(WalkOrderTest, MeshesOfAnEarlierFailureStayInTheArrays) {
  Model good = SingleTess(Triangle(0), "good");
  Model bad = SingleTess(Triangle(0), "bad");
  bad.tessellations[0].type = 171;
  EXPECT_EQ(0, WalkFiles({good, bad}));
  EXPECT_EQ("Unsupported tesselation type", Error());
  EXPECT_EQ(std::vector<std::string>{"good"}, Names());
  EXPECT_EQ(1, meshes_.Count());
}

}  // namespace
}  // namespace readertest
