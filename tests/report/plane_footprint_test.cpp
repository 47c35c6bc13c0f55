// The footprint of the plane on geometry with known answers: a plane facing the viewer at the
// distance where one texel covers one pixel, twice as far, tilted by a known angle, the horizon
// and the receding direction of a plane that recedes, and the way back from plane to window.
#include "report/measure/plane_footprint.h"

#include <gtest/gtest.h>

#include <cmath>

#include "interact/quaternion.h"
#include "report/measure/ideal_level.h"

namespace {

constexpr double fovy = 38.0;
constexpr int size = 256;
constexpr double pi = 3.14159265358979323846;
constexpr double distance = 4.0;

// Texels per scene unit such that one texel covers one pixel on a plane facing the viewer at
// `distance`: the panel shows 2 distance tan(fovy / 2) units over `size` pixels there.
double texels_per_unit() { return size / (2.0 * distance * std::tan(fovy * pi / 360.0)); }

// The plane turned by `tilt` radians about x, then moved `depth` units in front of the eye.
PanelGeometry geometry(double depth, double tilt) {
  PanelGeometry g;
  g.projection = perspective_matrix(fovy, 1.0, 1.0, 100.0);
  g.modelview.set_translation({0.0f, 0.0f, static_cast<float>(-depth)});
  g.modelview.multiply(
      Quaternion::from_axis_angle({1.0f, 0.0f, 0.0f}, static_cast<float>(tilt)).to_matrix());
  g.width = size;
  g.height = size;
  g.texels_per_unit = texels_per_unit();
  return g;
}

// The matrices are single precision, as GL's: answers hold to about 1e-7.
PlanePoint point_at(const PlaneFootprint& footprint, double x, double y) {
  PlanePoint point;
  EXPECT_TRUE(footprint.point_at(x, y, point)) << x << ", " << y;
  return point;
}

}  // namespace

TEST(PlaneFootprint, PerspectiveMatrixIsGluPerspectives) {
  const Matrix4 m = perspective_matrix(90.0, 2.0, 1.0, 3.0);
  const float expected[16] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m.m[i], expected[i], 1e-6) << i;
}

TEST(PlaneFootprint, FacingPlaneWhereATexelCoversAPixelIsLevelZeroEverywhere) {
  const PlaneFootprint footprint(geometry(distance, 0.0));
  for (const double x : {0.5, 100.5, 255.5})
    for (const double y : {0.5, 128.0, 200.5}) {
      const PlanePoint point = point_at(footprint, x, y);
      EXPECT_NEAR(point.eye_depth, distance, 1e-6);
      EXPECT_NEAR(point.derivatives.dudx, 1.0, 1e-6);
      EXPECT_NEAR(point.derivatives.dvdy, 1.0, 1e-6);
      EXPECT_NEAR(point.derivatives.dvdx, 0.0, 1e-6);
      EXPECT_NEAR(point.derivatives.dudy, 0.0, 1e-6);
      EXPECT_NEAR(ideal_levels(point.derivatives, 1.0).isotropic, 0.0, 1e-6);
    }
  // The centre of the panel sees the plane's origin.
  const PlanePoint centre = point_at(footprint, 128.0, 128.0);
  EXPECT_NEAR(centre.x, 0.0, 1e-6);
  EXPECT_NEAR(centre.y, 0.0, 1e-6);
}

TEST(PlaneFootprint, TwiceAsFarIsLevelOne) {
  const PlaneFootprint footprint(geometry(2.0 * distance, 0.0));
  const PlanePoint point = point_at(footprint, 37.5, 211.5);
  EXPECT_NEAR(point.eye_depth, 2.0 * distance, 1e-6);
  EXPECT_NEAR(ideal_levels(point.derivatives, 1.0).isotropic, 1.0, 1e-6);
}

TEST(PlaneFootprint, TiltedPlaneIsForeshortenedByTheCosineAtTheCentre) {
  // Tilted by 60 degrees the plane's y shrinks by cos 60 = 1/2 on screen where the view axis
  // meets it: Py = 2 texels per pixel, Px = 1.
  const PlaneFootprint footprint(geometry(distance, -pi / 3.0));
  const IdealLevels levels = ideal_levels(point_at(footprint, 128.0, 128.0).derivatives, 8.0);
  EXPECT_NEAR(levels.px, 1.0, 1e-6);
  EXPECT_NEAR(levels.py, 2.0, 1e-6);
  EXPECT_NEAR(levels.pmax / levels.pmin, 2.0, 1e-6);
  EXPECT_NEAR(levels.isotropic, 1.0, 1e-6);
  EXPECT_NEAR(levels.reference, 0.0, 1e-6);
}

TEST(PlaneFootprint, RecedingPlaneEndsAtTheHorizon) {
  // Laid back by 75 degrees the plane's horizon crosses the panel: below it the plane recedes,
  // levels growing up the panel; above it no ray meets the plane.
  const PlaneFootprint footprint(geometry(distance, -75.0 * pi / 180.0));
  double last_level = -1e9, last_depth = 0.0;
  for (double y = 0.5; y < 180.0; y += 8.0) {
    const PlanePoint point = point_at(footprint, 128.0, y);
    const double level = ideal_levels(point.derivatives, 1.0).isotropic;
    EXPECT_GT(level, last_level) << y;
    EXPECT_GT(point.eye_depth, last_depth) << y;
    last_level = level;
    last_depth = point.eye_depth;
  }
  PlanePoint untouched;
  untouched.x = 42.0;
  EXPECT_FALSE(footprint.point_at(128.0, 255.5, untouched));
  EXPECT_EQ(untouched.x, 42.0);
  // It recedes straight up the panel; a plane facing the viewer does not recede at all.
  double dx = 1.0, dy = 1.0;
  footprint.receding_direction(dx, dy);
  EXPECT_NEAR(dx, 0.0, 1e-9);
  EXPECT_GT(dy, 0.0);
  PlaneFootprint(geometry(distance, 0.0)).receding_direction(dx, dy);
  EXPECT_NEAR(dx, 0.0, 1e-9);
  EXPECT_NEAR(dy, 0.0, 1e-9);
}

TEST(PlaneFootprint, WindowPositionOfAPlanePointIsWherePointAtFindsIt) {
  const PlaneFootprint footprint(geometry(distance, -75.0 * pi / 180.0));
  for (const double x : {-3.0, 0.0, 2.5})
    for (const double y : {-1.0, 0.0, 6.0}) {
      double wx = 0.0, wy = 0.0;
      ASSERT_TRUE(footprint.window_at(x, y, wx, wy)) << x << ", " << y;
      const PlanePoint point = point_at(footprint, wx, wy);
      EXPECT_NEAR(point.x, x, 1e-9);
      EXPECT_NEAR(point.y, y, 1e-9);
    }
  // The plane's origin lies straight ahead, in the middle of the panel; a point behind the eye
  // is seen nowhere.
  double wx = 0.0, wy = 0.0;
  ASSERT_TRUE(footprint.window_at(0.0, 0.0, wx, wy));
  EXPECT_NEAR(wx, 128.0, 1e-6);
  EXPECT_NEAR(wy, 128.0, 1e-6);
  EXPECT_FALSE(footprint.window_at(0.0, -40.0, wx, wy));
}

TEST(PlaneFootprint, PlaneSeenEdgeOnHasNoFootprint) {
  // Turned by exactly 90 degrees about x: the plane holds the view axis.
  PanelGeometry edge_on = geometry(distance, 0.0);
  Matrix4& m = edge_on.modelview;
  m.m[5] = 0.0f;  // y goes to -z
  m.m[6] = -1.0f;
  m.m[9] = 1.0f;  // z goes to y
  m.m[10] = 0.0f;
  const PlaneFootprint footprint(edge_on);
  PlanePoint point;
  EXPECT_FALSE(footprint.point_at(128.0, 100.0, point));
}
