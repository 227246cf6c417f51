// LoadLibraryExA's search, GetModuleHandleA and GetModuleFileNameA on the native build.
#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_dir.h"

namespace {

const std::string kProbePath = std::string(KV_BIN_DIR) + "/kvprobe.dll";

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

std::string FileNameOf(HMODULE module) {
  char buffer[PATH_MAX];
  const DWORD length = GetModuleFileNameA(module, buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? RealPath(buffer) : std::string();
}

// Copies of the probe under a name the program's directory does not have, one in a
// directory made current and one in a directory alone on PATH.
class SearchOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    savedCwd_ = cwd;
    const char* path = getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    ASSERT_FALSE(scratch_.path().empty());
    here_ = scratch_.Make("here");
    onPath_ = scratch_.Make("on_path");
    Place(here_);
    Place(onPath_);
    ASSERT_EQ(chdir(here_.c_str()), 0);
    setenv("PATH", onPath_.c_str(), 1);
  }
  void TearDown() override {
    EXPECT_EQ(chdir(savedCwd_.c_str()), 0);
    setenv("PATH", savedPath_.c_str(), 1);
  }
  void Place(const std::string& directory) {
    std::error_code error;
    std::filesystem::copy_file(kProbePath, directory + "/kvprobe_copy.dll", error);
    ASSERT_FALSE(error) << error.message();
  }

  TempDir scratch_;
  std::string here_;
  std::string onPath_;
  std::string savedCwd_;
  std::string savedPath_;
};

TEST_F(SearchOrder, ProgramDirectoryComesFirst) {
  std::error_code error;
  std::filesystem::copy_file(kProbePath, here_ + "/kvprobe.dll", error);
  HMODULE module = LoadLibraryExA("kvprobe.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FileNameOf(module), RealPath(kProbePath));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(SearchOrder, CurrentDirectoryBeforePathThenPath) {
  HMODULE module = LoadLibraryExA("kvprobe_copy.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FileNameOf(module), RealPath(here_ + "/kvprobe_copy.dll"));
  EXPECT_TRUE(FreeLibrary(module));

  ASSERT_EQ(unlink((here_ + "/kvprobe_copy.dll").c_str()), 0);
  module = LoadLibraryA("kvprobe_copy.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FileNameOf(module), RealPath(onPath_ + "/kvprobe_copy.dll"));
  EXPECT_TRUE(FreeLibrary(module));

  ASSERT_EQ(unlink((onPath_ + "/kvprobe_copy.dll").c_str()), 0);
  EXPECT_EQ(LoadLibraryA("kvprobe_copy.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(SearchOrder, LoadedModuleOfThatNameIsTheAnswer) {
  HMODULE elsewhere = LoadLibraryA((onPath_ + "/kvprobe_copy.dll").c_str());
  ASSERT_NE(elsewhere, nullptr);
  HMODULE again = LoadLibraryA("KVPROBE_COPY.DLL");
  EXPECT_EQ(again, elsewhere);
  EXPECT_TRUE(FreeLibrary(again));
  EXPECT_TRUE(FreeLibrary(elsewhere));
}

TEST_F(SearchOrder, NamesWithADirectoryAreOpenedAsGiven) {
  // Relative, with Windows separators, and without the default extension.
  HMODULE module = LoadLibraryA("..\\on_path\\kvprobe_copy");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FileNameOf(module), RealPath(onPath_ + "/kvprobe_copy.dll"));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(LoadLibraryA("../nowhere/kvprobe_copy.dll"), nullptr);
}

TEST(LoadLibrary, RefusesWhatIsNotALibrary) {
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(LoadLibraryA(""), nullptr);
  TempDir scratch;
  const std::string notLibrary = scratch.path() + "/text.dll";
  FILE* file = fopen(notLibrary.c_str(), "w");
  ASSERT_NE(file, nullptr);
  fputs("not a library", file);
  fclose(file);
  EXPECT_EQ(LoadLibraryA(notLibrary.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
}

TEST(GetProcAddress, FindsExportsAndRefusesTheRest) {
  HMODULE module = LoadLibraryA("kvprobe.dll");
  ASSERT_NE(module, nullptr);
  using SizeFn = size_t (*)();
  SizeFn size = reinterpret_cast<SizeFn>(GetProcAddress(module, "KvProbeDibSize"));
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size(), 48u);
  EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_TRUE(FreeLibrary(module));

  int notAModule = 0;
  EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&notAModule), "KvProbeDibSize"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "KvProbeDibSize"), nullptr);
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&notAModule)));
  EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(GetModuleHandle, FindsLoadedModulesWithoutAReference) {
  EXPECT_EQ(GetModuleHandleA("kvprobe.dll"), nullptr);
  HMODULE module = LoadLibraryA(kProbePath.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetModuleHandleA("kvprobe.dll"), module);
  EXPECT_EQ(GetModuleHandleA("KvProbe.DLL"), module);
  EXPECT_EQ(GetModuleHandleA("kvprobe"), module);
  EXPECT_EQ(GetModuleHandleA("C:\\anywhere\\kvprobe.dll"), module);
  EXPECT_EQ(FileNameOf(GetModuleHandleA("kvprobe.dll")), RealPath(kProbePath));
  // One FreeLibrary undoes the one LoadLibrary: the handle calls added no reference.
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleA("kvprobe.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleA("kvprobe.dl"), nullptr);
}

TEST(GetModuleHandle, NullAndOwnNameAreTheProgram) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(GetModuleHandleA("test_platform_windows."), program);
  EXPECT_EQ(FileNameOf(program), RealPath("/proc/self/exe"));
  EXPECT_EQ(FileNameOf(nullptr), RealPath("/proc/self/exe"));
}

// Windows XP's rule: a short buffer gets size - 1 characters and its NUL, and the answer
// is the size itself.
TEST(GetModuleFileName, TruncatesAsWindowsXpDoes) {
  char full[PATH_MAX];
  const DWORD length = GetModuleFileNameA(nullptr, full, sizeof full);
  ASSERT_GT(length, 4u);
  ASSERT_EQ(length, strlen(full));

  struct Case {
    DWORD size;
    DWORD answer;
    size_t copied;
  };
  const Case cases[] = {
      {length + 1, length, length},
      {length + 50, length, length},
      {length, length, length - 1},
      {3, 3, 2},
      {1, 1, 0},
  };
  for (const Case& c : cases) {
    std::string buffer(length + 60, '#');
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer.data(), c.size), c.answer) << c.size;
    EXPECT_EQ(std::string(buffer.c_str()), std::string(full, c.copied)) << c.size;
    EXPECT_EQ(buffer[c.size], '#') << "wrote past the buffer, size " << c.size;
  }

  char untouched[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(GetModuleFileNameA(nullptr, untouched, 0), 0u);
  EXPECT_EQ(untouched[0], '#');
  EXPECT_EQ(GetModuleFileNameA(nullptr, nullptr, 10), 0u);
  int notAModule = 0;
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(&notAModule), full, sizeof full), 0u);
}

}  // namespace
