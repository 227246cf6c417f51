// _splitpath as the Windows runtime does it; the same table runs against msvcrt on win32.
#include <gtest/gtest.h>
#include <windows.h>
#if defined(_WIN32)
#include <cstdlib>
#endif

#include <string>

namespace {

struct Parts {
  const char* path;
  const char* drive;
  const char* dir;
  const char* fname;
  const char* ext;
};

const Parts kCases[] = {
    {"C:\\Program Files\\Host\\plug_ins\\Korvalume.api", "C:", "\\Program Files\\Host\\plug_ins\\",
     "Korvalume", ".api"},
    {"c:/models/house.final.skp", "c:", "/models/", "house.final", ".skp"},
    {"/usr/lib/kv/A3DLIB.dll", "", "/usr/lib/kv/", "A3DLIB", ".dll"},
    {"relative\\mixed/name", "", "relative\\mixed/", "name", ""},
    {"C:file.txt", "C:", "", "file", ".txt"},
    {"C:", "C:", "", "", ""},
    {"\\\\server\\share\\doc.pdf", "", "\\\\server\\share\\", "doc", ".pdf"},
    {"dir.v2\\noext", "", "dir.v2\\", "noext", ""},
    {"trailing\\", "", "trailing\\", "", ""},
    {".profile", "", "", "", ".profile"},
    {"name.", "", "", "name", "."},
    {"", "", "", "", ""},
};

TEST(SplitPath, MatchesTheWindowsRuntime) {
  for (const Parts& c : kCases) {
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(c.path, drive, dir, fname, ext);
    EXPECT_STREQ(drive, c.drive) << c.path;
    EXPECT_STREQ(dir, c.dir) << c.path;
    EXPECT_STREQ(fname, c.fname) << c.path;
    EXPECT_STREQ(ext, c.ext) << c.path;
  }
}

TEST(SplitPath, EachPartMayBeLeftOut) {
  char fname[_MAX_FNAME];
  _splitpath("C:\\models\\house.skp", nullptr, nullptr, fname, nullptr);
  EXPECT_STREQ(fname, "house");
  char ext[_MAX_EXT];
  _splitpath("C:\\models\\house.skp", nullptr, nullptr, nullptr, ext);
  EXPECT_STREQ(ext, ".skp");
}

#if !defined(_WIN32)
// Parts longer than their buffers are cut to fit, never written past them.
TEST(SplitPath, CutsPartsToTheirBuffers) {
  const std::string longName(400, 'n');
  const std::string longDir = "\\" + std::string(300, 'd') + "\\";
  const std::string path = "C:" + longDir + longName + "." + std::string(300, 'e');
  char drive[_MAX_DRIVE];
  char dir[_MAX_DIR];
  char fname[_MAX_FNAME];
  char ext[_MAX_EXT];
  _splitpath(path.c_str(), drive, dir, fname, ext);
  EXPECT_STREQ(drive, "C:");
  EXPECT_EQ(std::string(dir), longDir.substr(0, _MAX_DIR - 1));
  EXPECT_EQ(std::string(fname), longName.substr(0, _MAX_FNAME - 1));
  EXPECT_EQ(std::string(ext), ("." + std::string(300, 'e')).substr(0, _MAX_EXT - 1));
}

TEST(SplitPath, NullPathGivesEmptyParts) {
  char drive[_MAX_DRIVE] = "x";
  char fname[_MAX_FNAME] = "x";
  _splitpath(nullptr, drive, nullptr, fname, nullptr);
  EXPECT_STREQ(drive, "");
  EXPECT_STREQ(fname, "");
}
#endif

}  // namespace
