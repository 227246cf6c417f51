// CString: storage, aliasing, formatting of any length, clamped positions.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "platform/mfc/cstring.h"

namespace {

TEST(CString, Construction) {
  EXPECT_STREQ(CString(), "");
  EXPECT_STREQ(CString(static_cast<const char*>(nullptr)), "");
  EXPECT_EQ(CString(nullptr, 5).GetLength(), 0);
  EXPECT_STREQ(CString("abc"), "abc");
  EXPECT_EQ(CString("abc").GetLength(), 3);
  EXPECT_STREQ(CString("abcdef", 2), "ab");
  EXPECT_STREQ(CString("ab", 10), "ab");  // never reads past the NUL
  EXPECT_STREQ(CString("ab", -1), "");
  EXPECT_STREQ(CString('x', 3), "xxx");
  EXPECT_STREQ(CString('x', 0), "");
  EXPECT_TRUE(CString("").IsEmpty());
  EXPECT_FALSE(CString("a").IsEmpty());
}

TEST(CString, CopiesAreIndependent) {
  CString original("abc");
  CString copy(original);
  copy += "def";
  CString assigned;
  assigned = original;
  assigned.SetAt(0, 'X');
  EXPECT_STREQ(original, "abc");
  EXPECT_STREQ(copy, "abcdef");
  EXPECT_STREQ(assigned, "Xbc");
  EXPECT_NE(copy.GetString(), original.GetString());

  CString moved(std::move(copy));
  EXPECT_STREQ(moved, "abcdef");
  EXPECT_STREQ(copy, "");
  copy = std::move(moved);
  EXPECT_STREQ(copy, "abcdef");
}

TEST(CString, AssignAndAppendFromItsOwnCharacters) {
  CString s("hello world");
  s = s;
  EXPECT_STREQ(s, "hello world");
  s = s.GetString() + 6;
  EXPECT_STREQ(s, "world");
  s += s;
  EXPECT_STREQ(s, "worldworld");
  s += s.GetString() + 5;  // grows while reading from the old block
  EXPECT_STREQ(s, "worldworldworld");
  s.Format("<%s>", s.GetString());
  EXPECT_STREQ(s, "<worldworldworld>");
}

TEST(CString, ManyAppendsKeepEveryCharacter) {
  CString s;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    s += static_cast<char>('a' + i % 26);
    expected += static_cast<char>('a' + i % 26);
  }
  EXPECT_EQ(s.GetLength(), 5000);
  EXPECT_EQ(std::string(s), expected);
  s += '\0';  // ignored: a CString holds no NUL
  EXPECT_EQ(s.GetLength(), 5000);
  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, Concatenation) {
  const CString a("ab");
  EXPECT_STREQ(a + CString("cd"), "abcd");
  EXPECT_STREQ(a + "cd", "abcd");
  EXPECT_STREQ("cd" + a, "cdab");
  EXPECT_STREQ(a + 'c', "abc");
  EXPECT_STREQ('c' + a, "cab");
  EXPECT_STREQ(a + static_cast<const char*>(nullptr), "ab");
}

TEST(CString, Comparison) {
  const CString abc("abc");
  EXPECT_TRUE(abc == "abc");
  EXPECT_TRUE("abc" == abc);
  EXPECT_TRUE(abc == CString("abc"));
  EXPECT_TRUE(abc != "abd");
  EXPECT_TRUE("ab" != abc);
  EXPECT_TRUE(abc != CString());
  EXPECT_TRUE(CString() == static_cast<const char*>(nullptr));
  EXPECT_EQ(abc.CompareNoCase("ABC"), 0);
  EXPECT_LT(abc.Compare("abd"), 0);
  CString mixed("MiXeD.Skp");
  EXPECT_STREQ(mixed.MakeLower(), "mixed.skp");
  EXPECT_STREQ(mixed.MakeUpper(), "MIXED.SKP");
}

TEST(CString, FormatsAnyLength) {
  const std::string big(100000, 'z');
  CString s;
  s.Format("%s|%d|%.2f", big.c_str(), 42, 1.5);
  EXPECT_EQ(s.GetLength(), 100000 + 8);
  EXPECT_EQ(std::string(s), big + "|42|1.50");
  s.Format("%s", "");
  EXPECT_TRUE(s.IsEmpty());
  s.Format("%zu-%lld-%s", static_cast<size_t>(7), 1LL << 40, "x");
  EXPECT_STREQ(s, "7-1099511627776-x");
  s.Format(nullptr);
  EXPECT_TRUE(s.IsEmpty());
}

// Positions and counts outside the string are clamped to it.
TEST(CString, SearchAndCutEdges) {
  const CString s("abcabc");
  const struct {
    int got;
    int expected;
  } finds[] = {
      {s.Find('b'), 1},         {s.Find('b', 2), 4},       {s.Find('b', -5), 1},
      {s.Find('b', 6), -1},     {s.Find('b', 99), -1},     {s.Find('z'), -1},
      {s.Find('\0'), -1},       {s.Find("ca"), 2},         {s.Find("bc", 2), 4},
      {s.Find(""), 0},          {s.Find("", 6), 6},        {s.Find("", 7), -1},
      {s.Find(nullptr), -1},    {s.Find("abcabcd"), -1},   {s.ReverseFind('a'), 3},
      {s.ReverseFind('z'), -1}, {s.ReverseFind('\0'), -1},
  };
  for (size_t i = 0; i < sizeof finds / sizeof finds[0]; ++i) {
    EXPECT_EQ(finds[i].got, finds[i].expected) << "find case " << i;
  }
  const struct {
    CString got;
    const char* expected;
  } cuts[] = {
      {s.Left(2), "ab"},
      {s.Left(0), ""},
      {s.Left(-1), ""},
      {s.Left(99), "abcabc"},
      {s.Right(2), "bc"},
      {s.Right(-3), ""},
      {s.Right(99), "abcabc"},
      {s.Mid(4), "bc"},
      {s.Mid(-3), "abcabc"},
      {s.Mid(6), ""},
      {s.Mid(99), ""},
      {s.Mid(1, 2), "bc"},
      {s.Mid(1, -2), ""},
      {s.Mid(4, 99), "bc"},
      {s.Mid(-2, 3), "abc"},
      {s.Mid(1, INT_MAX), "bcabc"},
      {s.Mid(INT_MAX, INT_MAX), ""},
  };
  for (size_t i = 0; i < sizeof cuts / sizeof cuts[0]; ++i) {
    EXPECT_STREQ(cuts[i].got, cuts[i].expected) << "cut case " << i;
  }
}

TEST(CString, CharacterAccessOutsideIsNul) {
  CString s("ab");
  EXPECT_EQ(s[0], 'a');
  EXPECT_EQ(s.GetAt(1), 'b');
  EXPECT_EQ(s[2], '\0');
  EXPECT_EQ(s[-1], '\0');
  EXPECT_EQ(s.GetAt(INT_MAX), '\0');
  s.SetAt(5, 'x');
  s.SetAt(-1, 'x');
  s.SetAt(0, '\0');
  EXPECT_STREQ(s, "ab");
}

TEST(CString, BufferRoundTrip) {
  CString s("ab");
  char* buffer = s.GetBuffer(10);
  ASSERT_NE(buffer, nullptr);
  EXPECT_STREQ(buffer, "ab");
  strcpy(buffer, "0123456789");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 10);
  s.GetBuffer(0);
  s.ReleaseBuffer(4);
  EXPECT_STREQ(s, "0123");

  // An empty string's buffer is its own, not the shared empty characters.
  CString empty;
  const char* shared = CString().GetString();
  char* own = empty.GetBuffer(0);
  ASSERT_NE(own, nullptr);
  EXPECT_NE(own, shared);
  own[0] = '\0';
  empty.ReleaseBuffer();
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_STREQ(shared, "");
}

}  // namespace
