// The image quality on the real driver: the texture's levels are the box filter's, the move by a
// whole pixel moves the driver's picture by one, and nearest sampling of level 0, a real aliasing
// filter, keeps more contrast than the ideal filter and flickers well above it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/panels.h"
#include "app/test_objects.h"
#include "glh/glh_genext.h"
#include "image/box_filter.h"
#include "image/read_pixels.h"
#include "report/draw/panel_render.h"
#include "report/draw/quality_render.h"
#include "report/draw/render_target.h"
#include "report/measure/image_quality.h"
#include "report/measure/quality_texture.h"
#include "image_compare.h"
#include "start_test_support.h"

namespace {

// A small panel and the test texture scaled down, so that the ideal pictures cost little under
// the sanitizers.
constexpr int panel_size = 96;
constexpr int texture_size = 32;

class QualityDraw : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (display_available()) started_ = start_with_switches({"-nomt"});
  }
  void SetUp() override {
    if (!display_available()) GTEST_SKIP() << "no X display";
    ASSERT_TRUE(started_) << "the driver lacks an extension";
    build_neutral_texture(neutral_);
    build_quality_texture(texture_, picture_);
  }

  // The ideal pictures of the panel at quality_offsets steps.
  std::vector<IdealPicture> ideal() const {
    return ideal_pictures(EwaTexture(picture_), geometry_, 0.0, quality_offsets, step_);
  }

  // The texture drawn on the plane by nearest sampling of level 0, at offset k.
  RgbImage nearest(int k) {
    glViewport(0, 0, panel_size, panel_size);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    push_panel_matrices(k * step_.x, k * step_.y);
    glh::glActiveTextureARB(GL_TEXTURE0_ARB);
    texture_.bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
    plane_list.call_list();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    return read_pixels(render_target.buffer, 0, 0, panel_size, panel_size);
  }

  static inline bool started_ = false;
  const RgbImage picture_ = scaled_to_power_of_two(quality_test_texture(), texture_size);
  const PanelGeometry geometry_ = test_panel_geometry(panel_size, panel_size);
  const OffsetStep step_ = flicker_step(geometry_, quality_offsets);
  TextureObject2D neutral_, texture_;
};

}  // namespace

TEST_F(QualityDraw, TheTexturesLevelsAreTheBoxFiltersChain) {
  const std::vector<RgbImage> chain = mip_chain(picture_);
  texture_.bind();
  for (std::size_t level = 0; level < chain.size(); ++level) {
    RgbImage read(chain[level].width(), chain[level].height());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, GLint(level), GL_RGB, GL_UNSIGNED_BYTE, read.texels());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    EXPECT_TRUE(same_image(read, chain[level])) << "level " << level;
  }
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A move of one whole pixel along y shows in row r + 1 what row r showed unmoved.
TEST_F(QualityDraw, AMoveByAWholePixelMovesTheDriversPictureByOneRow) {
  const PanelConfig config{true, 1.0f, 0, 1, 0.0f};
  const RgbImage still = render_configuration(config, panel_size, panel_size, neutral_, &texture_);
  const RgbImage moved =
      render_configuration(config, panel_size, panel_size, neutral_, &texture_, 0.0, 1.0);
  double difference = 0.0, unmoved_difference = 0.0;
  int compared = 0;
  for (int y = 0; y + 1 < panel_size / 2; ++y)
    for (int x = 0; x < panel_size; ++x, ++compared) {
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

// The isotropic filter's level follows the footprint's longer axis and blurs along the shorter:
// less detail than the ideal filter, and AF at 8 keeps more of it.
TEST_F(QualityDraw, IsotropicFilteringBlursAndAfKeepsMoreDetail) {
  const std::vector<IdealPicture> pictures = ideal();
  double detail[2] = {};
  for (const float anisotropy : {1.0f, 8.0f}) {
    const PanelConfig config{true, anisotropy, 0, 1, 0.0f};
    std::vector<FloatPicture> driver;
    for (int k = 0; k < quality_offsets; ++k)
      driver.push_back(float_picture(render_configuration(
          config, panel_size, panel_size, neutral_, &texture_, k * step_.x, k * step_.y)));
    detail[anisotropy > 1.0f] = compare_with_ideal(config, pictures, driver).figures.detail;
  }
  EXPECT_LT(detail[0], 1.0);
  EXPECT_GT(detail[1], detail[0]);
}
