// The report's drawing on the real driver: computed geometry against what it draws, the isotropic
// panel's levels at any turn and under a LOD bias, the overlay font and printed text against the
// driver's and GLUT's, and the image quality's moves and measures on a real aliasing filter.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/overlay_text.h"
#include "app/panels.h"
#include "app/test_objects.h"
#include "glh/glh_genext.h"
#include "image/box_filter.h"
#include "image/picture_text.h"
#include "image/pixel_store.h"
#include "image/read_pixels.h"
#include "interact/navigators.h"
#include "report/draw/gl_entry_points.h"
#include "report/draw/gl_scene_renderer.h"
#include "report/draw/panel_render.h"
#include "report/measure/image_quality.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/plane_footprint.h"
#include "report/measure/plane_turn.h"
#include "report/measure/quality_texture.h"
#include "report/measure/report_measurement.h"
#include "image_compare.h"
#include "start_test_support.h"

namespace {

constexpr int panel_size = 256;

// Started once per program on one unit, as GLUT starts once per process, for both suites.
class ReportDraw : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static const bool started = display_available() && start_with_switches({"-nomt"});
    started_ = started;
  }
  void SetUp() override {
    if (!display_available()) GTEST_SKIP() << "no X display";
    ASSERT_TRUE(started_) << "the driver lacks an extension";
    renderer_.emplace(times_, RenderTarget{}, OverlayFont::captured, test_state,
                      read_unit_pictures(nullptr), navigators_view());
  }
  PanelMeasurement measure(const PanelConfig& config, const SceneView& view = navigators_view()) {
    return measure_configurations(*renderer_, {config}, view, panel_size, panel_size, times_)
        .front();
  }

  static inline bool started_ = false;
  RunTimes times_;
  std::optional<GlSceneRenderer> renderer_;  // the window's back buffer
};

// A small panel and texture, so that the ideal pictures cost little under the sanitizers.
constexpr int quality_size = 96;
constexpr int texture_size = 32;

class QualityDraw : public ReportDraw {
 protected:
  void SetUp() override {
    ReportDraw::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    build_quality_texture(texture_, picture_);
    renderer_->set_quality_texture(picture_);
  }

  // The ideal pictures of the panel at quality_offsets steps.
  std::vector<IdealPicture> ideal() const {
    return ideal_pictures(EwaTexture(picture_), geometry_, 0.0, quality_offsets, step_);
  }

  // The texture drawn on the plane by nearest sampling of level 0, at offset k.
  RgbImage nearest(int k) {
    glViewport(0, 0, quality_size, quality_size);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    push_panel_matrices(navigators_view(), k * step_.x, k * step_.y);
    glh::glActiveTextureARB(GL_TEXTURE0_ARB);
    texture_.bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
    plane_list.call_list();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    return read_pixels(GL_BACK, 0, 0, quality_size, quality_size);
  }

  const RgbImage picture_ = scaled_to_power_of_two(quality_test_texture(), texture_size);
  const PanelGeometry geometry_ = panel_geometry(navigators_view(), quality_size, quality_size);
  const OffsetStep step_ = flicker_step(geometry_, quality_offsets);
  TextureObject2D texture_;
};

// `picture` drawn at the lower left of the back buffer, `texts` over it in `font`, read back.
RgbImage printed_by_driver(const RgbImage& picture, const std::vector<PlacedText>& texts,
                           OverlayFont font = OverlayFont::captured) {
  const int width = picture.width(), height = picture.height();
  glViewport(0, 0, width, height);
  glDisable(GL_DEPTH_TEST);
  {
    const ScopedIdentityMatrices window_terms;
    glRasterPos2f(-1.0f, -1.0f);
    const ScopedPixelStore packed_rows(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.texels());
  }
  glColor3f(1.0f, 1.0f, 1.0f);
  for (const PlacedText& text : texts)
    draw_text(text.text.c_str(), text.x, text.y, width, height, font);
  return read_pixels(GL_BACK, 0, 0, width, height);
}

}  // namespace

TEST(Report, AfLevelsAreTakenAsTheDriverTakesThemWithIsotropicAdded) {
  using Levels = std::vector<float>;
  EXPECT_EQ(anisotropy_levels({}, 16.0f), (Levels{1, 2, 4, 8, 16}));
  EXPECT_EQ(anisotropy_levels({32, 16, 3}, 16.0f), (Levels{1, 3, 16}));
  EXPECT_EQ(anisotropy_levels({4}, 1.0f), (Levels{1}));
}

// Every vertex the driver reports, clipped ones too, maps back to the plane point of its s and t.
TEST_F(ReportDraw, FootprintInvertsWhatTheDriverDraws) {
  glViewport(0, 0, panel_size, panel_size);
  std::vector<GLfloat> buffer(1 << 17);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw_panel(1.0f, true, test_panel_setup());
  const GLint count = glRenderMode(GL_RENDER);
  ASSERT_GT(count, 0);
  const PlaneFootprint footprint(panel_geometry(navigators_view(), panel_size, panel_size));
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
// average with 95 % of quads within 0.05, on softpipe -0.02 and 0.07; a measurement error would
// be far larger. Past 45 degrees the decoder walks the rows instead.
TEST_F(ReportDraw, IsotropicPanelMeasuresTheReferenceLevelsAtAnyTurn) {
  for (const double degrees : {0.0, 45.0, 90.0, 150.0}) {
    const PanelStatistics s =
        measure({true, 1.0f, 0, 1}, turned_view(navigators_view(), degrees)).statistics;
    SCOPED_TRACE(degrees);
    EXPECT_GT(s.pixels, panel_size * panel_size * 3 / 4);
    EXPECT_EQ(s.undecodable_pixels + s.unresolved_pixels, 0);
    EXPECT_LT(std::fabs(s.mean_error), 0.1);
    EXPECT_LT(s.p95_abs_error, 0.15);
    EXPECT_EQ(s.blurrier_share + s.sharper_share, 0.0);
    EXPECT_GT(s.blended_share, 0.5) << "trilinear filtering blends levels";
  }
}

// A LOD bias of +1 (-1) moves the levels one coarser (finer) with the reference; errors stay small.
TEST_F(ReportDraw, ALodBiasMovesTheMeasuredLevelsWithTheReference) {
  const PanelMeasurement unbiased = measure({true, 1.0f, 0, 1, 0.0f});
  for (const float bias : {-1.0f, 1.0f}) {
    SCOPED_TRACE(bias);
    const PanelMeasurement biased = measure({true, 1.0f, 0, 1, bias});
    EXPECT_GT(biased.statistics.decisive_quads, 1000);
    EXPECT_LT(std::fabs(biased.statistics.mean_error), 0.1);
    double shift = 0.0;
    int quads = 0;
    for (const QuadLevels& quad : biased.quads)
      if (quad.decisive && unbiased.levels.quad_resolved(quad.x, quad.y) &&
          quad.reference > 1.0 && quad.reference < 7.0) {
        shift += quad.measured - unbiased.levels.quad_level(quad.x, quad.y);
        ++quads;
      }
    ASSERT_GT(quads, 1000);
    EXPECT_NEAR(shift / quads, bias, 0.1);
  }
}

// CPU-printed text gives the driver's pixels wherever it starts, outside the picture included.
TEST_F(ReportDraw, TextIsPrintedAsTheDriverDrawsTheCapturedFont) {
  for (const auto& [w, h] : {std::pair{45, 31}, std::pair{96, 50}}) {
    const std::string text = "Agj|_";  // ascenders, descenders, a full-height bar
    const int text_width = 8 * static_cast<int>(text.size());
    const struct {
      const char* where;
      int x, y;
      bool shows;  // whether any of it lands on the picture
    } placements[] = {
        {"inside", 6, 20, true},
        {"on the left edge", 0, 20, true},
        {"on the top edge", 6, 11, true},
        {"on the bottom edge", 6, h - 2, true},
        {"on the right edge", w - text_width, 20, true},
        {"across the right edge", w - 12, 20, true},
        {"across the top edge", 6, 5, true},
        {"across the bottom edge", 6, h - 1, true},
        {"with its baseline on the top edge", 6, 0, true},
        {"with its baseline on the bottom edge", 6, h, true},
        {"at the right edge", w, 20, false},
        {"one pixel left of the picture", -1, 20, false},
        {"half left of the picture", -text_width / 2, 20, false},
        {"one pixel above the picture", 6, -1, false},
        {"one pixel below the picture", 6, h + 1, false},
    };
    const RgbImage picture = patterned_image(w, h);
    for (const auto& p : placements) {
      SCOPED_TRACE(testing::Message() << p.where << " of " << w << " x " << h);
      const std::vector<PlacedText> texts = {{p.x, p.y, text}};
      const RgbImage printed = print_over(picture, texts);
      EXPECT_TRUE(same_image(printed, printed_by_driver(picture, texts)));
      EXPECT_EQ(!same_image(printed, picture), p.shows);
    }
  }
}

// Every character code in one four-line print: CPU, captured font and GLUT's 8 × 13 font agree.
TEST_F(ReportDraw, EveryCharacterPrintsAsGlutsBitmapFontDraws) {
  std::vector<PlacedText> lines;
  for (int line = 0; line < 4; ++line) {
    std::string codes;
    for (int code = std::max(64 * line, 1); code < 64 * (line + 1); ++code) codes += char(code);
    lines.push_back({0, 13 + 16 * line, codes});
  }
  const RgbImage picture(8 * 64, 4 * 16);
  const RgbImage printed = print_over(picture, lines);
  EXPECT_FALSE(same_image(printed, picture));  // the text is there
  for (const OverlayFont font : {OverlayFont::captured, OverlayFont::glut})
    EXPECT_TRUE(same_image(printed, printed_by_driver(picture, lines, font)));
}

// Back-to-back timed draws each pass the depth test and refill every pixel, as the first does:
// three draws count three times one's samples. The depth function is left as it was.
TEST_F(ReportDraw, EveryTimedDrawFillsThePanelAgain) {
  const auto gen_queries = gl_entry_point<PFNGLGENQUERIESPROC>("glGenQueries");
  const auto begin_query = gl_entry_point<PFNGLBEGINQUERYPROC>("glBeginQuery");
  const auto end_query = gl_entry_point<PFNGLENDQUERYPROC>("glEndQuery");
  const auto result = gl_entry_point<PFNGLGETQUERYOBJECTUIVPROC>("glGetQueryObjectuiv");
  const auto delete_queries = gl_entry_point<PFNGLDELETEQUERIESPROC>("glDeleteQueries");
  ASSERT_TRUE(gen_queries && begin_query && end_query && result && delete_queries);
  GLuint query = 0;
  gen_queries(1, &query);
  const auto samples = [&](int draws) {
    begin_query(GL_SAMPLES_PASSED, query);
    renderer_->time_draws({true, 8.0f, 0, 1}, navigators_view(), panel_size, panel_size, draws);
    end_query(GL_SAMPLES_PASSED);
    GLuint passed = 0;
    result(query, GL_QUERY_RESULT, &passed);
    return passed;
  };
  const GLuint one = samples(1);
  EXPECT_GT(one, GLuint(panel_size * panel_size / 4));
  EXPECT_EQ(samples(3), 3 * one);
  delete_queries(1, &query);
  GLint depth_function = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depth_function);
  EXPECT_EQ(depth_function, GL_LESS);
}

// A move of one whole pixel along y shows in row r + 1 what row r showed unmoved.
TEST_F(QualityDraw, AMoveByAWholePixelMovesTheDriversPictureByOneRow) {
  const PanelConfig config{true, 1.0f, 0, 1, 0.0f};
  const SceneView view = navigators_view();
  const RgbImage still =
      renderer_->draw(config, view, quality_size, quality_size, PanelTexture::quality);
  const RgbImage moved = renderer_->draw(config, view, quality_size, quality_size,
                                         PanelTexture::quality, 0.0, 1.0);
  double difference = 0.0, unmoved_difference = 0.0;
  int compared = 0;
  for (int y = 0; y + 1 < quality_size / 2; ++y)
    for (int x = 0; x < quality_size; ++x, ++compared) {
      difference += std::abs(moved.texel(x, y + 1).red - still.texel(x, y).red);
      unmoved_difference += std::abs(moved.texel(x, y).red - still.texel(x, y).red);
    }
  EXPECT_LT(difference / compared, 1.0);
  EXPECT_GT(unmoved_difference / compared, 4.0) << "the texture shows too little detail";
}

TEST_F(QualityDraw, NearestSamplingOfLevel0AliasesAndShimmers) {
  std::vector<FloatPicture> driver;
  for (int k = 0; k < quality_offsets; ++k) driver.push_back(float_picture(nearest(k)));
  const PanelQuality quality = compare_with_ideal({}, ideal(), driver);
  ASSERT_GT(quality.figures.pixels, 1000);
  EXPECT_GT(quality.figures.detail, 1.1);
  EXPECT_GT(quality.figures.flicker, 2.0);
}
