#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "platform/opennurbs/opennurbs.h"

TEST(Points, WideningIsExactAndNarrowingRounds) {
  const ON_3fPoint f(0.1f, -3.0e38f, 1.0e-45f);
  const ON_3dPoint d(f);
  EXPECT_EQ(d.x, static_cast<double>(0.1f));
  EXPECT_EQ(d.y, static_cast<double>(-3.0e38f));
  EXPECT_EQ(d.z, static_cast<double>(1.0e-45f));
  EXPECT_EQ(ON_3fPoint(d), f);

  const ON_3fPoint rounded(ON_3dPoint(0.1, 1.0 / 3.0, -2.5));
  EXPECT_EQ(rounded, ON_3fPoint(0.1f, 1.0f / 3.0f, -2.5f));

  const ON_3dVector dv(ON_3fVector(0.1f, 0.2f, 0.3f));
  EXPECT_EQ(dv.x, static_cast<double>(0.1f));
  EXPECT_EQ(ON_3fVector(dv), ON_3fVector(0.1f, 0.2f, 0.3f));
}

TEST(Points, DifferenceAndCrossProductFollowTheRightHand) {
  const ON_3fVector x = ON_3fPoint(3, 2, 1) - ON_3fPoint(2, 2, 1);
  const ON_3fVector y = ON_3fPoint(0, 1, 0) - ON_3fPoint(0, 0, 0);
  EXPECT_EQ(ON_CrossProduct(x, y), ON_3fVector(0, 0, 1));
  EXPECT_EQ(ON_CrossProduct(y, x), ON_3fVector(0, 0, -1));
  EXPECT_EQ(ON_CrossProduct(ON_3dVector(0, 1, 0), ON_3dVector(0, 0, 1)), ON_3dVector(1, 0, 0));
  EXPECT_EQ(ON_3fPoint(1, 1, 1) + x, ON_3fPoint(2, 1, 1));
}

TEST(Points, UnitizeScalesToOneOrRefuses) {
  ON_3fVector v(3, 0, 4);
  ASSERT_TRUE(v.Unitize());
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.z, 0.8f);

  // The squares of these overflow a double although the vector is finite.
  ON_3dVector big(1e300, -1e300, 0);
  ASSERT_TRUE(big.Unitize());
  EXPECT_NEAR(big.x, std::sqrt(0.5), 1e-15);
  EXPECT_NEAR(big.Length(), 1.0, 1e-15);

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (ON_3dVector bad : {ON_3dVector(0, 0, 0), ON_3dVector(nan, 0, 0), ON_3dVector(inf, 1, 0)}) {
    const ON_3dVector before = bad;
    EXPECT_FALSE(bad.Unitize());
    EXPECT_EQ(std::memcmp(&bad, &before, sizeof bad), 0);
  }
  ON_3fVector zero(0, 0, 0);
  EXPECT_FALSE(zero.Unitize());
  EXPECT_EQ(zero, ON_3fVector(0, 0, 0));
}
