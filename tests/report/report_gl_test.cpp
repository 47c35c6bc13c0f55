// The report's measurement on the real driver: the geometry it computes is the one the driver
// draws, the isotropic trilinear panel measures the reference's levels, a measurement leaves the
// test's state alone, and text lands on the report's pictures, also on those wider than the
// window.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/panels.h"
#include "app/test_state.h"
#include "report/measure/panel_geometry.h"
#include "report/draw/panel_render.h"
#include "report/draw/picture_text.h"
#include "report/measure/plane_footprint.h"
#include "start_test_support.h"

namespace {

constexpr int panel_size = 256;

// How far `value` lies from the nearest integer.
double off_integer(double value) { return std::fabs(value - std::round(value)); }

}  // namespace

// Every vertex the driver reports for the panel's plane, clipped ones included, maps back
// through the report's footprint to the plane point whose texture coordinates it carries.
TEST(ReportGl, FootprintInvertsWhatTheDriverDraws) {
  START_TEST_OR_SKIP("-nomt");
  glViewport(0, 0, panel_size, panel_size);
  std::vector<GLfloat> buffer(1 << 17);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw_panel(1.0f, 1);
  const GLint count = glRenderMode(GL_RENDER);
  ASSERT_GT(count, 0);

  const PlaneFootprint footprint(test_panel_geometry(panel_size, panel_size));
  constexpr int floats_per_vertex = 3 + 4 + 4;  // position, colour, texture coordinates
  int vertices = 0;
  for (GLint i = 0; i < count;) {
    ASSERT_EQ(buffer[i], GL_POLYGON_TOKEN) << "at " << i;
    const int n = static_cast<int>(buffer[i + 1]);
    for (int v = 0; v < n; ++v) {
      const GLfloat* f = &buffer[i + 2 + v * floats_per_vertex];
      PlanePoint point;
      ASSERT_TRUE(footprint.point_at(f[0], f[1], point)) << f[0] << ", " << f[1];
      // Quad edges lie on odd plane coordinates, where s and t restart at 0.
      EXPECT_LT(off_integer((point.x + 1.0) / 2.0 - f[7]), 2e-3) << f[0] << ", " << f[1];
      EXPECT_LT(off_integer((point.y + 1.0) / 2.0 - f[8]), 2e-3) << f[0] << ", " << f[1];
      ++vertices;
    }
    i += 2 + n * floats_per_vertex;
  }
  EXPECT_GT(vertices, 200);
}

// The tolerance comes from the data: on llvmpipe the isotropic trilinear panel reads -0.03 on
// average with 95 % of quads within 0.05 of the reference, on softpipe -0.02 and 0.07; the
// drivers' level arithmetic is that close, and a measurement error would be far larger.
TEST(ReportGl, IsotropicTrilinearPanelMeasuresTheReferenceLevels) {
  START_TEST_OR_SKIP();
  TextureObject2D neutral;
  build_neutral_texture(neutral);
  const PanelMeasurement m =
      measure_configuration({true, 1.0f, 0, test_state.tmu_count}, panel_size, panel_size, neutral);
  const PanelStatistics& s = m.statistics;
  EXPECT_GT(s.pixels, panel_size * panel_size * 3 / 4);
  EXPECT_EQ(s.undecodable_pixels, 0);
  EXPECT_EQ(s.unresolved_pixels, 0);
  EXPECT_LT(std::fabs(s.mean_error), 0.1);
  EXPECT_LT(s.p95_abs_error, 0.15);
  EXPECT_EQ(s.blurrier_share, 0.0);
  EXPECT_EQ(s.sharper_share, 0.0);
  EXPECT_GT(s.blended_share, 0.5) << "trilinear filtering blends levels";
  // The plane runs from the finest levels at the bottom to the sixth and beyond at its far edge.
  double deepest = 0.0;
  for (const QuadLevels& quad : m.quads) deepest = std::max(deepest, quad.measured);
  EXPECT_GT(deepest, 6.0);
}

TEST(ReportGl, MeasurementLeavesTheTestStateAndViewportAsTheyWere) {
  START_TEST_OR_SKIP();
  test_state.current_tmu = 2;
  test_state.threshold_index = 7;
  const TestState before = test_state;
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  TextureObject2D neutral;
  build_neutral_texture(neutral);
  const RgbImage pixels = render_configuration({false, 8.0f, 1, 3}, 64, 32, neutral);
  EXPECT_EQ(pixels.width(), 64);
  EXPECT_EQ(pixels.height(), 32);
  EXPECT_EQ(test_state.tmu_count, before.tmu_count);
  EXPECT_EQ(test_state.current_tmu, 2);
  EXPECT_EQ(test_state.threshold_index, 7);
  GLint after[4];
  glGetIntegerv(GL_VIEWPORT, after);
  EXPECT_EQ(std::vector<GLint>(after, after + 4), std::vector<GLint>(viewport, viewport + 4));
}

TEST(ReportGl, TextIsPrintedOverThePictureAndNothingElseChanges) {
  START_TEST_OR_SKIP();
  RgbImage picture(120, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      picture.texel(x, y) = {static_cast<std::uint8_t>(2 * x), static_cast<std::uint8_t>(8 * y), 9};
  const RgbImage printed = print_over(picture, {{10, 20, "Kestrel"}});
  ASSERT_EQ(printed.width(), 120);
  ASSERT_EQ(printed.height(), 30);
  // "Kestrel" is 7 glyphs of 8 x 13 with its baseline 20 rows from the top: rows 7 .. 22 from
  // the bottom hold it, allowing for descenders.
  int white = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool in_text = x >= 10 && x < 10 + 7 * 8 && y >= 7 && y < 23;
      if (!in_text)
        EXPECT_EQ(printed.texel(x, y), picture.texel(x, y)) << x << ", " << y;
      else
        white += printed.texel(x, y) == RgbTexel{255, 255, 255};
    }
  EXPECT_GT(white, 60);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

// A picture wider than the 1024-pixel window is printed in tiles; the tile ends before a text
// that would cross its edge, so that the text lands whole.
TEST(ReportGl, TextIsPrintedWholeOverAPictureWiderThanTheWindow) {
  START_TEST_OR_SKIP();
  RgbImage picture(1500, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 1500; ++x)
      picture.texel(x, y) = {static_cast<std::uint8_t>(x % 200), 40, static_cast<std::uint8_t>(y)};
  // "WWWWWWWW" spans columns 1000 .. 1063, across the window's edge at 1024.
  const RgbImage printed = print_over(picture, {{1000, 15, "WWWWWWWW"}, {1400, 15, "W"}});
  ASSERT_EQ(printed.width(), 1500);
  int white_left = 0, white_right = 0, white_far = 0, changed_elsewhere = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 1500; ++x) {
      const bool white = printed.texel(x, y) == RgbTexel{255, 255, 255};
      if (x >= 1000 && x < 1024)
        white_left += white;
      else if (x >= 1024 && x < 1064)
        white_right += white;
      else if (x >= 1400 && x < 1408)
        white_far += white;
      else
        changed_elsewhere += printed.texel(x, y) != picture.texel(x, y);
    }
  EXPECT_GT(white_left, 20);
  EXPECT_GT(white_right, 30) << "the text's part beyond the window's edge";
  EXPECT_GT(white_far, 5);
  EXPECT_EQ(changed_elsewhere, 0);
}
