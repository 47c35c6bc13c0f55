// Matrix4: the column-major element order, the translation slots and the product order.
#include <gtest/gtest.h>

#include "interact/matrix4.h"

namespace {

Matrix4 scale(float s) {
  Matrix4 m;
  m.m[0] = m.m[5] = m.m[10] = s;
  return m;
}

}  // namespace

TEST(Matrix4, SetTranslationWritesOnlyTheLastColumn) {
  Matrix4 m;
  m.fill(9.0f);
  m.set_translation({1.0f, 2.0f, 3.0f});
  for (int i = 0; i < 16; ++i) {
    const float expected = i == 12 ? 1.0f : i == 13 ? 2.0f : i == 14 ? 3.0f : 9.0f;
    EXPECT_EQ(m.m[i], expected) << i;
  }
}

TEST(Matrix4, MultiplyKeepsThisMatrixOnTheLeft) {
  Matrix4 translate_then_scale;
  translate_then_scale.set_translation({1.0f, 2.0f, 3.0f});
  translate_then_scale.multiply(scale(2.0f));  // T × S: the translation is not scaled
  EXPECT_EQ(translate_then_scale.m[0], 2.0f);
  EXPECT_EQ(translate_then_scale.m[12], 1.0f);
  EXPECT_EQ(translate_then_scale.m[14], 3.0f);

  Matrix4 scale_then_translate = scale(2.0f);
  Matrix4 t;
  t.set_translation({1.0f, 2.0f, 3.0f});
  scale_then_translate.multiply(t);  // S × T: the translation is scaled
  EXPECT_EQ(scale_then_translate.m[12], 2.0f);
  EXPECT_EQ(scale_then_translate.m[13], 4.0f);
  EXPECT_EQ(scale_then_translate.m[14], 6.0f);
  EXPECT_EQ(scale_then_translate.m[15], 1.0f);
}

TEST(Matrix4, MultiplyReadsRowsAndColumnsInColumnMajorOrder) {
  Matrix4 a, b;
  for (int i = 0; i < 16; ++i) {
    a.m[i] = float(i);
    b.m[i] = float(i % 3);
  }
  a.multiply(b);
  // Row 1 of a is (1, 5, 9, 13), column 2 of b is (2, 0, 1, 2).
  EXPECT_EQ(a.m[4 * 2 + 1], 37.0f);
  // Row 3 of a is (3, 7, 11, 15), column 0 of b is (0, 1, 2, 0).
  EXPECT_EQ(a.m[4 * 0 + 3], 29.0f);
}

TEST(Matrix4, AProductWithItselfUsesTheOldValues) {
  Matrix4 quarter_turn_z;  // x goes to y, y to -x
  quarter_turn_z.m[0] = quarter_turn_z.m[5] = 0.0f;
  quarter_turn_z.m[1] = 1.0f;
  quarter_turn_z.m[4] = -1.0f;
  quarter_turn_z.multiply(quarter_turn_z);  // a half turn
  const float half_turn[16] = {-1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(quarter_turn_z.m[i], half_turn[i]) << i;
}
