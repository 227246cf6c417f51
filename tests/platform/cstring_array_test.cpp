#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/cstring_array.h"

namespace {

TEST(CStringArray, AddGetAndGrow) {
  CStringArray array;
  EXPECT_TRUE(array.IsEmpty());
  for (int i = 0; i < 100; ++i) {
    CString item;
    item.Format("item %d", i);
    ASSERT_EQ(array.Add(item), i);
  }
  EXPECT_EQ(array.GetSize(), 100);
  EXPECT_EQ(array.GetCount(), 100);
  EXPECT_EQ(array.GetUpperBound(), 99);
  EXPECT_STREQ(array[0], "item 0");
  EXPECT_STREQ(array.GetAt(57), "item 57");
  EXPECT_STREQ(array[99], "item 99");
}

TEST(CStringArray, CopiesWhatItIsGiven) {
  CStringArray array;
  char text[] = "first";
  CString source("second");
  array.Add(text);
  array.Add(source);
  text[0] = 'F';
  source = "changed";
  EXPECT_STREQ(array[0], "first");
  EXPECT_STREQ(array[1], "second");
  array.Add(array[0]);  // an element of the array itself, while the array grows
  array.Add(array[1]);
  array.Add(array[2]);
  array.Add(array[3]);
  EXPECT_STREQ(array[5], "second");
}

TEST(CStringArray, SetAtAndSetAtGrow) {
  CStringArray array;
  array.SetAt(0, "ignored");
  EXPECT_EQ(array.GetSize(), 0);
  array.SetAtGrow(3, "fourth");
  ASSERT_EQ(array.GetSize(), 4);
  EXPECT_STREQ(array[0], "");
  EXPECT_STREQ(array[3], "fourth");
  array.SetAt(1, "second");
  array.SetAtGrow(1, "second again");
  array.SetAtGrow(-1, "ignored");
  EXPECT_EQ(array.GetSize(), 4);
  EXPECT_STREQ(array[1], "second again");
  array[2] = "third";
  EXPECT_STREQ(array.GetAt(2), "third");
}

TEST(CStringArray, OutsideReadsEmptyAndWritesNowhere) {
  CStringArray array;
  array.Add("only");
  EXPECT_STREQ(array.GetAt(1), "");
  EXPECT_STREQ(array.GetAt(-1), "");
  const CStringArray& constant = array;
  EXPECT_STREQ(constant[7], "");
  array[7] = "lost";
  EXPECT_EQ(array.GetSize(), 1);
  EXPECT_STREQ(array[7], "");
  EXPECT_STREQ(array.GetAt(7), "");
}

TEST(CStringArray, RemoveAllEmptiesAndAllowsReuse) {
  CStringArray array;
  array.Add("a");
  array.Add("b");
  array.RemoveAll();
  EXPECT_TRUE(array.IsEmpty());
  EXPECT_STREQ(array.GetAt(0), "");
  EXPECT_EQ(array.Add("c"), 0);
  EXPECT_STREQ(array[0], "c");
}

}  // namespace
