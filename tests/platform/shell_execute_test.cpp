// ShellExecuteA on the native build: the test hook, a missing file, no opener, and an
// opener started detached.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "temp_dir.h"

namespace {

intptr_t ShellResult(HINSTANCE result) {
  return reinterpret_cast<intptr_t>(result);
}

std::string hookSaw;
intptr_t RecordingHook(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                       INT showCommand) {
  auto text = [](LPCSTR s) { return std::string(s != nullptr ? s : "-"); };
  hookSaw = std::to_string(reinterpret_cast<intptr_t>(owner)) + "|" + text(verb) + "|" +
            text(file) + "|" + text(parameters) + "|" + text(directory) + "|" +
            std::to_string(showCommand);
  return 77;
}

TEST(ShellExecute, HookAnswersInsteadOfTheShellWithEveryArgument) {
  KvSetShellExecuteHook(RecordingHook);
  HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(intptr_t{12}), "open",
                                   "/no/such/file.pdf", nullptr, "/tmp", SW_SHOW);
  KvSetShellExecuteHook(nullptr);
  EXPECT_EQ(ShellResult(result), 77);
  EXPECT_EQ(hookSaw, "12|open|/no/such/file.pdf|-|/tmp|5");
}

// PATH holds only a scratch directory, with or without a fake xdg-open that writes its
// argument to a marker file.
class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    bin_ = scratch_.Make("bin");
    document_ = scratch_.path() + "/manual.pdf";
    marker_ = scratch_.path() + "/opened";
    std::ofstream(document_) << "%PDF";
    setenv("PATH", bin_.c_str(), 1);
  }
  void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }
  void InstallOpener() {
    const std::string opener = bin_ + "/xdg-open";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > \"" << marker_ << ".tmp\"\n/bin/mv \""
                          << marker_ << ".tmp\" \"" << marker_ << "\"\n";
    chmod(opener.c_str(), 0755);
  }
  // The opener runs on its own: wait a bounded time for its mark.
  std::string WaitForMarker() {
    for (int i = 0; i < 500; ++i) {
      std::ifstream in(marker_);
      if (in) {
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "<never opened>";
  }
  intptr_t Open(const char* verb, const std::string& file, std::string* said) {
    ::testing::internal::CaptureStderr();
    HINSTANCE result = ShellExecuteA(nullptr, verb, file.c_str(), nullptr, nullptr, SW_SHOW);
    *said = ::testing::internal::GetCapturedStderr();
    return ShellResult(result);
  }

  TempDir scratch_;
  std::string savedPath_;
  std::string bin_;
  std::string document_;
  std::string marker_;
};

TEST_F(Shell, MissingFileIsFileNotFound) {
  InstallOpener();
  std::string said;
  EXPECT_EQ(Open("open", "/no/such/manual.pdf", &said), SE_ERR_FNF);
  EXPECT_EQ(said, "shell: open \"/no/such/manual.pdf\": no such file\n");
}

TEST_F(Shell, NothingToOpenWithIsNoAssociation) {
  std::string said;
  EXPECT_EQ(Open("open", document_, &said), SE_ERR_NOASSOC);
  EXPECT_EQ(said, "shell: open \"" + document_ + "\": no program to open it\n");
  EXPECT_EQ(Open(nullptr, "https://example.org/help", &said), SE_ERR_NOASSOC);
}

TEST_F(Shell, OtherVerbsHaveNoAssociation) {
  InstallOpener();
  std::string said;
  EXPECT_EQ(Open("print", document_, &said), SE_ERR_NOASSOC);
  EXPECT_EQ(said, "shell: print \"" + document_ + "\": no program to open it\n");
}

TEST_F(Shell, StartsTheOpenerDetached) {
  InstallOpener();
  std::string said;
  EXPECT_EQ(Open("open", document_, &said), 42);
  EXPECT_EQ(said, "shell: open \"" + document_ + "\": started xdg-open\n");
  EXPECT_EQ(WaitForMarker(), document_ + "\n");
}

TEST_F(Shell, UrlsGoToTheOpenerUnchecked) {
  InstallOpener();
  std::string said;
  EXPECT_EQ(Open(nullptr, "https://example.org/help", &said), 42);
  EXPECT_EQ(WaitForMarker(), "https://example.org/help\n");
}

}  // namespace
