// The document model as a reader walks it: annotations, Cos objects and streams read in
// chunks, with invalid values answered safely.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "standins/a3dlib/model_file.h"
#include "tests/host/host_test_support.h"
#include "tests/support/test_env.h"

namespace {

using standin::CosDictionary;
using standin::CosName;
using standin::CosStream;
using standin::DocumentModel;

const std::vector<uint8_t> kContent = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

class HostDocumentTest : public HostTest {
 protected:
  // AcroView 485 on a path, as a plug-in asks for it.
  HostViewDoc Open(const std::string& name) {
    HostAtom kind = HostAtomFromString("Cstring");
    HostFileSys fileSys = HostFileSysFromPath(kind, name.c_str());
    HostPathName path = HostPathNameFromPath(fileSys, kind, name.c_str(), nullptr);
    HostViewDoc view = HostOpenDocFromFile(path, fileSys, nullptr);
    HostReleasePathName(fileSys, path);
    return view;
  }
  // The first annotation's "3DD" value of a document with one page and one annotation.
  HostCosObj ModelStream(HostViewDoc view) {
    HostPage page = HostDocAcquirePage(HostViewDocGetPdDoc(view), 0);
    return HostCosDictGet(HostAnnotGetCosDict(HostPageGetAnnot(page, 0)),
                          HostAtomFromString("3DD"));
  }
  HostViewDoc AddModel() {
    return host().AddDocument(standin::ModelFileDocument("model", kContent));
  }
};

struct ChunkCase {
  uint32_t limit;
  uint32_t itemSize;
  uint32_t asked;
  std::vector<int32_t> reads;  // answers up to and including the end
};

TEST_F(HostDocumentTest, StreamsReadInChunks) {
  const ChunkCase kCases[] = {
      {0, 1, 100, {10, 0}},       {4, 1, 100, {4, 4, 2, 0}},
      {4, 1, 3, {3, 3, 3, 1, 0}}, {0, 4, 100, {2, 0}},  // whole items only
      {1, 4, 100, {1, 1, 0}},
  };
  for (const ChunkCase& test : kCases) {
    SCOPED_TRACE("limit " + std::to_string(test.limit) + ", item " + std::to_string(test.itemSize) +
                 ", asked " + std::to_string(test.asked));
    standin::Scenario scenario;
    scenario.streamReadLimit = test.limit;
    Start(scenario);
    HostStream stream = HostCosStreamOpen(ModelStream(AddModel()), 2);
    ASSERT_NE(stream, nullptr);
    std::vector<uint8_t> buffer(test.itemSize * test.asked);
    std::vector<uint8_t> bytes;
    for (int32_t expected : test.reads) {
      int32_t got = HostStreamRead(buffer.data(), test.itemSize, test.asked, stream);
      ASSERT_EQ(got, expected);
      bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + got * test.itemSize);
    }
    EXPECT_EQ(bytes, std::vector<uint8_t>(kContent.begin(), kContent.begin() + bytes.size()));
    EXPECT_EQ(host().Leaks().streams, 1u);
    HostStreamClose(stream);
    EXPECT_EQ(HostStreamRead(buffer.data(), 1, 1, stream), -1);
    EXPECT_TRUE(host().Leaks().Clean());
  }
}

TEST_F(HostDocumentTest, CosLookupsFollowTheModel) {
  HostCosObj stream = ModelStream(AddModel());
  EXPECT_EQ(HostCosObjType(stream), kHostCosStream);
  // A stream's keys are its dictionary's.
  HostCosObj subtype = HostCosDictGet(stream, HostAtomFromString("Subtype"));
  EXPECT_EQ(HostCosObjType(subtype), standin::kCosNameCode);
  EXPECT_EQ(host().AtomString(HostCosNameValue(subtype)), "PRC");
  HostCosObj missing = HostCosDictGet(stream, HostAtomFromString("Length"));
  EXPECT_EQ(HostCosObjType(missing), standin::kCosNullCode);
  EXPECT_EQ(HostCosStreamOpen(subtype, 2), nullptr);
  EXPECT_EQ(HostCosNameValue(stream), 0);
}

TEST_F(HostDocumentTest, InvalidValuesAnswerNull) {
  DocumentModel document;
  document.pages.resize(1);
  document.pages[0].annots.push_back({false, "Link", CosDictionary({{"S", CosName("X")}})});
  HostPdDoc doc = HostViewDocGetPdDoc(host().AddDocument(document));
  HostPage page = HostDocAcquirePage(doc, 0);
  EXPECT_EQ(HostDocPageCount(doc), 1);
  EXPECT_EQ(HostDocAcquirePage(doc, 1), nullptr);
  EXPECT_EQ(HostDocAcquirePage(doc, -1), nullptr);
  EXPECT_EQ(HostPageAnnotCount(page), 1);
  EXPECT_FALSE(HostAnnotIsValid(HostPageGetAnnot(page, 0)));
  EXPECT_EQ(host().AtomString(HostAnnotGetSubtype(HostPageGetAnnot(page, 0))), "Link");

  HostAnnot garbageAnnot = {0x12345678, 99};
  HostCosObj garbageCos = {0xDEADBEEF, 7};
  EXPECT_FALSE(HostAnnotIsValid(garbageAnnot));
  EXPECT_EQ(HostAnnotGetSubtype(garbageAnnot), 0);
  EXPECT_EQ(HostCosObjType(HostAnnotGetCosDict(garbageAnnot)), standin::kCosNullCode);
  EXPECT_EQ(HostCosObjType(garbageCos), standin::kCosNullCode);
  EXPECT_EQ(HostCosObjType(HostCosDictGet(garbageCos, HostAtomFromString("S"))),
            standin::kCosNullCode);
  EXPECT_EQ(HostCosStreamOpen(garbageCos, 2), nullptr);
  EXPECT_EQ(HostPageAnnotCount(reinterpret_cast<HostPage>(doc)), 0);
  EXPECT_EQ(HostDocPageCount(reinterpret_cast<HostPdDoc>(page)), 0);
  HostStreamClose(reinterpret_cast<HostStream>(page));
  EXPECT_EQ(host().Leaks().handleErrors.size(), 1u);
}

TEST_F(HostDocumentTest, OpeningAFileReadsItAtOnce) {
  const char* name = "host_document_test.prc";
  std::FILE* file = std::fopen(name, "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(kContent.data(), 1, kContent.size(), file);
  std::fclose(file);

  HostAtom kind = HostAtomFromString("Cstring");
  HostFileSys fileSys = HostFileSysFromPath(kind, name);
  HostPathName path = HostPathNameFromPath(fileSys, kind, name, nullptr);
  HostPathName missing = HostPathNameFromPath(fileSys, kind, "no_such_file.prc", nullptr);
  HostText title = HostTextNew();
  HostTextSetText(title, "Title");
  HostViewDoc view = HostOpenDocFromFile(path, fileSys, title);
  std::remove(name);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(HostOpenDocFromFile(missing, fileSys, title), nullptr);

  const DocumentModel* document = host().Document(view);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->title, "Title");
  ASSERT_NE(standin::FirstModelStream(*document), nullptr);
  EXPECT_EQ(*standin::FirstModelStream(*document), kContent);
  EXPECT_EQ(host().OpenedDocuments(), std::vector<HostViewDoc>{view});
  HostPage page = HostDocAcquirePage(HostViewDocGetPdDoc(view), 0);
  EXPECT_TRUE(HostAnnotIsValid(HostPageGetAnnot(page, 0)));
  EXPECT_EQ(host().AtomString(HostAnnotGetSubtype(HostPageGetAnnot(page, 0))), "3D");
  EXPECT_EQ(HostCosObjType(ModelStream(view)), kHostCosStream);
}

bool Readable(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file != nullptr) {
    std::fclose(file);
  }
  return file != nullptr;
}

// A file the host cannot take gives no document, never a crash, and the host says why. A
// directory in particular opens for reading on some systems and then claims a size no
// allocation could meet.
TEST_F(HostDocumentTest, WhatCannotBeReadOpensNoDocument) {
  testenv::ScratchDir scratch;
  std::filesystem::create_directory(scratch.File("a directory.prc"));
  const std::string empty = scratch.Write("empty.prc", "");
  const std::string huge = scratch.Write("huge.prc", "");
#if PTRDIFF_MAX <= INT32_MAX
  // more than a 32-bit process can hold in one block; sparse: nothing written
  std::filesystem::resize_file(huge, uint64_t(PTRDIFF_MAX) + 1);
#endif
  const std::string locked = scratch.Write("locked.prc", "model");
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  const struct {
    std::string path;
    const char* why;
  } kCases[] = {
    {scratch.File("a directory.prc"), "is a directory"},
    {scratch.File("missing.prc"), "cannot be opened"},
    {scratch.File("empty.prc") + "/below", "cannot be opened"},
    {locked, "cannot be opened"},
    {empty, "is empty"},
#if PTRDIFF_MAX <= INT32_MAX
    {huge, "is too large"},
#endif
#ifndef _WIN32
    {"/dev/null", "is not a regular file"},
#endif
  };
  for (const auto& test : kCases) {
    SCOPED_TRACE(test.path);
    if (test.path == locked && Readable(locked)) {
      continue;  // this user reads every file (the superuser): nothing to test
    }
    Start(standin::Scenario());
    EXPECT_EQ(Open(test.path), nullptr);
    EXPECT_TRUE(host().OpenedDocuments().empty());
    EXPECT_EQ(host().RefusedOpens(), std::vector<std::string>{"\"" + test.path + "\" " + test.why});
    EXPECT_TRUE(host().Leaks().Clean());
  }
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

}  // namespace
