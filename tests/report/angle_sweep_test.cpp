// The angle sweep's sums: the disc every angle shares, placed where the turn keeps the plane in
// place, and the effective anisotropies of the quads inside it.
#include "report/measure/angle_sweep.h"

#include <gtest/gtest.h>

#include <cmath>

#include "interact/quaternion.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// A panel of 200 × 100 pixels seeing the plane laid back by 60 degrees, 4 units away.
PanelGeometry laid_back() {
  PanelGeometry g;
  g.projection = perspective_matrix(38.0, 1.0, 1.0, 100.0);
  g.modelview.set_translation({0.0f, 0.0f, -4.0f});
  g.modelview.multiply(
      Quaternion::from_axis_angle({1.0f, 0.0f, 0.0f}, static_cast<float>(-pi / 3.0)).to_matrix());
  g.width = 200;
  g.height = 100;
  return g;
}

QuadLevels quad(int x, int y, double major, double measured, double reference, double invariant) {
  QuadLevels q;
  q.x = x;
  q.y = y;
  q.major = major;
  q.measured = measured;
  q.reference = reference;
  q.invariant = invariant;
  return q;
}

}  // namespace

TEST(AngleSweep, DiscIsCentredOnThePlanesOriginAndFitsThePanel) {
  const TurnDisc disc = turn_disc(laid_back());
  EXPECT_NEAR(disc.x, 100.0, 1e-6);
  EXPECT_NEAR(disc.y, 50.0, 1e-6);
  EXPECT_NEAR(disc.radius, 48.0, 1e-6);  // half the height, less a quad
  PanelGeometry behind = laid_back();
  behind.modelview.set_translation({0.0f, 0.0f, 4.0f});
  EXPECT_EQ(turn_disc(behind).radius, 0.0);
}

TEST(AngleSweep, SampleSumsTheQuadsInsideTheDisc) {
  PanelMeasurement m;
  // Inside: the driver one level below major, the formula two, the invariant ideal three.
  m.quads.push_back(quad(10, 10, 5.0, 4.0, 3.0, 2.0));
  m.quads.push_back(quad(12, 10, 6.0, 5.0, 4.0, 3.0));
  // Outside: a quad whose centre (31, 11) lies 21 pixels from the disc's centre.
  m.quads.push_back(quad(30, 10, 8.0, 0.0, 0.0, 0.0));
  const AngleSample sample = angle_sample(35.0, m, {10.0, 11.0, 20.0});
  EXPECT_EQ(sample.degrees, 35.0);
  EXPECT_EQ(sample.quads, 2);
  EXPECT_DOUBLE_EQ(sample.measured, 2.0);
  EXPECT_DOUBLE_EQ(sample.formula, 4.0);
  EXPECT_DOUBLE_EQ(sample.invariant, 8.0);
  const AngleSample none = angle_sample(0.0, m, {100.0, 100.0, 5.0});
  EXPECT_EQ(none.quads, 0);
  EXPECT_EQ(none.measured, 1.0);
}
