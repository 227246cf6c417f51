// The Help command: where it looks for the help file, the shell call it makes, and its one
// alert when the file cannot be shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "frame/commands.h"
#include "tests/frame/loaded_module.h"
#include "tests/support/plugin_session.h"

namespace {

const char kHelpError[] = "Error displaying Korvalume for Acrobat help file.";

// Drive and directory as the runtime's _splitpath gives them, then the help file's name.
std::string SplitPathHelpFile(const std::string& modulePath) {
  char drive[_MAX_DRIVE] = {};
  char directory[_MAX_DIR] = {};
  _splitpath(modulePath.c_str(), drive, directory, nullptr, nullptr);
  return std::string(drive) + directory + "Korvalume.chm";
}

TEST(HelpPath, IsKorvalumeChmInTheModulesDriveAndDirectory) {
  const struct {
    const char* module;
    const char* help;
  } cases[] = {
      {"D:\\Tools\\Plugins\\Korvalume.api", "D:\\Tools\\Plugins\\Korvalume.chm"},
      {"C:\\Korvalume.api", "C:\\Korvalume.chm"},
      {"D:Korvalume.api", "D:Korvalume.chm"},
      {"\\\\server\\share\\Plugins\\Korvalume.api", "\\\\server\\share\\Plugins\\Korvalume.chm"},
      {"D:/Tools/Plugins\\Korvalume.api", "D:/Tools/Plugins\\Korvalume.chm"},
      {"/opt/korvalume/Korvalume.api", "/opt/korvalume/Korvalume.chm"},
      // no module of that name: the host program's own path, so its directory
      {"D:\\Tools\\Host.exe", "D:\\Tools\\Korvalume.chm"},
      {"D:\\Tools.v2\\Korvalume", "D:\\Tools.v2\\Korvalume.chm"},
      {"Korvalume.api", "Korvalume.chm"},
      {"", "Korvalume.chm"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.help, HelpFilePath(c.module)) << c.module;
    EXPECT_EQ(SplitPathHelpFile(c.module), HelpFilePath(c.module)) << c.module;
  }
}

// Past _splitpath's 256-character directory the path is still kept whole.
TEST(HelpPath, KeepsADirectoryLongerThanTheRuntimeSplits) {
  std::string directory = "D:";
  while (directory.size() < 400)
    directory += "\\a-directory-deep-below-the-drive";
  EXPECT_EQ(directory + "\\Korvalume.chm", HelpFilePath(directory + "\\Korvalume.api"));
}

// The shell finds no file: the one alert, and the command ends normally; nothing is started.
TEST(Help, AMissingHelpFileGivesTheAlertOnce) {
  ModuleCopy module;
  ASSERT_NE(nullptr, module.get());
  PlugInSession session;
  ASSERT_TRUE(session.ready);
  ShowHelp();
  EXPECT_EQ((std::vector<std::string>{kHelpError}), session.host.Alerts());
}

#ifndef _WIN32
struct ShellCall {
  std::string owner, verb, file, parameters, directory;
  int show = -1;
  intptr_t answer = 42;
};
ShellCall gShell;

std::string Text(LPCSTR text) {
  return text ? "\"" + std::string(text) + "\"" : "null";
}

intptr_t RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                     INT show) {
  gShell.owner = owner ? "window" : "null";
  gShell.verb = Text(verb);
  gShell.file = Text(file);
  gShell.parameters = Text(parameters);
  gShell.directory = Text(directory);
  gShell.show = show;
  return gShell.answer;
}

// The help file is looked for beside the module named Korvalume.api, in a directory of any
// depth; the shell is asked to show it with no owner window and no directory, and only an
// answer of 32 or less is an error.
TEST(Help, AsksTheShellToOpenTheHelpFileBesideTheModule) {
  std::string deep = "a-directory-deep-below-the-temporary-one";
  while (deep.size() < 300)
    deep += "/a-directory-deep-below-the-temporary-one";
  // the built module in bin/, then a copy deep below a scratch directory
  for (const std::string& below : {std::string(), deep}) {
    std::unique_ptr<ModuleCopy> copy;
    std::unique_ptr<LoadedModule> built;
    std::string directory = KV_BIN_DIR;
    if (below.empty()) {
      built = std::make_unique<LoadedModule>(BuiltModulePath());
      ASSERT_NE(nullptr, built->get());
    } else {
      copy = std::make_unique<ModuleCopy>(below);
      ASSERT_NE(nullptr, copy->get());
      directory = copy->directory();
    }
    for (intptr_t answer : {33, 32, 2}) {
      PlugInSession session;
      KvSetShellExecuteHook(&RecordShell);
      gShell = ShellCall();
      gShell.answer = answer;
      ShowHelp();
      KvSetShellExecuteHook(nullptr);
      EXPECT_EQ("null", gShell.owner);
      EXPECT_EQ("\"open\"", gShell.verb);
      EXPECT_EQ("\"" + directory + "/Korvalume.chm\"", gShell.file);
      EXPECT_EQ("\"\"", gShell.parameters);
      EXPECT_EQ("null", gShell.directory);
      EXPECT_EQ(SW_SHOW, gShell.show);
      EXPECT_EQ(answer > 32 ? std::vector<std::string>{} : std::vector<std::string>{kHelpError},
                session.host.Alerts())
          << answer;
    }
  }
}
#endif

}  // namespace
