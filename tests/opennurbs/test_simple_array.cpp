#include <climits>
#include <cstddef>

#include <gtest/gtest.h>

#include "platform/opennurbs/opennurbs.h"

#if defined(__SANITIZE_ADDRESS__)
// Let a refused huge allocation come back as null, as it does without the sanitizer. Exported,
// or the sanitizer's runtime would not see it.
extern "C" __attribute__((visibility("default"))) const char* __asan_default_options() {
  return "allocator_may_return_null=1";
}
#endif

namespace {

struct Pair {
  int a;
  int b;
};

// Big enough that INT_MAX of them is more than any address space holds.
struct Megabyte {
  char bytes[1 << 20];
};

// So big that INT_MAX of them overflow the byte count of any address space. Never created.
struct Huge {
  char bytes[sizeof(void*) == 8 ? (std::size_t{1} << 33) : (std::size_t{1} << 20)];
};

ON_SimpleArray<int> Iota(int n) {
  ON_SimpleArray<int> a;
  for (int i = 0; i < n; ++i) {
    a.Append(i);
  }
  return a;
}

void ExpectIota(const ON_SimpleArray<int>& a, int n) {
  ASSERT_EQ(a.Count(), n);
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(a[i], i);
  }
}

}  // namespace

TEST(SimpleArray, DefaultHasNoStorage) {
  ON_SimpleArray<int> a;
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Capacity(), 0);
  EXPECT_EQ(a.Array(), nullptr);
  EXPECT_EQ(a.First(), nullptr);
  EXPECT_EQ(a.Last(), nullptr);
  EXPECT_EQ(a.At(0), nullptr);
}

TEST(SimpleArray, AppendGrowsGeometricallyAndKeepsValues) {
  ON_SimpleArray<int> a;
  int reallocations = 0;
  int capacity = a.Capacity();
  for (int i = 0; i < 100000; ++i) {
    ASSERT_TRUE(a.Append(i));
    if (a.Capacity() != capacity) {
      ++reallocations;
      capacity = a.Capacity();
    }
  }
  ExpectIota(a, 100000);
  EXPECT_LT(reallocations, 40);
  EXPECT_EQ(*a.First(), 0);
  EXPECT_EQ(*a.Last(), 99999);
  EXPECT_EQ(a.At(100000), nullptr);
  EXPECT_EQ(a.At(-1), nullptr);
}

TEST(SimpleArray, AppendsOfItsOwnElementsSurviveGrowth) {
  ON_SimpleArray<int> a;
  ASSERT_TRUE(a.Reserve(3));
  a.Append(7);
  a.Append(8);
  a.Append(9);
  ASSERT_EQ(a.Count(), a.Capacity());
  ASSERT_TRUE(a.Append(a[0]));
  EXPECT_EQ(a[3], 7);

  ASSERT_TRUE(a.SetCapacity(a.Count()));
  ASSERT_TRUE(a.Append(a.Count(), a.Array()));
  ASSERT_EQ(a.Count(), 8);
  const int expected[] = {7, 8, 9, 7, 7, 8, 9, 7};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(a[i], expected[i]) << i;
  }
}

TEST(SimpleArray, AppendRangeRefusesBadArguments) {
  ON_SimpleArray<int> a = Iota(3);
  EXPECT_TRUE(a.Append(0, nullptr));
  EXPECT_FALSE(a.Append(-1, a.Array()));
  EXPECT_FALSE(a.Append(2, nullptr));
  EXPECT_FALSE(a.Append(INT_MAX, a.Array()));
  ExpectIota(a, 3);
}

TEST(SimpleArray, AppendNewGivesAZeroedElementInReusedStorage) {
  ON_SimpleArray<Pair> a;
  a.Append(Pair{5, 6});
  a.Empty();
  EXPECT_EQ(a.Count(), 0);
  EXPECT_GE(a.Capacity(), 1);
  Pair& p = a.AppendNew();
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(&p, a.Array());
  EXPECT_EQ(p.a, 0);
  EXPECT_EQ(p.b, 0);
}

TEST(SimpleArray, SetCountZeroFillsAndShrinksWithoutFreeing) {
  ON_SimpleArray<int> a = Iota(3);
  ASSERT_TRUE(a.SetCount(10));
  ASSERT_EQ(a.Count(), 10);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(a[i], i);
  }
  for (int i = 3; i < 10; ++i) {
    EXPECT_EQ(a[i], 0);
  }
  const int capacity = a.Capacity();
  ASSERT_TRUE(a.SetCount(2));
  EXPECT_EQ(a.Capacity(), capacity);
  a.Append(42);  // what was at index 2 is gone
  ASSERT_TRUE(a.SetCount(4));
  EXPECT_EQ(a[2], 42);
  EXPECT_EQ(a[3], 0);
  EXPECT_FALSE(a.SetCount(-1));
  EXPECT_EQ(a.Count(), 4);
}

TEST(SimpleArray, ReserveAndSetCapacityAreExact) {
  ON_SimpleArray<int> a;
  ASSERT_TRUE(a.Reserve(1000));
  EXPECT_EQ(a.Capacity(), 1000);
  EXPECT_TRUE(a.Reserve(10));  // never shrinks
  EXPECT_EQ(a.Capacity(), 1000);

  a = Iota(20);
  ASSERT_TRUE(a.SetCapacity(5));
  EXPECT_EQ(a.Capacity(), 5);
  ExpectIota(a, 5);
  ASSERT_TRUE(a.SetCapacity(0));
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Array(), nullptr);
  EXPECT_FALSE(a.SetCapacity(-1));
}

TEST(SimpleArray, RefusedSizesLeaveTheArrayAsItWas) {
  ON_SimpleArray<Megabyte> a;
  ASSERT_TRUE(a.Reserve(2));
  a.AppendNew().bytes[0] = 'x';
  Megabyte* const storage = a.Array();
  // Either the byte count overflows (32-bit) or no allocator can give it (64-bit).
  EXPECT_FALSE(a.Reserve(INT_MAX));
  EXPECT_FALSE(a.SetCount(INT_MAX));
  EXPECT_FALSE(a.SetCapacity(INT_MAX));
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(a.Capacity(), 2);
  EXPECT_EQ(a.Array(), storage);
  EXPECT_EQ(a[0].bytes[0], 'x');
}

TEST(SimpleArray, OverflowingByteCountsAreRefusedWithoutAllocating) {
  ON_SimpleArray<Huge> a;
  EXPECT_FALSE(a.Reserve(INT_MAX));
  EXPECT_FALSE(a.SetCount(INT_MAX));
  EXPECT_FALSE(a.SetCapacity(INT_MAX));
  EXPECT_EQ(a.Capacity(), 0);
}

TEST(SimpleArray, CopiesAreIndependent) {
  const ON_SimpleArray<int> original = Iota(50);
  ON_SimpleArray<int> copy(original);
  ExpectIota(copy, 50);
  EXPECT_NE(copy.Array(), original.Array());
  copy[0] = -1;
  EXPECT_EQ(original[0], 0);

  ON_SimpleArray<int> small = Iota(2);
  small = original;  // grows
  ExpectIota(small, 50);
  ON_SimpleArray<int> large = Iota(500);
  large = Iota(3);  // fits: reuses storage
  ExpectIota(large, 3);
  large = large;
  ExpectIota(large, 3);
  ON_SimpleArray<int> empty;
  large = empty;
  EXPECT_EQ(large.Count(), 0);

  const ON_SimpleArray<int> none;
  const ON_SimpleArray<int> copy_of_none(none);
  EXPECT_EQ(copy_of_none.Capacity(), 0);
}

TEST(SimpleArray, DestroyFreesAndTheArrayStaysUsable) {
  ON_SimpleArray<int> a = Iota(100);
  a.Destroy();
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Capacity(), 0);
  EXPECT_EQ(a.Array(), nullptr);
  a.Append(3);
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(a[0], 3);
}
