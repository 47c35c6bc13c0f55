// Vector3: lengths, the normalisation threshold, the products and the double-precision sums.
#include <gtest/gtest.h>

#include "interact/vector3.h"
#include "math_expect.h"

TEST(Vector3, LengthAndNormalize) {
  Vector3 v{3.0f, 4.0f, 12.0f};
  EXPECT_FLOAT_EQ(v.length(), 13.0f);
  EXPECT_FLOAT_EQ(v.length_squared(), 169.0f);
  EXPECT_FLOAT_EQ(v.normalize(), 13.0f);
  expect_vector(v, 3.0f / 13.0f, 4.0f / 13.0f, 12.0f / 13.0f);
}

TEST(Vector3, NormalizeLeavesAVectorBelowTheThresholdUnchanged) {
  Vector3 tiny{0.0f, 0.0f, 0.000005f};
  EXPECT_FLOAT_EQ(tiny.normalize(), 0.000005f);
  expect_vector(tiny, 0.0f, 0.0f, 0.000005f);

  Vector3 zero;
  EXPECT_EQ(zero.normalize(), 0.0f);
  expect_vector(zero, 0.0f, 0.0f, 0.0f);

  Vector3 just_above{0.0f, 0.00002f, 0.0f};
  EXPECT_FLOAT_EQ(just_above.normalize(), 0.00002f);
  expect_vector(just_above, 0.0f, 1.0f, 0.0f);
}

TEST(Vector3, CrossAndDot) {
  const Vector3 x{1.0f, 0.0f, 0.0f}, y{0.0f, 1.0f, 0.0f};
  expect_vector(cross(x, y), 0.0f, 0.0f, 1.0f);
  expect_vector(cross(y, x), 0.0f, 0.0f, -1.0f);
  expect_vector(cross({1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}), -3.0f, 6.0f, -3.0f);
  EXPECT_FLOAT_EQ(dot({1.0f, 2.0f, 3.0f}, {4.0f, -5.0f, 6.0f}), 12.0f);
}

TEST(Vector3, SumsOfProductsAreFormedInDoublePrecision) {
  // 2^24 + 1 - 2^24: a float sum loses the 1.
  EXPECT_EQ(dot({4096.0f, 1.0f, -4096.0f}, {4096.0f, 1.0f, 4096.0f}), 1.0f);
  expect_vector(cross({4096.0f, 1.0f, 0.0f}, {4096.0f, 0.0f, 4096.0f}), 4096.0f, -16777216.0f,
                -4096.0f);
}
