// The plane turned about the viewing axis, checked against a direct computation: the navigators
// set as the test starts, the plane turned by 30 degrees, and every plane point's window
// position, texel derivatives and levels worked out from the rotations themselves.
#include "report/measure/plane_turn.h"

#include <gtest/gtest.h>

#include <cmath>

#include "interact/navigators.h"
#include "report/measure/ideal_level.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/plane_footprint.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int size = 256;
// The test's start: the plane laid back by 75 degrees, 3.5 units away, panned up by 0.05.
constexpr double tilt = -75.0 * pi / 180.0;
constexpr double zoom = 3.5, pan_y = 0.05;
constexpr double texels_per_unit = 128.0;  // 256 texels per 2-unit quad

void start_navigator() {
  object_navigator.dolly.translation.z = -static_cast<float>(zoom);
  object_navigator.pan.translation.y = static_cast<float>(pan_y);
  object_navigator.trackball.rotation =
      Quaternion::from_axis_angle({1.0f, 0.0f, 0.0f}, static_cast<float>(tilt));
}

// Where the plane point (x, y), turned by `degrees` about the viewing axis through the plane's
// centre, is seen in the panel: the rotations and the perspective division written out.
void direct_window(double x, double y, double degrees, double& wx, double& wy) {
  const double turn = degrees * pi / 180.0;
  const double ty = std::cos(tilt) * y, tz = std::sin(tilt) * y;  // laid back about x
  const double ex = std::cos(turn) * x - std::sin(turn) * ty;     // turned about z
  const double ey = std::sin(turn) * x + std::cos(turn) * ty + pan_y;
  const double ez = tz - zoom;
  const double f = 1.0 / std::tan(19.0 * pi / 180.0);  // fovy 38 degrees, aspect 1
  wx = size / 2.0 * (1.0 + f * ex / -ez);
  wy = size / 2.0 * (1.0 + f * ey / -ez);
}

// The texel derivatives at the plane point (x, y): the inverse of the window's derivatives with
// respect to the plane, by central differences of direct_window.
TexelDerivatives direct_derivatives(double x, double y, double degrees) {
  constexpr double h = 1e-5;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0;
  direct_window(x - h, y, degrees, x0, y0);
  direct_window(x + h, y, degrees, x1, y1);
  direct_window(x, y - h, degrees, x2, y2);
  direct_window(x, y + h, degrees, x3, y3);
  const double a = (x1 - x0) / (2 * h), b = (x3 - x2) / (2 * h);  // dwx/dx, dwx/dy
  const double c = (y1 - y0) / (2 * h), d = (y3 - y2) / (2 * h);  // dwy/dx, dwy/dy
  const double det = a * d - b * c;
  TexelDerivatives t;
  t.dudx = texels_per_unit * d / det;
  t.dudy = -texels_per_unit * b / det;
  t.dvdx = -texels_per_unit * c / det;
  t.dvdy = texels_per_unit * a / det;
  return t;
}

double direction_degrees(const PlaneFootprint& footprint) {
  double dx = 0.0, dy = 0.0;
  footprint.receding_direction(dx, dy);
  return std::atan2(dy, dx) * 180.0 / pi;
}

}  // namespace

TEST(PlaneTurn, TurnedPlaneMatchesTheDirectComputation) {
  start_navigator();
  constexpr double degrees = 30.0;
  const PlaneTurn turn(degrees);
  const PlaneFootprint footprint(test_panel_geometry(size, size));
  int compared = 0;
  for (const double x : {-2.0, 0.0, 1.5, 4.0})
    for (const double y : {-1.0, 0.0, 3.0, 9.0}) {
      double wx = 0.0, wy = 0.0;
      direct_window(x, y, degrees, wx, wy);
      PlanePoint point;
      ASSERT_TRUE(footprint.point_at(wx, wy, point)) << x << ", " << y;
      // The matrices are single precision, as GL's.
      EXPECT_NEAR(point.x, x, 1e-4 * (1.0 + std::fabs(x)));
      EXPECT_NEAR(point.y, y, 1e-4 * (1.0 + std::fabs(y)));
      const TexelDerivatives expected = direct_derivatives(x, y, degrees);
      const IdealLevels want = ideal_levels(expected, 8.0);
      const IdealLevels got = ideal_levels(point.derivatives, 8.0);
      EXPECT_NEAR(got.px, want.px, 1e-3 * want.px) << x << ", " << y;
      EXPECT_NEAR(got.py, want.py, 1e-3 * want.py) << x << ", " << y;
      EXPECT_NEAR(got.reference, want.reference, 1e-3) << x << ", " << y;
      EXPECT_NEAR(invariant_level(footprint_axes(point.derivatives), 8.0),
                  invariant_level(footprint_axes(expected), 8.0), 1e-3);
      ++compared;
    }
  EXPECT_EQ(compared, 16);
}

TEST(PlaneTurn, TheRecedingDirectionTurnsWithThePlaneAndTheRotationComesBack) {
  start_navigator();
  const Quaternion before = object_navigator.trackball.rotation;
  const double unturned = direction_degrees(PlaneFootprint(test_panel_geometry(size, size)));
  EXPECT_NEAR(unturned, 90.0, 1e-4);  // straight up the panel
  for (const double degrees : {30.0, 60.0, -45.0}) {
    const PlaneTurn turn(degrees);
    EXPECT_NEAR(direction_degrees(PlaneFootprint(test_panel_geometry(size, size))), 90.0 + degrees,
                1e-4);
  }
  const Quaternion after = object_navigator.trackball.rotation;
  EXPECT_EQ(after.x, before.x);
  EXPECT_EQ(after.y, before.y);
  EXPECT_EQ(after.z, before.z);
  EXPECT_EQ(after.w, before.w);
}
