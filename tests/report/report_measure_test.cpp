// The report's measurement without a driver: level decoding, ideal levels, the plane's horizon and
// panels painted as a perfect or faulty driver would. The footprint is checked on the driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "interact/angles.h"
#include "interact/quaternion.h"
#include "report/measure/ideal_level.h"
#include "report/measure/level_decoder.h"
#include "report/measure/panel_measurement.h"
#include "report/measure/plane_footprint.h"
#include "scene/scene.h"

namespace {

// The bytes a driver shows at `level` (>= 0) of the colour-mipmap texture of colour delta 0.
RgbTexel level_colour_of(double level) {
  const double whole = std::floor(level);
  const double f = level - whole;
  const LevelColour& from = level_colours[static_cast<int>(whole) % 4];
  const LevelColour& to = level_colours[(static_cast<int>(whole) + 1) % 4];
  const auto blend = [f](int a, int b) {
    return static_cast<std::uint8_t>(std::lround((1 - f) * a + f * b));
  };
  return {blend(from.red, to.red), blend(from.green, to.green), blend(from.blue, to.blue)};
}

constexpr int size = 256;
constexpr int max_level = 8;

// The plane tilted by `tilt_degrees` about x, `depth` units ahead, in the test's projection; a
// texel covers a pixel where the plane faces the viewer 4 units away.
PanelGeometry geometry(double depth, double tilt_degrees) {
  PanelGeometry g;
  g.projection = perspective_matrix(38.0, 1.0, 1.0, 100.0);
  g.modelview.set_translation({0.0f, 0.0f, static_cast<float>(-depth)});
  g.modelview.multiply(
      Quaternion::from_axis_angle({1.0f, 0.0f, 0.0f}, static_cast<float>(radians(tilt_degrees)))
          .to_matrix());
  g.width = g.height = size;
  g.texels_per_unit = size / (2.0 * 4.0 * std::tan(radians(19.0)));
  return g;
}

// Each quad at level(its ideal levels), as a driver would draw it; background off the plane.
RgbImage paint(const PanelGeometry& g, double anisotropy,
               const std::function<double(const IdealLevels&)>& level) {
  const PlaneFootprint footprint(g);
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

PanelStatistics measure(bool trilinear, double anisotropy,
                        const std::function<double(const IdealLevels&)>& level) {
  PanelGeometry g = geometry(3.5, -75.0);
  g.texels_per_unit = 256.0;  // level 0 reaches far enough for a level finer to show

  const PanelConfig config{trilinear, static_cast<float>(anisotropy), 0, 1};
  return measure_pixels(config, paint(g, anisotropy, level), g, max_level).statistics;
}

}  // namespace

TEST(LevelDecoder, ColoursReadAsLevelsBlendsBackgroundOrNothing) {
  struct Case {
    RgbTexel texel;
    PixelClass kind;
    double level_mod4, tolerance;
  };
  using P = PixelClass;
  const Case cases[] = {
      {{255, 255, 255}, P::level, 0.0, 1e-9},  {{255, 0, 0}, P::level, 1.0, 1e-9},
      {{0, 255, 0}, P::level, 2.0, 1e-9},      {{0, 0, 255}, P::level, 3.0, 1e-9},
      {{250, 253, 255}, P::level, 0.0, 0.03},  {{252, 4, 3}, P::level, 1.0, 0.03},
      {{3, 6, 251}, P::level, 3.0, 0.03},      {{128, 127, 10}, P::level, 1.5, 0.01},
      {{0, 0, 0}, P::background, 0, 0},        {{8, 3, 8}, P::background, 0, 0},
      {{255, 0, 255}, P::undecodable, 0, 0},   {{128, 128, 128}, P::undecodable, 0, 0},
      {{255, 255, 0}, P::undecodable, 0, 0},   {{200, 60, 200}, P::undecodable, 0, 0}};
  for (const Case& c : cases) {
    const DecodedColour decoded = decode_level_colour(c.texel);
    SCOPED_TRACE(testing::Message()
                 << int{c.texel.red} << " " << int{c.texel.green} << " " << int{c.texel.blue});
    EXPECT_EQ(decoded.kind, c.kind);
    if (c.kind == PixelClass::level) {
      const double d = std::fabs(decoded.level_mod4 - c.level_mod4);
      EXPECT_LE(std::min(d, 4.0 - d), c.tolerance) << decoded.level_mod4;
    }
  }
  // Every blend of neighbouring levels, also across the wrap from blue to white.
  for (double level = 0.1; level < 8.0; level += 0.15) {
    const DecodedColour decoded = decode_level_colour(level_colour_of(level));
    ASSERT_EQ(decoded.kind, PixelClass::level) << level;
    const double d = std::fabs(decoded.level_mod4 - std::fmod(level, 4.0));
    EXPECT_LE(std::min(d, 4.0 - d), 0.5 / 255 + 1e-9) << level;
  }
}

TEST(LevelDecoder, ContinuityResolvesWholeLevelsAcrossGapsAndFromTheNearSide) {
  // Up a column: white a hair below 4 at the near edge is level 0; the walk starts at the
  // plane, steps over an undecodable pixel, and a level after the background cannot be told.
  const RgbTexel column[] = {{0, 0, 0},           {254, 255, 255},      level_colour_of(0.4),
                             level_colour_of(1.25), level_colour_of(2.1), {255, 0, 255},
                             level_colour_of(2.9),  {0, 0, 0},           level_colour_of(6.0),
                             {0, 0, 0}};
  using P = PixelClass;
  const PixelClass kinds[] = {P::background, P::level,      P::level,      P::level,
                              P::level,      P::undecodable, P::level,   P::background,
                              P::unresolved, P::background};
  const double levels[] = {0, 0.0, 0.4, 1.25, 2.1, 0, 2.9, 0, 0, 0};
  const int height = sizeof column / sizeof column[0];
  RgbImage panel(2, height);
  for (int y = 0; y < height; ++y) panel.texel(0, y) = panel.texel(1, y) = column[y];
  const LevelMap map = decode_levels(panel);
  for (int y = 0; y < height; ++y) {
    EXPECT_EQ(map.kind(1, y), kinds[y]) << y;
    if (kinds[y] == PixelClass::level) {
      EXPECT_NEAR(map.level(1, y), levels[y], 0.01) << y;
    }
  }
  EXPECT_TRUE(map.quad_resolved(0, 1));
  EXPECT_NEAR(map.quad_level(0, 1), 0.2, 0.01);
  EXPECT_FALSE(map.quad_resolved(0, 5));
}

// The plane recedes leftwards from a near side on the right that climbs from 2.5 past 6: alone, a
// near-side 5 would read as 1; walking the rows, each from the line before, reads all whole.
TEST(LevelDecoder, RowsWalkTowardsWhereThePlaneRecedesEachFromTheLineBefore) {
  constexpr int width = 60, height = 80;
  RgbImage panel(width, height);
  const auto level_at = [](int x, int y) { return 2.5 + 0.05 * y + 0.05 * (width - 1 - x); };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) panel.texel(x, y) = level_colour_of(level_at(x, y));
  const Walk walk = walk_along(-1.0, 0.3);
  EXPECT_TRUE(walk.along == Step::left && walk.across == Step::up);
  const LevelMap map = decode_levels(panel, walk);
  EXPECT_EQ(map.count(PixelClass::level), width * height);
  for (int y = 0; y < height; y += 7)
    for (int x = 0; x < width; x += 3) EXPECT_NEAR(map.level(x, y), level_at(x, y), 0.01);
  EXPECT_GT(std::fabs(decode_levels(panel).level(0, 0) - level_at(0, 0)), 3.9);  // up columns
}

TEST(IdealLevels, KnownFootprints) {
  struct Case {
    TexelDerivatives d;  // dudx, dvdx, dudy, dvdy
    double anisotropy, isotropic, reference, extension;
  };
  const double log2_10 = std::log2(10.0);
  const Case cases[] = {
      {{1, 0, 0, 1}, 8, 0, 0, 0},                     // a texel a pixel
      {{2, 0, 0, 2}, 8, 1, 1, 1},                     // two
      {{3, 4, -6, 8}, 1, log2_10, log2_10, log2_10},  // Px 5, Py 10: isotropic takes Pmax
      {{1, 0, 0, 4}, 2, 2, 1, 1},                     // 4 long, 1 wide: log2(4 / 2)
      {{1, 0, 0, 4}, 8, 2, 0, 0},                     // the width bounds it: log2(Pmin)
      {{1, 0, 0, 3}, 2, std::log2(3.0), std::log2(1.5), std::log2(1.5)},
      {{1, 0, 0, 3}, 8, std::log2(3.0), 0, std::log2(3.0 / 3.0)},    // N = ceil(3 / 1)
      {{1, 0, 0, 2.5}, 8, std::log2(2.5), 0, std::log2(2.5 / 3.0)},  // N rounds up: finer
  };
  for (const Case& c : cases) {
    const IdealLevels levels = ideal_levels(c.d, c.anisotropy);
    SCOPED_TRACE(testing::Message() << c.d.dvdy << " at AF " << c.anisotropy);
    EXPECT_NEAR(levels.isotropic, c.isotropic, 1e-12);
    EXPECT_NEAR(levels.reference, c.reference, 1e-12);
    EXPECT_NEAR(levels.extension, c.extension, 1e-12);
  }
  // GL_LINEAR_MIPMAP_NEAREST: level 0 up to 1/2, halves down by the core rule, up by the other.
  const double lambdas[] = {-INFINITY, -3.0, 0.5, 0.75, 1.5, 1.51, 2.5, 7.9, INFINITY};
  const int down[] = {0, 0, 0, 1, 1, 2, 2, 8, 8};
  const int up[] = {0, 0, 1, 1, 2, 2, 3, 8, 8};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(nearest_mip_level(lambdas[i], max_level), down[i]) << lambdas[i];
    EXPECT_EQ(nearest_mip_level_rounded_up(lambdas[i], max_level), up[i]) << lambdas[i];
  }
}

TEST(PlaneFootprint, RecedesToAHorizon) {
  // Laid back 75 degrees, the plane coarsens up to a horizon; a point behind the eye shows nowhere.
  const PlaneFootprint receding(geometry(4.0, -75.0));
  PlanePoint near, far;
  ASSERT_TRUE(receding.point_at(128.0, 0.5, near) && receding.point_at(128.0, 170.5, far));
  EXPECT_GT(ideal_levels(far.derivatives, 1.0).isotropic,
            ideal_levels(near.derivatives, 1.0).isotropic + 3.0);
  PlanePoint untouched;
  untouched.x = 42.0;
  EXPECT_FALSE(receding.point_at(128.0, 255.5, untouched));
  EXPECT_EQ(untouched.x, 42.0);
  double wx = 0.0, wy = 0.0;
  EXPECT_FALSE(receding.window_at(0.0, -40.0, wx, wy));
}

TEST(PanelMeasurement, ASyntheticPerfectDriverMeasuresNoError) {
  for (const double anisotropy : {1.0, 8.0}) {
    SCOPED_TRACE(anisotropy);
    const PanelStatistics s =
        measure(true, anisotropy, [](const IdealLevels& ideal) { return ideal.reference; });
    EXPECT_GT(s.decisive_quads, size * size / 4 / 4);
    EXPECT_EQ(s.pixels + s.background_pixels, size * size);
    EXPECT_LT(std::fabs(s.mean_error), 0.005);
    EXPECT_LT(s.p95_abs_error, 0.005);  // bytes hold a blend to 1/510 of a level
    EXPECT_EQ(s.blurrier_share + s.sharper_share, 0.0);
    EXPECT_NEAR(s.effective_anisotropy, s.ideal_anisotropy, 0.01);
  }
  // GL_LINEAR_MIPMAP_NEAREST is right at the core rule's whole level, not the continuous one.
  const PanelStatistics whole = measure(false, 4.0, [](const IdealLevels& ideal) {
    return double(nearest_mip_level(ideal.reference, max_level));
  });
  EXPECT_EQ(whole.mean_error, 0.0);
  EXPECT_EQ(whole.blended_share, 0.0);
  const PanelStatistics continuous =
      measure(false, 4.0, [](const IdealLevels& ideal) { return ideal.reference; });
  EXPECT_GT(continuous.rms_error, 0.1);
}

TEST(PanelMeasurement, ADriverALevelOffShowsBlurrierOrSharper) {
  const PanelStatistics blurry =
      measure(true, 1.0, [](const IdealLevels& ideal) { return ideal.reference + 1.0; });
  EXPECT_GT(blurry.mean_error, 0.8);
  EXPECT_GT(blurry.blurrier_share, 0.8);
  EXPECT_EQ(blurry.sharper_share, 0.0);
  const PanelStatistics sharp =
      measure(true, 8.0, [](const IdealLevels& ideal) { return ideal.extension - 1.0; });
  EXPECT_LT(sharp.mean_error, -0.5);
  EXPECT_GT(sharp.sharper_share, 0.5);
  EXPECT_EQ(sharp.blurrier_share, 0.0);
  EXPECT_GT(sharp.effective_anisotropy, sharp.ideal_anisotropy);
}

// Where the reference is held at level 0, biased or not, a driver a level blurrier there alone
// is not blamed: those quads, like those held at the coarsest level, are not decisive.
TEST(PanelMeasurement, QuadsHeldAtLevel0AreNotDecisive) {
  for (const double bias : {0.0, -1.0, 0.5}) {
    SCOPED_TRACE(bias);
    const PanelGeometry g = geometry(3.5, -75.0);
    const PanelConfig config{true, 1.0f, 0, 1, static_cast<float>(bias)};
    const RgbImage pixels = paint(g, 1.0, [bias](const IdealLevels& ideal) {
      const double biased = ideal.reference + bias;
      return biased <= 0.0 ? 1.0 : biased;
    });
    const PanelMeasurement m = measure_pixels(config, pixels, g, max_level);
    const auto at = [&m](double level) {
      return std::count_if(m.quads.begin(), m.quads.end(),
                           [level](const QuadLevels& q) { return q.reference == level; });
    };
    EXPECT_GT(at(0.0), 100);
    EXPECT_EQ(m.statistics.decisive_quads + at(0.0) + at(max_level), m.statistics.quads);
    EXPECT_EQ(m.statistics.blurrier_share, 0.0);
    EXPECT_LT(std::fabs(m.statistics.mean_error), 0.005);
  }
}
