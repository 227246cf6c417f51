// GetOpenFileNameA / GetSaveFileNameA on the native build: a prompt on standard output and
// one line from standard input.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "stdin_feed.h"

namespace {

const char kSkpFilter[] = "SketchUp SKP Files (*.skp)\0*.skp\0\0";

struct Dialog {
  explicit Dialog(DWORD size = MAX_PATH) : file(size + 1, '\0') {
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = kSkpFilter;
    ofn.lpstrDefExt = "skp";
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = size;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
  }
  std::string File() const { return std::string(file.c_str()); }

  OPENFILENAMEA ofn = {};
  std::string file;
  char title[64] = {};
};

BOOL Ask(Dialog* dialog, const std::string& input, std::string* prompt, bool save = false) {
  StdinFeed feed(input);
  ::testing::internal::CaptureStdout();
  const BOOL chosen = save ? GetSaveFileNameA(&dialog->ofn) : GetOpenFileNameA(&dialog->ofn);
  *prompt = ::testing::internal::GetCapturedStdout();
  return chosen;
}

TEST(FilePrompt, AnswersFillTheRecord) {
  struct Case {
    const char* input;
    const char* path;
    WORD offset;
    WORD extension;
  };
  const Case cases[] = {
      {"C:\\Models\\house.skp\n", "C:\\Models\\house.skp", 10, 16},
      {"/home/u/model.skp\r\n", "/home/u/model.skp", 8, 14},
      {"plain\n", "plain", 0, 5},              // no extension: the offset of the NUL
      {"dir.d/name.\n", "dir.d/name.", 6, 0},  // a final dot: 0
      {"C:house.skp\n", "C:house.skp", 2, 8},
      {"last line without newline", "last line without newline", 0, 25},
      {"  spaced name.skp  \n", "  spaced name.skp  ", 0, 14},
  };
  for (const Case& c : cases) {
    Dialog dialog;
    std::string prompt;
    ASSERT_TRUE(Ask(&dialog, c.input, &prompt)) << c.input;
    EXPECT_EQ(dialog.File(), c.path);
    EXPECT_EQ(dialog.ofn.nFileOffset, c.offset) << c.input;
    EXPECT_EQ(dialog.ofn.nFileExtension, c.extension) << c.input;
    EXPECT_EQ(std::string(dialog.title), c.path + dialog.ofn.nFileOffset);
  }
}

TEST(FilePrompt, EmptyLineEndOfInputAndTooLongAreCancel) {
  const std::string tooLongForAnyone(40000, 'x');
  const struct {
    std::string input;
    DWORD size;
  } cases[] = {
      {"\n", MAX_PATH},
      {"\r\n", MAX_PATH},
      {"", MAX_PATH},
      {"abcdefgh\n", 8},  // needs 9 with its NUL
      {tooLongForAnyone + "\n", 50000},
  };
  for (const auto& c : cases) {
    Dialog dialog(c.size);
    dialog.file.assign(c.size + 1, '#');
    dialog.file[c.size] = '\0';
    std::string prompt;
    EXPECT_FALSE(Ask(&dialog, c.input, &prompt)) << c.input.substr(0, 20);
    EXPECT_EQ(dialog.file[0], '#') << "a cancelled dialog leaves the name alone";
  }
  Dialog fits(9);
  std::string prompt;
  EXPECT_TRUE(Ask(&fits, "abcdefgh\n", &prompt));
}

// A piped answer is echoed after the prompt, so the transcript shows it.
TEST(FilePrompt, ShowsTheFilterOrTheDefaultExtension) {
  std::string prompt;
  Dialog open;
  Ask(&open, "\n", &prompt);
  EXPECT_EQ(prompt,
            "Open [SketchUp SKP Files (*.skp)]: "
            "\n");
  Dialog save;
  Ask(&save, "\n", &prompt, true);
  EXPECT_EQ(prompt,
            "Save [SketchUp SKP Files (*.skp)]: "
            "\n");
  Dialog noFilter;
  noFilter.ofn.lpstrFilter = nullptr;
  Ask(&noFilter, "\n", &prompt);
  EXPECT_EQ(prompt,
            "Open [*.skp]: "
            "\n");
  noFilter.ofn.lpstrDefExt = nullptr;
  Ask(&noFilter, "\n", &prompt);
  EXPECT_EQ(prompt,
            "Open: "
            "\n");
}

TEST(FilePrompt, ReadsOneLineAndLeavesTheRest) {
  StdinFeed feed("first.skp\nsecond.skp\n");
  Dialog first;
  Dialog second;
  Dialog third;
  ::testing::internal::CaptureStdout();
  EXPECT_TRUE(GetOpenFileNameA(&first.ofn));
  EXPECT_TRUE(GetOpenFileNameA(&second.ofn));
  EXPECT_FALSE(GetOpenFileNameA(&third.ofn));
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(first.File(), "first.skp");
  EXPECT_EQ(second.File(), "second.skp");
}

TEST(FilePrompt, RefusesARecordWithoutABuffer) {
  EXPECT_FALSE(GetOpenFileNameA(nullptr));
  Dialog dialog;
  dialog.ofn.lpstrFile = nullptr;
  std::string prompt;
  EXPECT_FALSE(Ask(&dialog, "x.skp\n", &prompt));
  dialog.ofn.lpstrFile = dialog.file.data();
  dialog.ofn.nMaxFile = 0;
  EXPECT_FALSE(Ask(&dialog, "x.skp\n", &prompt));
}

}  // namespace
