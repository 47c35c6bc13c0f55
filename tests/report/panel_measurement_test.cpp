// The measurement of a panel without a driver: pixels painted on the CPU with the levels a
// perfect driver would sample, then with levels off by a known amount, measured against the
// plane's footprint.
#include "report/measure/panel_measurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "interact/quaternion.h"
#include "level_colours.h"
#include "report/measure/ideal_level.h"
#include "report/measure/plane_footprint.h"

namespace {

constexpr int size = 128;
constexpr int max_level = 8;

// The panel's plane laid back by 75 degrees, 3.5 units away: the horizon crosses the panel.
PanelGeometry receding_plane() {
  PanelGeometry g;
  g.projection = perspective_matrix(38.0, 1.0, 1.0, 100.0);
  g.modelview.set_translation({0.0f, 0.0f, -3.5f});
  g.modelview.multiply(Quaternion::from_axis_angle({1.0f, 0.0f, 0.0f}, -1.3089969f).to_matrix());
  g.width = size;
  g.height = size;
  g.texels_per_unit = 128.0;
  return g;
}

// The pixels of a driver that samples level(ideal levels) in every quad; background where the
// quad's centre sees no plane.
RgbImage paint(const PanelGeometry& geometry, double anisotropy,
               const std::function<double(const IdealLevels&)>& level) {
  const PlaneFootprint footprint(geometry);
  RgbImage image(size, size);
  for (int y = 0; y < size; y += 2)
    for (int x = 0; x < size; x += 2) {
      PlanePoint point;
      if (!footprint.point_at(x + 1.0, y + 1.0, point)) continue;
      const double l =
          std::clamp(level(ideal_levels(point.derivatives, anisotropy)), 0.0, double(max_level));
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) image.texel(x + dx, y + dy) = level_colour_of(l);
    }
  return image;
}

PanelMeasurement measure(bool trilinear, double anisotropy,
                         const std::function<double(const IdealLevels&)>& level) {
  const PanelGeometry geometry = receding_plane();
  const PanelConfig config{trilinear, static_cast<float>(anisotropy), 0, 1};
  return measure_pixels(config, paint(geometry, anisotropy, level), geometry, max_level);
}

}  // namespace

TEST(PanelMeasurement, LabelsUseThePanelsWords) {
  EXPECT_EQ(configuration_label({true, 1.0f, 0, 1}), "trilinear, isotropic");
  EXPECT_EQ(configuration_label({false, 8.0f, 2, 4}), "bilinear, AF level 8");
  EXPECT_EQ(configuration_label({true, 16.0f, 0, 1}), "trilinear, AF level 16");
}

TEST(PanelMeasurement, PerfectTrilinearDriverMeasuresNoError) {
  for (const double anisotropy : {1.0, 8.0}) {
    SCOPED_TRACE(anisotropy);
    const PanelMeasurement m =
        measure(true, anisotropy, [](const IdealLevels& ideal) { return ideal.reference; });
    const PanelStatistics& s = m.statistics;
    EXPECT_GT(s.quads, size * size / 4 / 2);
    EXPECT_EQ(s.pixels, 4 * s.quads);
    EXPECT_EQ(s.pixels + s.background_pixels, size * size);
    EXPECT_LT(std::fabs(s.mean_error), 0.005);
    // Bytes hold a blend to 1/510 of a level.
    EXPECT_LT(s.p95_abs_error, 0.005);
    EXPECT_EQ(s.blurrier_share, 0.0);
    EXPECT_EQ(s.sharper_share, 0.0);
    EXPECT_NEAR(s.effective_anisotropy, s.ideal_anisotropy, 0.01);
  }
}

TEST(PanelMeasurement, LevelsOffByOneShowAsBlurrierOrSharper) {
  const PanelMeasurement blurry =
      measure(true, 1.0, [](const IdealLevels& ideal) { return ideal.reference + 1.0; });
  // Quads within a level of the coarsest level cannot be a whole level blurrier.
  EXPECT_GT(blurry.statistics.mean_error, 0.8);
  EXPECT_GT(blurry.statistics.blurrier_share, 0.8);
  EXPECT_EQ(blurry.statistics.sharper_share, 0.0);

  const PanelMeasurement sharp =
      measure(true, 8.0, [](const IdealLevels& ideal) { return ideal.extension - 1.0; });
  EXPECT_LT(sharp.statistics.mean_error, -0.5);
  EXPECT_GT(sharp.statistics.sharper_share, 0.5);
  EXPECT_EQ(sharp.statistics.blurrier_share, 0.0);
  EXPECT_GT(sharp.statistics.effective_anisotropy, sharp.statistics.ideal_anisotropy);
}

TEST(PanelMeasurement, BilinearQuadsAreComparedWithTheCoreRulesWholeLevel) {
  const PanelMeasurement m = measure(false, 4.0, [](const IdealLevels& ideal) {
    return static_cast<double>(nearest_mip_level(ideal.reference, max_level));
  });
  EXPECT_EQ(m.statistics.mean_error, 0.0);
  EXPECT_EQ(m.statistics.blended_share, 0.0);
  // The continuous reference itself is not what a bilinear panel should show.
  const PanelMeasurement continuous =
      measure(false, 4.0, [](const IdealLevels& ideal) { return ideal.reference; });
  EXPECT_GT(continuous.statistics.rms_error, 0.1);
}
