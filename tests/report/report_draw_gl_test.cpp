// The report's drawing on the real driver: the geometry it computes is the one the driver draws,
// the isotropic panel measures the reference levels however the plane is turned, and the overlay
// font draws as GLUT's. The LOD bias is checked end to end, where the report states it.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/overlay_text.h"
#include "app/panels.h"
#include "image/read_pixels.h"
#include "report/draw/panel_render.h"
#include "report/draw/report.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/plane_footprint.h"
#include "report/measure/plane_turn.h"
#include "image_compare.h"
#include "start_test_support.h"

namespace {

constexpr int panel_size = 256;

// The test started once for the whole program, on one unit, as GLUT starts once per process.
class ReportDraw : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (display_available()) started_ = start_with_switches({"-nomt"});
  }
  void SetUp() override {
    if (!display_available()) GTEST_SKIP() << "no X display";
    ASSERT_TRUE(started_) << "the driver lacks an extension";
    build_neutral_texture(neutral_);
  }
  PanelMeasurement measure(const PanelConfig& config) {
    return measure_configuration(config, panel_size, panel_size, neutral_);
  }

  static inline bool started_ = false;
  TextureObject2D neutral_;
};

}  // namespace

TEST(Report, AfLevelsAreTakenAsTheDriverTakesThemWithIsotropicAdded) {
  using Levels = std::vector<float>;
  EXPECT_EQ(anisotropy_levels({}, 16.0f), (Levels{1, 2, 4, 8, 16}));
  EXPECT_EQ(anisotropy_levels({32, 16, 3}, 16.0f), (Levels{1, 3, 16}));
  EXPECT_EQ(anisotropy_levels({4}, 1.0f), (Levels{1}));
}

// Every vertex the driver reports for the panel's plane, clipped ones included, maps back
// through the report's footprint to the plane point whose texture coordinates it carries.
TEST_F(ReportDraw, FootprintInvertsWhatTheDriverDraws) {
  glViewport(0, 0, panel_size, panel_size);
  std::vector<GLfloat> buffer(1 << 17);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw_panel(1.0f, 1);
  const GLint count = glRenderMode(GL_RENDER);
  ASSERT_GT(count, 0);
  const PlaneFootprint footprint(test_panel_geometry(panel_size, panel_size));
  const auto off_integer = [](double value) { return std::fabs(value - std::round(value)); };
  constexpr int floats_per_vertex = 3 + 4 + 4;  // position, colour, texture coordinates
  int vertices = 0;
  for (GLint i = 0; i < count; i += 2 + int(buffer[i + 1]) * floats_per_vertex) {
    ASSERT_EQ(buffer[i], GL_POLYGON_TOKEN) << "at " << i;
    for (int v = 0; v < int(buffer[i + 1]); ++v, ++vertices) {
      const GLfloat* f = &buffer[i + 2 + v * floats_per_vertex];
      PlanePoint point;
      ASSERT_TRUE(footprint.point_at(f[0], f[1], point)) << f[0] << ", " << f[1];
      // Quad edges lie on odd plane coordinates, where s and t restart at 0.
      EXPECT_LT(off_integer((point.x + 1.0) / 2.0 - f[7]), 2e-3) << f[0] << ", " << f[1];
      EXPECT_LT(off_integer((point.y + 1.0) / 2.0 - f[8]), 2e-3) << f[0] << ", " << f[1];
    }
  }
  EXPECT_GT(vertices, 200);
}

// The tolerance comes from the data: on llvmpipe the isotropic trilinear panel reads -0.03 on
// average with 95 % of quads within 0.05 of the reference, on softpipe -0.02 and 0.07; a
// measurement error would be far larger. Past 45 degrees the decoder walks the rows instead.
TEST_F(ReportDraw, IsotropicPanelMeasuresTheReferenceLevelsAtAnyTurn) {
  for (const double degrees : {0.0, 45.0, 90.0, 150.0}) {
    const PlaneTurn turn(degrees);
    const PanelStatistics s = measure({true, 1.0f, 0, 1}).statistics;
    SCOPED_TRACE(degrees);
    EXPECT_GT(s.pixels, panel_size * panel_size * 3 / 4);
    EXPECT_EQ(s.undecodable_pixels + s.unresolved_pixels, 0);
    EXPECT_LT(std::fabs(s.mean_error), 0.1);
    EXPECT_LT(s.p95_abs_error, 0.15);
    EXPECT_EQ(s.blurrier_share + s.sharper_share, 0.0);
    EXPECT_GT(s.blended_share, 0.5) << "trilinear filtering blends levels";
  }
}

// The captured font draws every character exactly as GLUT's own 8 × 13 font does.
TEST_F(ReportDraw, OverlayFontDrawsAsGlutsBitmapFont) {
  std::string all;
  for (int code = 1; code < 256; ++code) all += char(code);
  const int width = 8 * 64, height = 4 * 16;
  glViewport(0, 0, width, height);
  RgbImage drawn[2] = {RgbImage(0, 0), RgbImage(0, 0)};
  for (int way = 0; way < 2; ++way) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int line = 0; line < 4; ++line) {
      const std::string text = all.substr(64 * line, 64);
      if (way == 0) {
        draw_text(text.c_str(), 0, 13 + 16 * line, width, height);
      } else {
        const ScopedIdentityMatrices window_terms;
        glRasterPos2f(-1.0f, 1.0f - 2.0f * (13 + 16 * line) / height);
        for (const char c : text) glutBitmapCharacter(GLUT_BITMAP_8_BY_13, (unsigned char)c);
      }
    }
    drawn[way] = read_pixels(GL_BACK, 0, 0, width, height);
  }
  EXPECT_TRUE(same_image(drawn[0], drawn[1]));
  EXPECT_FALSE(same_image(drawn[0], RgbImage(width, height)));  // the text is there
}
