// The level decoder on synthetic pixels: every level colour, blends at several fractions,
// background, noise near the ends of a blend and colours that are no level; then the continuity
// walk up the columns of synthetic panels, and along the rows of one that recedes sideways.
#include "report/measure/level_decoder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "level_colours.h"

namespace {

// The distance between two levels modulo 4, on the circle.
double circular_distance(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 4.0);
  return std::min(d, 4.0 - d);
}

void expect_level_mod4(const RgbTexel& texel, double expected, double tolerance) {
  const DecodedColour decoded = decode_level_colour(texel);
  ASSERT_EQ(decoded.kind, PixelClass::level);
  EXPECT_GE(decoded.level_mod4, 0.0);
  EXPECT_LT(decoded.level_mod4, 4.0);
  EXPECT_LE(circular_distance(decoded.level_mod4, expected), tolerance) << decoded.level_mod4;
}

// A column of `height` pixels whose levels rise linearly from `bottom` to `top`.
RgbImage rising_column(int height, double bottom, double top) {
  RgbImage image(1, height);
  for (int y = 0; y < height; ++y)
    image.texel(0, y) = level_colour_of(bottom + (top - bottom) * y / (height - 1));
  return image;
}

}  // namespace

TEST(LevelDecoder, EveryLevelColourReadsAsItsLevel) {
  expect_level_mod4({255, 255, 255}, 0.0, 1e-9);
  expect_level_mod4({255, 0, 0}, 1.0, 1e-9);
  expect_level_mod4({0, 255, 0}, 2.0, 1e-9);
  expect_level_mod4({0, 0, 255}, 3.0, 1e-9);
}

TEST(LevelDecoder, BlendsOfNeighbouringLevelsReadAsTheirFraction) {
  for (int level = 0; level < 8; ++level)
    for (const double f : {0.1, 0.25, 0.5, 0.75, 0.9}) {
      SCOPED_TRACE(level + f);
      // Rounding to bytes moves the fraction by half a step of 1/255 at most.
      expect_level_mod4(level_colour_of(level + f), std::fmod(level + f, 4.0), 0.5 / 255 + 1e-9);
    }
}

TEST(LevelDecoder, BackgroundIsBlackAndNotALevel) {
  EXPECT_EQ(decode_level_colour({0, 0, 0}).kind, PixelClass::background);
  EXPECT_EQ(decode_level_colour({8, 3, 8}).kind, PixelClass::background);
  EXPECT_NE(decode_level_colour({9, 0, 0}).kind, PixelClass::background);
}

TEST(LevelDecoder, NoiseNearTheEndsOfABlendReadsNearTheLevel) {
  // A few units off a level colour in any channel: still that level, within a few hundredths.
  expect_level_mod4({250, 253, 255}, 0.0, 0.03);
  expect_level_mod4({255, 251, 247}, 0.0, 0.03);
  expect_level_mod4({252, 4, 3}, 1.0, 0.03);
  expect_level_mod4({5, 250, 2}, 2.0, 0.03);
  expect_level_mod4({3, 6, 251}, 3.0, 0.03);
  // A blend with a stray channel within the tolerance.
  expect_level_mod4({128, 127, 10}, 1.5, 0.01);
}

TEST(LevelDecoder, ColoursOfNoBlendAreUndecodable) {
  for (const RgbTexel texel :
       {RgbTexel{255, 0, 255}, RgbTexel{128, 128, 128}, RgbTexel{255, 255, 0},
        RgbTexel{0, 255, 255}, RgbTexel{128, 127, 40}, RgbTexel{200, 60, 200}})
    EXPECT_EQ(decode_level_colour(texel).kind, PixelClass::undecodable)
        << int{texel.red} << " " << int{texel.green} << " " << int{texel.blue};
}

TEST(LevelDecoder, ColumnsResolveWholeLevelsByContinuity) {
  const RgbImage column = rising_column(200, 0.0, 7.6);
  const LevelMap map = decode_levels(column);
  EXPECT_EQ(map.count(PixelClass::level), 200);
  for (int y = 0; y < 200; ++y) EXPECT_NEAR(map.level(0, y), 7.6 * y / 199, 0.01) << "row " << y;
}

TEST(LevelDecoder, NearEdgeWhiteJustBelowFourReadsAsLevelZero) {
  RgbImage column(1, 3);
  column.texel(0, 0) = {254, 255, 255};  // reads a hair below 4 on its own
  column.texel(0, 1) = level_colour_of(0.2);
  column.texel(0, 2) = level_colour_of(0.4);
  ASSERT_GT(decode_level_colour(column.texel(0, 0)).level_mod4, 3.9);
  const LevelMap map = decode_levels(column);
  EXPECT_NEAR(map.level(0, 0), 0.0, 0.01);
  EXPECT_NEAR(map.level(0, 2), 0.4, 0.01);
}

TEST(LevelDecoder, WalkStartsAtThePlaneSkipsUndecodablePixelsAndEndsAtTheBackground) {
  RgbImage column(2, 8);
  const RgbTexel pixels[8] = {{0, 0, 0},
                              level_colour_of(3.25),
                              level_colour_of(4.25),
                              {255, 0, 255},
                              level_colour_of(5.25),
                              {0, 0, 0},
                              level_colour_of(6.0),
                              {0, 0, 0}};
  for (int y = 0; y < 8; ++y) column.texel(0, y) = column.texel(1, y) = pixels[y];
  const LevelMap map = decode_levels(column);
  const PixelClass expected[8] = {PixelClass::background, PixelClass::level,
                                  PixelClass::level,      PixelClass::undecodable,
                                  PixelClass::level,      PixelClass::background,
                                  PixelClass::unresolved, PixelClass::background};
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 8; ++y) EXPECT_EQ(map.kind(x, y), expected[y]) << x << ", " << y;
  EXPECT_NEAR(map.level(0, 1), 3.25, 0.01);  // the first plane pixel reads from -0.5 to 3.5
  EXPECT_NEAR(map.level(0, 2), 4.25, 0.01);
  EXPECT_NEAR(map.level(0, 4), 5.25, 0.01);  // across the undecodable pixel
  EXPECT_EQ(map.count(PixelClass::background), 6);
  EXPECT_EQ(map.count(PixelClass::undecodable), 2);
  EXPECT_EQ(map.count(PixelClass::unresolved), 2);
  EXPECT_TRUE(map.quad_resolved(0, 1));
  EXPECT_NEAR(map.quad_level(0, 1), 3.75, 0.01);
  EXPECT_FALSE(map.quad_resolved(0, 2));
}

TEST(LevelDecoder, WalkFollowsThePixelAxisNearestToWhereThePlaneRecedes) {
  const auto is = [](Walk walk, Step along, Step across) {
    return walk.along == along && walk.across == across;
  };
  EXPECT_TRUE(is(walk_along(0.0, 1.0), Step::up, Step::right));
  EXPECT_TRUE(is(walk_along(0.0, 0.0), Step::up, Step::right));
  EXPECT_TRUE(is(walk_along(0.3, -1.0), Step::down, Step::right));
  EXPECT_TRUE(is(walk_along(-0.3, 1.0), Step::up, Step::left));
  EXPECT_TRUE(is(walk_along(-1.0, 0.2), Step::left, Step::up));
  EXPECT_TRUE(is(walk_along(1.0, -0.2), Step::right, Step::down));
}

// A plane turned so that it recedes to the left, its near side along the right edge: levels
// grow by 0.05 a pixel leftwards, and the near side itself by 0.05 a row upwards, from 2.5 to
// beyond 6. Read on its own a near-side pixel at 5 would be taken for level 1; the walk from the
// line before reads every line whole.
TEST(LevelDecoder, RowsWalkLeftAndEachStartsFromTheLineBefore) {
  constexpr int width = 60, height = 80;
  RgbImage panel(width, height);
  const auto level_at = [](int x, int y) { return 2.5 + 0.05 * y + 0.05 * (width - 1 - x); };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) panel.texel(x, y) = level_colour_of(level_at(x, y));
  const LevelMap map = decode_levels(panel, walk_along(-1.0, 0.3));
  EXPECT_EQ(map.count(PixelClass::level), width * height);
  for (int y = 0; y < height; y += 7)
    for (int x = 0; x < width; x += 3) EXPECT_NEAR(map.level(x, y), level_at(x, y), 0.01);
  // Walked up the columns instead, the same panel goes wrong.
  const LevelMap columns = decode_levels(panel);
  EXPECT_GT(std::fabs(columns.level(0, 0) - level_at(0, 0)), 3.9);
}
