// CFileDialog: MFC's filter turned into the dialog's list, the record it fills, the test
// answer, and (native) the terminal prompt behind DoModal.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/file_dialog.h"
#if !defined(_WIN32)
#include "stdin_feed.h"
#endif

namespace {

const char kSkpFilter[] = "SketchUp SKP Files (*.skp)|*.skp||";

// A literal with its NULs (without the one the compiler adds).
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// The dialog's list up to and with its double NUL.
std::string ListOf(const char* list) {
  if (list == nullptr) {
    return "<null>";
  }
  size_t length = 0;
  while (list[length] != '\0' || list[length + 1] != '\0') {
    ++length;
  }
  return std::string(list, length + 2);
}

class FileDialog : public ::testing::Test {
 protected:
  void TearDown() override { KvSetFileDialogAnswerForTesting(nullptr, false); }
};

TEST_F(FileDialog, FilterBecomesTheDialogsList) {
  const struct {
    const char* filter;
    std::string list;
  } cases[] = {
      {kSkpFilter, Bytes("SketchUp SKP Files (*.skp)\0*.skp\0\0")},
      {"A (*.a)|*.a|B (*.b;*.c)|*.b;*.c||", Bytes("A (*.a)\0*.a\0B (*.b;*.c)\0*.b;*.c\0\0")},
      {"No end (*.x)|*.x", Bytes("No end (*.x)\0*.x\0\0")},
      {"", "<null>"},
      {nullptr, "<null>"},
  };
  for (const auto& c : cases) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, c.filter);
    EXPECT_EQ(ListOf(dialog.m_ofn.lpstrFilter), c.list) << (c.filter ? c.filter : "null");
  }
}

TEST_F(FileDialog, RecordHoldsWhatItWasMadeWith) {
  char extension[] = "skp";
  CWnd parent;
  parent.m_hWnd = reinterpret_cast<HWND>(0x1234);
  CFileDialog dialog(TRUE, extension, "start.skp", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kSkpFilter,
                     &parent);
  extension[0] = 'X';  // the dialog keeps its own copy
  EXPECT_STREQ(dialog.m_ofn.lpstrDefExt, "skp");
  EXPECT_STREQ(dialog.m_ofn.lpstrFile, "start.skp");
  EXPECT_GE(dialog.m_ofn.nMaxFile, static_cast<DWORD>(MAX_PATH));
  EXPECT_EQ(dialog.m_ofn.hwndOwner, parent.m_hWnd);
  EXPECT_EQ(dialog.m_ofn.lStructSize, sizeof(OPENFILENAMEA));
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
  EXPECT_EQ(dialog.m_ofn.Flags & (OFN_FILEMUSTEXIST | OFN_HIDEREADONLY),
            static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
  EXPECT_EQ(dialog.GetPathName(), "start.skp");

  CFileDialog bare(FALSE, nullptr, nullptr, 0, nullptr, nullptr, 76);
  EXPECT_EQ(bare.m_ofn.lpstrDefExt, nullptr);
  EXPECT_STREQ(bare.m_ofn.lpstrFile, "");
  EXPECT_EQ(bare.m_ofn.hwndOwner, nullptr);
  EXPECT_EQ(bare.m_ofn.lStructSize, 76u);

  const std::string longName(5000, 'n');
  CFileDialog cut(TRUE, nullptr, longName.c_str());
  EXPECT_EQ(std::string(cut.m_ofn.lpstrFile), longName.substr(0, cut.m_ofn.nMaxFile - 1));
}

TEST_F(FileDialog, TestAnswerIsChosen) {
  KvSetFileDialogAnswerForTesting("C:\\Models\\house.skp", true);
  const int calls = KvLastFileDialog().calls;
  CFileDialog dialog(TRUE, "skp", nullptr, OFN_FILEMUSTEXIST, kSkpFilter);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), "C:\\Models\\house.skp");
  EXPECT_EQ(dialog.GetFileName(), "house.skp");
  EXPECT_EQ(dialog.m_ofn.nFileOffset, 10);
  EXPECT_EQ(dialog.m_ofn.nFileExtension, 16);

  const KvFileDialogRecord record = KvLastFileDialog();
  EXPECT_EQ(record.calls, calls + 1);
  EXPECT_TRUE(record.open);
  EXPECT_EQ(record.filter, Bytes("SketchUp SKP Files (*.skp)\0*.skp\0\0"));
  EXPECT_EQ(KvLastFileDialogFilter(), record.filter);
  EXPECT_EQ(record.defaultExtension, "skp");
  EXPECT_EQ(record.fileName, "");
  EXPECT_NE(record.flags & OFN_FILEMUSTEXIST, 0u);
}

TEST_F(FileDialog, TestCancelAndAnswersThatDoNotFit) {
  KvSetFileDialogAnswerForTesting(nullptr, true);
  CFileDialog cancelled(FALSE, "skp", "kept.skp");
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(cancelled.GetPathName(), "kept.skp");
  EXPECT_FALSE(KvLastFileDialog().open);
  EXPECT_EQ(KvLastFileDialog().fileName, "kept.skp");

  KvSetFileDialogAnswerForTesting("C:\\far\\too\\long.skp", true);
  CFileDialog small(TRUE);
  small.m_ofn.nMaxFile = 8;
  EXPECT_EQ(small.DoModal(), IDCANCEL);
  EXPECT_EQ(small.GetPathName(), "");

  KvSetFileDialogAnswerForTesting("", true);
  CFileDialog empty(TRUE);
  EXPECT_EQ(empty.DoModal(), IDCANCEL);
}

#if !defined(_WIN32)
// Without the test answer the native dialog is the terminal prompt.
TEST_F(FileDialog, NativeDoModalAsksTheTerminal) {
  const struct {
    BOOL open;
    const char* input;
    INT_PTR result;
    const char* prompt;
    const char* path;
  } cases[] = {
      {TRUE, "/models/house.skp\n", IDOK, "Open [SketchUp SKP Files (*.skp)]: /models/house.skp\n",
       "/models/house.skp"},
      {FALSE, "/out/copy.skp\n", IDOK, "Save [SketchUp SKP Files (*.skp)]: /out/copy.skp\n",
       "/out/copy.skp"},
      {TRUE, "\n", IDCANCEL, "Open [SketchUp SKP Files (*.skp)]: \n", ""},
  };
  for (const auto& c : cases) {
    CFileDialog dialog(c.open, "skp", nullptr, OFN_FILEMUSTEXIST, kSkpFilter);
    StdinFeed feed(c.input);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(dialog.DoModal(), c.result) << c.input;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.prompt);
    EXPECT_EQ(dialog.GetPathName(), c.path);
  }
}
#endif

}  // namespace
