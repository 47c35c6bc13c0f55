// The ideal levels from texel derivatives with known answers, the core rule's whole level for
// GL_LINEAR_MIPMAP_NEAREST at and around half levels, and the footprint's true axes as the
// screen turns under it.
#include "report/measure/ideal_level.h"

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

namespace {

// The derivatives `d` with the screen turned by `degrees`: a step along the turned screen's x is
// a step along cos · x + sin · y of the original one.
TexelDerivatives turned(const TexelDerivatives& d, double degrees) {
  const double a = degrees * 3.14159265358979323846 / 180.0, c = std::cos(a), s = std::sin(a);
  TexelDerivatives t;
  t.dudx = c * d.dudx + s * d.dudy;
  t.dvdx = c * d.dvdx + s * d.dvdy;
  t.dudy = -s * d.dudx + c * d.dudy;
  t.dvdy = -s * d.dvdx + c * d.dvdy;
  return t;
}

}  // namespace

TEST(FootprintAxes, AreTheSingularValuesOfTheJacobian) {
  const FootprintAxes aligned = footprint_axes(axis_aligned(1.0, 8.0));
  EXPECT_DOUBLE_EQ(aligned.major, 8.0);
  EXPECT_DOUBLE_EQ(aligned.minor, 1.0);
  // A shear [1 1; 0 1]: singular values golden ratio and its inverse.
  TexelDerivatives shear;
  shear.dudx = shear.dudy = shear.dvdy = 1.0;
  const FootprintAxes sheared = footprint_axes(shear);
  EXPECT_NEAR(sheared.major, (1.0 + std::sqrt(5.0)) / 2.0, 1e-12);
  EXPECT_NEAR(sheared.minor, (std::sqrt(5.0) - 1.0) / 2.0, 1e-12);
  // A reflection keeps its lengths; a footprint of one line has no width.
  const FootprintAxes mirrored = footprint_axes(axis_aligned(-2.0, 3.0));
  EXPECT_DOUBLE_EQ(mirrored.major, 3.0);
  EXPECT_DOUBLE_EQ(mirrored.minor, 2.0);
  EXPECT_DOUBLE_EQ(footprint_axes(axis_aligned(0.0, 5.0)).minor, 0.0);
}

TEST(FootprintAxes, InvariantLevelTakesTheWidthUpToTheLimit) {
  const FootprintAxes axes{16.0, 2.0};
  EXPECT_DOUBLE_EQ(invariant_level(axes, 1.0), 4.0);
  EXPECT_DOUBLE_EQ(invariant_level(axes, 4.0), 2.0);
  EXPECT_DOUBLE_EQ(invariant_level(axes, 16.0), 1.0);
}

// The screen turned under one footprint 8 texels long and 1 wide: the extension's formula, with
// Px and Py along the screen axes, sees the same footprint at 0 and 90 degrees and a nearly
// round one at 45; the true axes, and the level they give, stay the same at every angle.
TEST(FootprintAxes, TurningTheScreenChangesTheFormulaButNotTheInvariantLevel) {
  const TexelDerivatives d = axis_aligned(1.0, 8.0);
  const IdealLevels at_0 = ideal_levels(d, 16.0);
  const IdealLevels at_90 = ideal_levels(turned(d, 90.0), 16.0);
  EXPECT_NEAR(at_90.reference, at_0.reference, 1e-12);
  EXPECT_NEAR(at_90.isotropic, at_0.isotropic, 1e-12);
  EXPECT_NEAR(at_0.reference, 0.0, 1e-12);  // log2(Pmin)
  const IdealLevels at_45 = ideal_levels(turned(d, 45.0), 16.0);
  EXPECT_NEAR(at_45.px, at_45.py, 1e-12);
  EXPECT_NEAR(at_45.reference, std::log2(std::sqrt(32.5)), 1e-12);  // Pmin = Pmax
  for (double degrees = 0.0; degrees <= 360.0; degrees += 7.5) {
    const FootprintAxes axes = footprint_axes(turned(d, degrees));
    EXPECT_NEAR(axes.major, 8.0, 1e-12) << degrees;
    EXPECT_NEAR(axes.minor, 1.0, 1e-12) << degrees;
    EXPECT_NEAR(invariant_level(axes, 16.0), 0.0, 1e-12) << degrees;
    EXPECT_NEAR(invariant_level(axes, 2.0), 2.0, 1e-12) << degrees;
  }
}
