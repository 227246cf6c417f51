#include <string>

#include <gtest/gtest.h>

#include "platform/opennurbs/opennurbs.h"

namespace {

// Counts live objects, holds heap memory (so a lost or doubled object shows under the
// sanitizers) and a pointer to itself (so moving its bytes without its constructor shows).
struct Tracked {
  static int live;
  std::string text;
  const Tracked* self = this;

  Tracked() { ++live; }
  explicit Tracked(const std::string& t) : text(t) { ++live; }
  Tracked(const Tracked& o) : text(o.text) { ++live; }
  Tracked(Tracked&& o) noexcept : text(std::move(o.text)) { ++live; }
  Tracked& operator=(const Tracked& o) {
    text = o.text;
    return *this;
  }
  Tracked& operator=(Tracked&& o) noexcept {
    text = std::move(o.text);
    return *this;
  }
  ~Tracked() { --live; }
};
int Tracked::live = 0;

std::string Text(int i) {
  return "element number " + std::to_string(i) + " of a long list";
}

void Fill(ON_ClassArray<Tracked>& a, int n) {
  for (int i = 0; i < n; ++i) {
    ASSERT_TRUE(a.Append(Tracked(Text(i))));
  }
}

void ExpectFilled(const ON_ClassArray<Tracked>& a, int n) {
  ASSERT_EQ(a.Count(), n);
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(a[i].text, Text(i));
    ASSERT_EQ(a[i].self, &a[i]);
  }
}

class ClassArray : public ::testing::Test {
 protected:
  void SetUp() override { Tracked::live = 0; }
  void TearDown() override { EXPECT_EQ(Tracked::live, 0); }
};

}  // namespace

TEST_F(ClassArray, DefaultHasNoStorage) {
  ON_ClassArray<Tracked> a;
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Capacity(), 0);
  EXPECT_EQ(a.Array(), nullptr);
  EXPECT_EQ(Tracked::live, 0);
}

TEST_F(ClassArray, GrowthMovesEveryElementIntact) {
  ON_ClassArray<Tracked> a;
  Fill(a, 1000);
  ExpectFilled(a, 1000);
  EXPECT_EQ(Tracked::live, 1000);
}

TEST_F(ClassArray, AppendingItsOwnElementWhileFullCopiesIt) {
  ON_ClassArray<Tracked> a;
  ASSERT_TRUE(a.Reserve(2));
  Fill(a, 2);
  ASSERT_EQ(a.Count(), a.Capacity());
  ASSERT_TRUE(a.Append(a[0]));
  ASSERT_EQ(a.Count(), 3);
  EXPECT_EQ(a[2].text, Text(0));
  EXPECT_EQ(a[2].self, &a[2]);
}

TEST_F(ClassArray, AppendNewDefaultConstructs) {
  ON_ClassArray<Tracked> a;
  Fill(a, 8);
  Tracked& t = a.AppendNew();
  EXPECT_EQ(&t, &a[8]);
  EXPECT_TRUE(t.text.empty());
  EXPECT_EQ(t.self, &t);
  EXPECT_EQ(Tracked::live, 9);
}

TEST_F(ClassArray, EmptyDestroysButKeepsStorageDestroyFreesIt) {
  ON_ClassArray<Tracked> a;
  Fill(a, 20);
  const int capacity = a.Capacity();
  a.Empty();
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Capacity(), capacity);
  EXPECT_EQ(Tracked::live, 0);

  Fill(a, 5);
  a.Destroy();
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Capacity(), 0);
  EXPECT_EQ(a.Array(), nullptr);
  EXPECT_EQ(Tracked::live, 0);
  Fill(a, 3);  // usable again; the destructor cleans up (checked in TearDown)
  ExpectFilled(a, 3);
}

TEST_F(ClassArray, CopiesAreDeepAndAssignmentReplaces) {
  ON_ClassArray<Tracked> a;
  Fill(a, 10);
  {
    ON_ClassArray<Tracked> copy(a);
    ExpectFilled(copy, 10);
    copy[0].text = "changed";
    EXPECT_EQ(a[0].text, Text(0));
    EXPECT_EQ(Tracked::live, 20);
  }
  EXPECT_EQ(Tracked::live, 10);

  ON_ClassArray<Tracked> other;
  Fill(other, 30);
  other = a;
  ExpectFilled(other, 10);
  EXPECT_EQ(Tracked::live, 20);
  other = other;
  ExpectFilled(other, 10);

  const ON_ClassArray<Tracked> none;
  other = none;
  EXPECT_EQ(other.Count(), 0);
  EXPECT_EQ(Tracked::live, 10);
}
