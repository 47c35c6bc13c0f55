// The false colours of the report's maps: interpolation and clamping of both scales, and which
// colour each kind of pixel and quad gets.
#include "report/output/heat_map.h"

#include <gtest/gtest.h>

#include "image_compare.h"

TEST(HeatMap, ScalesInterpolateTheirStopsAndClamp) {
  // Halfway between the first two stops of the level scale lies halfway between their colours.
  EXPECT_EQ(level_colour(1.0, 8), (RgbTexel{64, 42, 112}));
  EXPECT_EQ(level_colour(-2.0, 8), level_colour(0.0, 8));
  EXPECT_EQ(level_colour(11.0, 8), level_colour(8.0, 8));
  EXPECT_EQ(error_colour(0.0), (RgbTexel{247, 247, 247}));
  const RgbTexel sharper = error_colour(-1.0), blurrier = error_colour(1.0);
  EXPECT_GT(sharper.blue, sharper.red);
  EXPECT_GT(blurrier.red, blurrier.blue);
  EXPECT_EQ(error_colour(-100.0), error_colour(-error_range));
  EXPECT_EQ(error_colour(100.0), error_colour(error_range));
}

TEST(HeatMap, PicturesColourLevelsQuadsBackgroundAndUnmeasuredPixels) {
  PanelMeasurement panel;
  panel.levels = LevelMap(4, 2);  // background
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) panel.levels.set(x, y, PixelClass::level, 2.0);
  panel.levels.set(2, 0, PixelClass::unresolved, 0.0);
  QuadLevels quad;
  quad.error = -1.0;
  panel.quads.push_back(quad);

  const RgbImage levels = measured_level_picture(panel, 8);
  EXPECT_EQ(levels.texel(1, 1), level_colour(2.0, 8));
  EXPECT_EQ(levels.texel(2, 0), unmeasured_colour);
  EXPECT_EQ(levels.texel(3, 1), background_colour);

  const RgbImage errors = level_error_picture(panel);
  EXPECT_EQ(errors.texel(0, 1), error_colour(-1.0));
  EXPECT_EQ(errors.texel(2, 0), unmeasured_colour);
  EXPECT_EQ(errors.texel(3, 0), background_colour);
}

TEST(HeatMap, ColourBarsRunAlongTheirScale) {
  const RgbImage bar = level_colour_bar(9, 3, 8);
  ASSERT_EQ(bar.width(), 9);
  ASSERT_EQ(bar.height(), 3);
  for (int x = 0; x < 9; ++x)
    for (int y = 0; y < 3; ++y) EXPECT_EQ(bar.texel(x, y), level_colour(x, 8));
  const RgbImage errors = error_colour_bar(9, 1);
  EXPECT_EQ(errors.texel(0, 0), error_colour(-error_range));
  EXPECT_EQ(errors.texel(4, 0), error_colour(0.0));
  EXPECT_EQ(errors.texel(8, 0), error_colour(error_range));
}
