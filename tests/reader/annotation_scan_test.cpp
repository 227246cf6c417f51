// The document scan and ReadDocumentPrc: which annotations are read, in which order, what a
// failure ends, and the library's session around it.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "tests/reader/documents.h"
#include "tests/reader/model_builders.h"
#include "tests/reader/reader_fixture.h"

namespace readertest {
namespace {

// The bytes of a model file of one triangle at x, its occurrence named `name`.
std::vector<uint8_t> Named(const std::string& name, double x = 0) {
  return Bytes(SingleTess(Triangle(x), name));
}

class AnnotationScanTest : public ReaderTest {
 protected:
  HostViewDoc Add(const DocumentModel& document) {
    view_ = session_->host.AddDocument(document);
    return view_;
  }
  // Runs the scan on a document, with a mesh already in the array that the scan must drop and
  // a temporary file left from before that it must delete, whatever it finds.
  int ScanDocument(const DocumentModel& document) {
    meshes_.Append(ON_Mesh());
    std::ofstream(TempPrc(), std::ios::binary) << "left over";
    const int result = Scan(Add(document));
    if (std::getenv("temp")) {
      EXPECT_FALSE(testenv::FileExists(TempPrc())) << "the temporary file is deleted";
    }
    return result;
  }
  const standin::Host& host() const { return session_->host; }

  HostViewDoc view_ = nullptr;
};

TEST_F(AnnotationScanTest, ADocumentWithoutPrcAnnotationsGivesOneAndAnEmptyArray) {
  AnnotModel link;
  link.subtype = "Link";
  const std::vector<std::pair<const char*, DocumentModel>> cases = {
      {"no pages", Document({})},
      {"pages without annotations", Document({PageModel{}, PageModel{}})},
      {"only other annotations", Document({PageModel{{link, link}}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    EXPECT_EQ(1, ScanDocument(c.second));
    EXPECT_EQ(0, meshes_.Count());
    EXPECT_EQ("", Error());
  }
  EXPECT_EQ(0u, Calls(host(), "HostCosStreamOpen"));
}

TEST_F(AnnotationScanTest, AnnotationsThatAreNotPrcArePassedOverWithoutAMessage) {
  AnnotModel invalid = PrcAnnot(Named("skipped"));
  invalid.valid = false;
  const std::vector<std::pair<const char*, AnnotModel>> cases = {
      {"an invalid annotation", invalid},
      {"another subtype", ThreeD(PrcStream(Named("skipped")), "RichMedia")},
      {"a 3DD that is a dictionary",
       ThreeD(standin::CosDictionary({{"Subtype", standin::CosName("PRC")}}))},
      {"a 3DD that is a name", ThreeD(standin::CosName("PRC"))},
      {"no 3DD", ThreeD(standin::CosNull())},
      {"a stream of another Subtype", ThreeD(PrcStream(Named("skipped"), "U3D"))},
      {"a stream without Subtype", ThreeD(standin::CosStream({}, Named("skipped")))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    meshes_.Destroy();
    names_.RemoveAll();
    // the scan goes on to the next annotation of the page
    EXPECT_EQ(1, ScanDocument(Document({PageModel{{c.second, PrcAnnot(Named("read"))}}})));
    EXPECT_EQ(std::vector<std::string>{"read"}, Names());
    EXPECT_EQ("", Error());
  }
  EXPECT_EQ(cases.size(), Calls(host(), "HostCosStreamOpen"));
}

TEST_F(AnnotationScanTest, PrcAnnotationsAreReadInPageAndAnnotationOrder) {
  Model inches = SingleTess(Triangle(3), "third");
  inches.file.unit = 25.4;
  EXPECT_EQ(1, ScanDocument(
                   Document({PageModel{{PrcAnnot(Named("first", 1)), PrcAnnot(Named("second", 2))}},
                             PageModel{}, PageModel{{PrcAnnot(Bytes(inches))}}})));
  EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), Names());
  EXPECT_EQ((std::vector<double>{1, 1, 25.4}), Units());
  ASSERT_EQ(3, meshes_.Count());
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(float(i + 1), meshes_[i].m_V[0].x);
  // the counts are asked again before each page and each annotation
  EXPECT_EQ(4u, Calls(host(), "HostDocPageCount"));
  EXPECT_EQ(3u + 1u + 2u, Calls(host(), "HostPageAnnotCount"));
  EXPECT_EQ(3u, Calls(host(), "HostStreamClose"));
  EXPECT_TRUE(host().Leaks().Clean());
}

// A page of a good annotation, a failing one and another good one, then a page with a good
// one: the failure ends its page only.
TEST_F(AnnotationScanTest, AFailureEndsItsPageAndTheScanGoesOnWithTheNext) {
  Model unreadable = SingleTess(Triangle(0), "bad");
  unreadable.occurrences[0].base.flags = a3dstore::kFailGet;
  std::vector<uint8_t> cut = Named("bad");
  cut.resize(cut.size() / 2);
  struct Case {
    const char* what;
    std::vector<uint8_t> failing;
    uint32_t failingRead;  // the host read that fails (0: none)
    const char* message;
  };
  const std::vector<Case> cases = {
      {"a damaged file", cut, 0, "Unable to load model file"},
      {"a walk that fails", Bytes(unreadable), 0, "Unable to retrieve product occurence data"},
      {"a read that fails", Named("bad"), 2,
       "Unable to create PRC file [The stream cannot be read]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    standin::Scenario scenario;
    if (c.failingRead) {
      scenario.failOperation = "HostStreamRead";
      scenario.failOperationCall = c.failingRead;
    }
    session_.emplace(scenario);
    meshes_.Destroy();
    names_.RemoveAll();
    EXPECT_EQ(0, ScanDocument(Document(
                     {PageModel{{PrcAnnot(Named("A")), PrcAnnot(c.failing), PrcAnnot(Named("B"))}},
                      PageModel{{PrcAnnot(Named("C")), PrcAnnot(Named("D"))}}})));
    EXPECT_EQ((std::vector<std::string>{"A", "C", "D"}), Names());
    EXPECT_EQ(3, meshes_.Count());
    // the message of the failure stays: later successes do not clear it
    EXPECT_EQ(c.message, Error());
    EXPECT_EQ(4u, Calls(host(), "HostCosStreamOpen"));
    EXPECT_TRUE(host().Leaks().Clean());
    EXPECT_EQ("live=0 attached=0", SessionEnd());
  }
}

TEST_F(AnnotationScanTest, AStreamOfExactly2048BytesIsReadInTwoFullReadsAndAnEmptyOne) {
  // a model file padded through its name to 2048 bytes
  Model model = SingleTess(Triangle(0), "x");
  const size_t shortBy = 2048 - Bytes(model).size();
  model.file.base.name = std::string(shortBy, 'p');
  const std::vector<uint8_t> bytes = Bytes(model);
  ASSERT_EQ(2048u, bytes.size());
  EXPECT_EQ(1, ScanDocument(Document({PageModel{{PrcAnnot(bytes)}}})));
  EXPECT_EQ((std::vector<std::string>{"1024", "1024", "0"}), Answers(host(), "HostStreamRead"));
  EXPECT_EQ(std::vector<std::string>{"x"}, Names());
}

TEST_F(AnnotationScanTest, WithoutATempVariableEveryCopyFails) {
  testenv::SetEnv("temp", nullptr);
  EXPECT_EQ(0, ScanDocument(Document({PageModel{{PrcAnnot(Named("A")), PrcAnnot(Named("B"))}},
                                      PageModel{{PrcAnnot(Named("C"))}}})));
  EXPECT_EQ("Unable to create PRC file", Error());
  EXPECT_EQ(0, meshes_.Count());
  EXPECT_EQ(0u, Calls(host(), "HostCosStreamOpen"));
  EXPECT_TRUE(testenv::FileExists(TempPrc())) << "no path, nothing deleted";
  // without PRC annotations there is nothing to copy
  EXPECT_EQ(1, ScanDocument(Document({PageModel{}})));
}

class ReadDocumentTest : public AnnotationScanTest {
 protected:
  // ReadDocumentPrc on a document of one PRC annotation, the array holding two meshes before.
  int Read() {
    meshes_.Destroy();
    meshes_.Append(MakeMesh({{9, 9, 9}}, {}));
    meshes_.Append(ON_Mesh());
    Add(Document({PageModel{{PrcAnnot(Named("read", 4))}}}));
    const int result = ReadDocumentPrc(view_, meshes_);
    EXPECT_FALSE(testenv::FileExists(TempPrc()));
    return result;
  }
  void ExpectArrayAsPassed() {
    ASSERT_EQ(2, meshes_.Count());
    EXPECT_EQ(1, meshes_[0].VertexCount());
    EXPECT_EQ(0u, Calls(host(), "HostViewDocGetPdDoc")) << "the document is not read";
  }
};

TEST_F(ReadDocumentTest, AReadyLibraryGivesTheDocumentsMeshesInPlaceOfTheArraysOwn) {
  EXPECT_EQ(1, Read());
  ASSERT_EQ(1, meshes_.Count());
  EXPECT_EQ(4.0f, meshes_[0].m_V[0].x);
  EXPECT_EQ("live=0 attached=0", SessionEnd());
  EXPECT_NE(std::string::npos, LibraryLog().find("unload live=0 attached=0"));
}

TEST_F(ReadDocumentTest, WithoutTheLibraryNothingIsRead) {
  WithoutLibrary();
  EXPECT_EQ(0, Read());
  EXPECT_EQ("Unable to load Acrobat 3D Library (A3DLIB.DLL)", Error());
  ExpectArrayAsPassed();
}

TEST_F(ReadDocumentTest, ALibraryThatDoesNotInitialiseIsUnloadedWithoutTermination) {
  testenv::ScopedEnv init("KV_A3D_INIT_RESULT", "-7");
  EXPECT_EQ(0, Read());
  EXPECT_EQ("Unable to initialize the Acrobat 3D Library", Error());
  ExpectArrayAsPassed();
  const std::vector<std::string> calls = LibraryCalls();
  EXPECT_EQ(0, std::count(calls.begin(), calls.end(), "A3DDllTerminate"));
  EXPECT_EQ("unload", calls.back());
}

TEST_F(ReadDocumentTest, ALibraryWithoutAnEntryTheWalkNeedsIsTerminatedAndUnloaded) {
  WithLibraryIn(KV_A3DLIB_PARTIAL_DIR);
  EXPECT_EQ(0, Read());
  EXPECT_EQ("Incompatible Acrobat 3D Library [Missing entry point A3DTess3DGet]", Error());
  ExpectArrayAsPassed();
  const std::vector<std::string> calls = LibraryCalls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ("A3DDllTerminate", calls[calls.size() - 2]);
  EXPECT_EQ("unload", calls.back());
}

}  // namespace
}  // namespace readertest
