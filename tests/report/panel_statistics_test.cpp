// The summary numbers of a panel from quads of known levels: the error statistics, the blurrier,
// sharper and blended shares, the effective anisotropy and its distance bands.
#include "report/measure/panel_statistics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QuadLevels quad(double depth, double measured, double reference, double sharpest,
                double isotropic) {
  QuadLevels q;
  q.eye_depth = depth;
  q.measured = measured;
  q.reference = reference;
  q.sharpest = sharpest;
  q.isotropic = isotropic;
  q.error = measured - reference;
  return q;
}

// A level map whose quads at (2i, 0) all hold `levels[i]`.
LevelMap map_of(const std::vector<double>& levels) {
  LevelMap map(2 * static_cast<int>(levels.size()), 2);
  for (std::size_t i = 0; i < levels.size(); ++i)
    for (int dy = 0; dy < 2; ++dy)
      for (int dx = 0; dx < 2; ++dx)
        map.set(2 * static_cast<int>(i) + dx, dy, PixelClass::level, levels[i]);
  return map;
}

}  // namespace

TEST(PanelStatistics, ErrorsSharesAndAnisotropyOfKnownQuads) {
  std::vector<QuadLevels> quads = {
      quad(1.5, 1.0, 1.0, 1.0, 1.0),   // right
      quad(3.0, 2.5, 2.0, 1.5, 3.0),   // half a level blurrier: not yet blurry
      quad(5.0, 3.0, 2.0, 2.0, 4.0),   // a level blurrier
      quad(10.0, 1.0, 2.0, 1.5, 5.0),  // a level sharper, half a level beyond the extension
  };
  std::vector<double> pixel_levels = {1.0, 2.5, 3.0, 1.0};
  for (std::size_t i = 0; i < quads.size(); ++i) quads[i].x = 2 * static_cast<int>(i);
  LevelMap levels = map_of(pixel_levels);
  const PanelStatistics s = panel_statistics(quads, levels);
  EXPECT_EQ(s.quads, 4);
  EXPECT_EQ(s.pixels, 16);
  EXPECT_DOUBLE_EQ(s.mean_error, (0.0 + 0.5 + 1.0 - 1.0) / 4);
  EXPECT_DOUBLE_EQ(s.rms_error, std::sqrt((0.25 + 1.0 + 1.0) / 4));
  EXPECT_DOUBLE_EQ(s.p95_abs_error, 1.0);
  EXPECT_DOUBLE_EQ(s.blurrier_share, 0.25);
  EXPECT_DOUBLE_EQ(s.sharper_share, 0.25);
  EXPECT_DOUBLE_EQ(s.blended_share, 0.25);  // the quad at level 2.5
  EXPECT_DOUBLE_EQ(s.effective_anisotropy, std::exp2((0.0 + 0.5 + 1.0 + 4.0) / 4));
  EXPECT_DOUBLE_EQ(s.ideal_anisotropy, std::exp2((0.0 + 1.0 + 2.0 + 3.0) / 4));
  // One quad in each of the bands 1-2, 2-4, 4-8 and 8-16.
  ASSERT_EQ(s.bands.size(), 4u);
  EXPECT_EQ(s.bands[0].near, 1.0);
  EXPECT_EQ(s.bands[3].far, 16.0);
  EXPECT_DOUBLE_EQ(s.bands[2].measured_anisotropy, 2.0);
  EXPECT_DOUBLE_EQ(s.bands[2].ideal_anisotropy, 4.0);
  EXPECT_DOUBLE_EQ(s.bands[3].measured_anisotropy, 16.0);
}

TEST(PanelStatistics, PixelClassesAreCounted) {
  LevelMap levels(4, 2);  // background to start with
  levels.set(0, 0, PixelClass::undecodable, 0.0);
  levels.set(1, 0, PixelClass::unresolved, 0.0);
  levels.set(2, 0, PixelClass::unresolved, 0.0);
  levels.set(3, 0, PixelClass::level, 1.0);
  const PanelStatistics s = panel_statistics({}, levels);
  EXPECT_EQ(s.background_pixels, 4);
  EXPECT_EQ(s.undecodable_pixels, 1);
  EXPECT_EQ(s.unresolved_pixels, 2);
  EXPECT_EQ(s.quads, 0);
  EXPECT_EQ(s.mean_error, 0.0);
  EXPECT_EQ(s.effective_anisotropy, 1.0);
  EXPECT_TRUE(s.bands.empty());
}
