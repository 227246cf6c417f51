// DumpPrcStream: a 3D stream's content copied into a file in reads of 1024 bytes.
#include "tests/reader/documents.h"
#include "tests/reader/reader_fixture.h"

namespace readertest {
namespace {

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i)
    bytes[i] = uint8_t(i * 7 + i / 256);
  return bytes;
}

class StreamCopyTest : public ReaderTest {
 protected:
  // A host with the scenario, holding a document whose one stream has the content.
  HostCosObj StreamOf(const std::vector<uint8_t>& content,
                      standin::Scenario scenario = standin::Scenario()) {
    session_.emplace(scenario);
    view_ = session_->host.AddDocument(Document({PageModel{{PrcAnnot(content)}}}));
    return FirstStream(view_);
  }
  int Dump(HostCosObj stream, const std::string& path) {
    CString target(path.c_str());
    return DumpPrcStream(stream, target);
  }
  const standin::Host& host() const { return session_->host; }

  HostViewDoc view_ = nullptr;
};

TEST_F(StreamCopyTest, ReadsOf1024BytesGoOnUntilOneComesBackShort) {
  struct Case {
    size_t size;
    uint32_t readLimit;
    std::vector<std::string> reads;
    size_t copied;
  };
  const std::vector<Case> cases = {
      {0, 0, {"0"}, 0},
      {1023, 0, {"1023"}, 1023},
      {1024, 0, {"1024", "0"}, 1024},
      {2048, 0, {"1024", "1024", "0"}, 2048},
      {2500, 0, {"1024", "1024", "452"}, 2500},
      // a host that hands out less than asked ends the copy at its first short read
      {2048, 1000, {"1000"}, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " bytes, limit " << c.readLimit);
    standin::Scenario scenario;
    scenario.streamReadLimit = c.readLimit;
    const std::vector<uint8_t> content = Pattern(c.size);
    HostCosObj stream = StreamOf(content, scenario);
    const std::string path = scratch_.File("copy.prc");
    ASSERT_EQ(1, Dump(stream, path));
    EXPECT_EQ(c.reads, Answers(host(), "HostStreamRead"));
    EXPECT_EQ(std::string(content.begin(), content.begin() + c.copied), testenv::ReadFile(path));
    for (const standin::CallRecord& call : host().Log()) {
      if (call.operation == "HostStreamRead") {
        EXPECT_NE(std::string::npos, call.arguments.find(", 1, 1024, ")) << call.arguments;
      }
      if (call.operation == "HostCosStreamOpen") {
        EXPECT_EQ(", 0x2", call.arguments.substr(call.arguments.size() - 5)) << "decoded";
      }
    }
    EXPECT_EQ(1u, Calls(host(), "HostCosStreamOpen"));
    EXPECT_EQ(1u, Calls(host(), "HostStreamClose"));
    EXPECT_TRUE(host().Leaks().Clean());
  }
}

TEST_F(StreamCopyTest, AReadThatReportsAnErrorEndsTheCopyAsAFailure) {
  for (uint32_t failing : {1u, 2u, 3u}) {
    SCOPED_TRACE(failing);
    standin::Scenario scenario;
    scenario.failOperation = "HostStreamRead";
    scenario.failOperationCall = failing;
    HostCosObj stream = StreamOf(Pattern(5000), scenario);
    EXPECT_EQ(0, Dump(stream, scratch_.File("copy.prc")));
    EXPECT_EQ("Unable to create PRC file [The stream cannot be read]", Error());
    std::vector<std::string> reads = Answers(host(), "HostStreamRead");
    ASSERT_EQ(failing, reads.size()) << "no read after the error";
    EXPECT_EQ("-1", reads.back());
    EXPECT_EQ(1u, Calls(host(), "HostStreamClose"));
    EXPECT_TRUE(host().Leaks().Clean());
  }
}

TEST_F(StreamCopyTest, AStreamTheHostDoesNotOpenIsNeitherReadNorClosed) {
  standin::Scenario scenario;
  scenario.failOperation = "HostCosStreamOpen";
  scenario.failOperationCall = 1;
  HostCosObj stream = StreamOf(Pattern(10), scenario);
  EXPECT_EQ(0, Dump(stream, scratch_.File("copy.prc")));
  EXPECT_EQ("Unable to create PRC file [The stream cannot be read]", Error());
  EXPECT_EQ(0u, Calls(host(), "HostStreamRead"));
  EXPECT_EQ(0u, Calls(host(), "HostStreamClose"));
  EXPECT_TRUE(host().Leaks().Clean());
}

TEST_F(StreamCopyTest, AFileThatCannotBeCreatedLeavesTheStreamUnopened) {
  HostCosObj stream = StreamOf(Pattern(10));
  for (const std::string& path : {scratch_.File("missing/dir/copy.prc"), std::string()}) {
    SCOPED_TRACE(path);
    SetLastErrorText("");
    EXPECT_EQ(0, Dump(stream, path));
    EXPECT_EQ("Unable to create PRC file", Error());
  }
  EXPECT_EQ(0u, Calls(host(), "HostCosStreamOpen"));
  EXPECT_TRUE(host().Leaks().Clean());
}

}  // namespace
}  // namespace readertest
