// The ideal levels from texel derivatives with known answers, and the core rule's whole level
// for GL_LINEAR_MIPMAP_NEAREST at and around half levels.
#include "report/ideal_level.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TexelDerivatives axis_aligned(double along_x, double along_y) {
  TexelDerivatives d;
  d.dudx = along_x;
  d.dvdy = along_y;
  return d;
}

}  // namespace

TEST(IdealLevels, OneTexelPerPixelIsLevelZeroAndTwoAreLevelOne) {
  for (const double anisotropy : {1.0, 2.0, 8.0}) {
    const IdealLevels one = ideal_levels(axis_aligned(1.0, 1.0), anisotropy);
    EXPECT_DOUBLE_EQ(one.isotropic, 0.0);
    EXPECT_DOUBLE_EQ(one.reference, 0.0);
    EXPECT_DOUBLE_EQ(one.extension, 0.0);
    const IdealLevels two = ideal_levels(axis_aligned(2.0, 2.0), anisotropy);
    EXPECT_DOUBLE_EQ(two.isotropic, 1.0);
    EXPECT_DOUBLE_EQ(two.reference, 1.0);
    EXPECT_DOUBLE_EQ(two.extension, 1.0);
  }
}

TEST(IdealLevels, ExtentsAreTheLengthsOfTheDerivativeVectors) {
  TexelDerivatives d;
  d.dudx = 3.0;
  d.dvdx = 4.0;  // Px = 5
  d.dudy = -6.0;
  d.dvdy = 8.0;  // Py = 10
  const IdealLevels levels = ideal_levels(d, 1.0);
  EXPECT_DOUBLE_EQ(levels.px, 5.0);
  EXPECT_DOUBLE_EQ(levels.py, 10.0);
  EXPECT_DOUBLE_EQ(levels.pmax, 10.0);
  EXPECT_DOUBLE_EQ(levels.pmin, 5.0);
  EXPECT_DOUBLE_EQ(levels.isotropic, std::log2(10.0));
  EXPECT_DOUBLE_EQ(levels.reference, std::log2(10.0));  // isotropic filtering: log2(Pmax)
}

TEST(IdealLevels, AnisotropyTakesTheFootprintsWidthUpToTheLimit) {
  // A footprint 4 texels long and 1 wide.
  const TexelDerivatives d = axis_aligned(1.0, 4.0);
  EXPECT_DOUBLE_EQ(ideal_levels(d, 1.0).reference, 2.0);
  EXPECT_DOUBLE_EQ(ideal_levels(d, 2.0).reference, 1.0);  // log2(4 / 2)
  EXPECT_DOUBLE_EQ(ideal_levels(d, 2.0).extension, 1.0);  // N = 2
  EXPECT_DOUBLE_EQ(ideal_levels(d, 8.0).reference, 0.0);  // log2(Pmin)
  EXPECT_DOUBLE_EQ(ideal_levels(d, 8.0).extension, 0.0);  // N = 4
  EXPECT_DOUBLE_EQ(ideal_levels(d, 8.0).isotropic, 2.0);
}

TEST(IdealLevels, ExtensionRoundsTheProbesUpAndMaySampleFinerThanTheReference) {
  // Pmax / Pmin = 2.5: N = 3 probes, each Pmax / 3 wide, finer than Pmin.
  const IdealLevels levels = ideal_levels(axis_aligned(2.5, 1.0), 8.0);
  EXPECT_DOUBLE_EQ(levels.reference, 0.0);
  EXPECT_DOUBLE_EQ(levels.extension, std::log2(2.5 / 3.0));
  EXPECT_LT(levels.extension, levels.reference);
}

TEST(IdealLevels, FootprintWithoutWidthTakesEveryProbe) {
  const IdealLevels levels = ideal_levels(axis_aligned(0.0, 16.0), 4.0);
  EXPECT_DOUBLE_EQ(levels.reference, 2.0);
  EXPECT_DOUBLE_EQ(levels.extension, 2.0);
}

TEST(NearestMipLevel, CoreRuleRoundsHalvesDownAndTheAlternativeUp) {
  EXPECT_EQ(nearest_mip_level(-3.0, 8), 0);
  EXPECT_EQ(nearest_mip_level(0.5, 8), 0);
  EXPECT_EQ(nearest_mip_level(0.51, 8), 1);
  EXPECT_EQ(nearest_mip_level(1.49, 8), 1);
  EXPECT_EQ(nearest_mip_level(1.5, 8), 1);
  EXPECT_EQ(nearest_mip_level(1.5001, 8), 2);
  EXPECT_EQ(nearest_mip_level_rounded_up(0.5, 8), 1);
  EXPECT_EQ(nearest_mip_level_rounded_up(1.5, 8), 2);
  EXPECT_EQ(nearest_mip_level_rounded_up(1.49, 8), 1);
  EXPECT_EQ(nearest_mip_level_rounded_up(-1.0, 8), 0);
}

TEST(NearestMipLevel, ClampsToTheCoarsestLevelAndCopesWithAnyValue) {
  EXPECT_EQ(nearest_mip_level(8.4, 8), 8);
  EXPECT_EQ(nearest_mip_level(1e300, 8), 8);
  EXPECT_EQ(nearest_mip_level(std::numeric_limits<double>::infinity(), 8), 8);
  EXPECT_EQ(nearest_mip_level(std::numeric_limits<double>::quiet_NaN(), 8), 0);
  EXPECT_EQ(nearest_mip_level_rounded_up(std::numeric_limits<double>::infinity(), 8), 8);
  EXPECT_EQ(nearest_mip_level_rounded_up(-std::numeric_limits<double>::infinity(), 8), 0);
}
