// RgbImage: black on construction, resizing that keeps or replaces the texels, and copying.
#include "image/rgb_image.h"

#include <gtest/gtest.h>

namespace {

bool all_black(const RgbImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const RgbTexel& t = image.texel(x, y);
      if (t.red != 0 || t.green != 0 || t.blue != 0) return false;
    }
  return true;
}

void paint(RgbImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.texel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7};
}

}  // namespace

TEST(RgbImage, ConstructionGivesBlackTexelsRowAfterRow) {
  RgbImage image(3, 2);
  EXPECT_EQ(image.width(), 3);
  EXPECT_EQ(image.height(), 2);
  EXPECT_TRUE(all_black(image));
  image.texel(1, 1).green = 9;
  EXPECT_EQ(reinterpret_cast<const unsigned char*>(image.texels())[(1 * 3 + 1) * 3 + 1], 9);
}

TEST(RgbImage, ResizeToTheSameSizeKeepsTheTexels) {
  RgbImage image(4, 4);
  paint(image);
  const RgbTexel* const texels = image.texels();
  image.resize(4, 4);
  EXPECT_EQ(image.texels(), texels);
  EXPECT_EQ(image.texel(3, 2).red, 3);
}

TEST(RgbImage, ResizeToAnotherSizeGivesBlackTexels) {
  RgbImage image(4, 4);
  paint(image);
  image.resize(2, 8);
  EXPECT_EQ(image.width(), 2);
  EXPECT_EQ(image.height(), 8);
  EXPECT_TRUE(all_black(image));
}

TEST(RgbImage, AssignmentCopiesAndReusesAnArrayOfTheSameSize) {
  RgbImage source(5, 3);
  paint(source);
  RgbImage same_size(5, 3);
  const RgbTexel* const texels = same_size.texels();
  same_size = source;
  EXPECT_EQ(same_size.texels(), texels);
  RgbImage other_size(1, 1);
  other_size = source;
  const RgbImage copy(source);
  const RgbImage* const copies[] = {&same_size, &other_size, &copy};
  for (const RgbImage* image : copies) {
    ASSERT_EQ(image->width(), 5);
    ASSERT_EQ(image->height(), 3);
    EXPECT_EQ(image->texel(4, 2).red, 4);
    EXPECT_EQ(image->texel(4, 2).green, 2);
    EXPECT_NE(image->texels(), source.texels());
  }
}

TEST(RgbImage, SizesBelowZeroCountAsZero) {
  const RgbImage image(-3, 2);
  EXPECT_EQ(image.width(), 0);
  EXPECT_EQ(image.height(), 2);
}
