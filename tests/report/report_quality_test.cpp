// The image-quality figures tell the ideal pictures from blurred, still and blinking copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "image/box_filter.h"
#include "report/measure/image_quality.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/quality_texture.h"
#include "scene/scene.h"

namespace {

// The test's view, texture scaled down: cheap under the sanitizers, detail at every distance.
constexpr int panel_size = 96;
constexpr int texture_size = 32;
constexpr int offsets = 8;

class Quality : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const PanelGeometry geometry =
        panel_geometry(start_view(start_zoom), panel_size, panel_size);
    const EwaTexture texture(scaled_to_power_of_two(quality_test_texture(), texture_size));
    ideal_ = new std::vector<IdealPicture>(
        ideal_pictures(texture, geometry, 0.0, offsets, flicker_step(geometry, offsets)));
  }
  static void TearDownTestSuite() { delete ideal_; }

  static std::vector<FloatPicture> ideal_as_driver() {
    std::vector<FloatPicture> pictures;
    for (const IdealPicture& picture : *ideal_) pictures.push_back(picture.picture);
    return pictures;
  }

  static inline std::vector<IdealPicture>* ideal_ = nullptr;
};

// Each pixel the mean of its 3 × 3 neighbourhood, edges clamped.
FloatPicture blurred(const FloatPicture& picture) {
  FloatPicture out(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      for (int c = 0; c < 3; ++c) {
        float sum = 0.0f;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            sum += picture.pixel(std::clamp(x + dx, 0, picture.width - 1),
                                 std::clamp(y + dy, 0, picture.height - 1))[c];
        out.pixel(x, y)[c] = sum / 9.0f;
      }
  return out;
}

}  // namespace

TEST_F(Quality, TheIdealPicturesAsTheDriversAreWithoutErrorAsDetailedAndAsSteady) {
  const PanelQuality quality = compare_with_ideal({}, *ideal_, ideal_as_driver());
  ASSERT_GT(quality.figures.pixels, panel_size * panel_size / 8);
  ASSERT_GE(quality.bands.size(), 2u) << "the plane spans more than one distance band";
  std::int64_t band_pixels = 0;
  for (const QualityBand& band : quality.bands) band_pixels += band.figures.pixels;
  EXPECT_LE(band_pixels, quality.figures.pixels);
  for (const QualityFigures& f : {quality.figures, quality.bands.front().figures,
                                  quality.bands.back().figures}) {
    EXPECT_TRUE(std::isinf(f.psnr) && f.psnr > 0.0);
    EXPECT_EQ(f.detail, 1.0);
    EXPECT_EQ(f.flicker, 1.0);
  }
}

TEST_F(Quality, ABlurredCopyKeepsLessDetailAndFlickersLess) {
  std::vector<FloatPicture> driver;
  for (const IdealPicture& picture : *ideal_) driver.push_back(blurred(picture.picture));
  const PanelQuality quality = compare_with_ideal({}, *ideal_, driver);
  EXPECT_TRUE(std::isfinite(quality.figures.psnr));
  EXPECT_GT(quality.figures.psnr, 10.0);
  EXPECT_LT(quality.figures.detail, 0.9);
  EXPECT_LT(quality.figures.flicker, 1.0);
  for (const QualityBand& band : quality.bands) EXPECT_LT(band.figures.detail, 1.0) << band.near;
}

// A still picture does not flicker whatever its detail; one blinking to its negative flickers far
// more than the ideal, with the same local contrast.
TEST_F(Quality, FlickerFollowsTheChangeOverTheOffsets) {
  const FloatPicture first = ideal_->front().picture;
  const std::vector<FloatPicture> still(offsets, first);
  const QualityFigures steady = compare_with_ideal({}, *ideal_, still).figures;
  EXPECT_EQ(steady.flicker, 0.0);
  FloatPicture negative = first;
  for (float& value : negative.values) value = 255.0f - value;
  std::vector<FloatPicture> blinking;
  for (int k = 0; k < offsets; ++k) blinking.push_back(k % 2 ? negative : first);
  const PanelQuality quality = compare_with_ideal({}, *ideal_, blinking);
  EXPECT_GT(quality.figures.flicker, 5.0);
  EXPECT_NEAR(quality.figures.detail, 1.0, 0.1);
  EXPECT_LT(quality.figures.psnr, steady.psnr - 10.0);
}
