// The ideal filter without a driver, on the test's start panel: constants, which pixels hold,
// supersampling, whole-pixel shifts, thread counts, the LOD bias and the texture's repeat.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "interact/angles.h"
#include "report/measure/ewa_filter.h"
#include "report/measure/image_quality.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/plane_footprint.h"
#include "scene/scene.h"
#include "image_compare.h"

namespace {

constexpr int panel_size = 64;

PanelGeometry start_geometry(int size) {
  return panel_geometry(start_view(start_zoom), size, size);
}

// Seamless waves of a few texels' period (red along u, green along v, blue slanted), not square:
// a swap of u and v, a wrong scale or a pixel's displacement changes the picture a great deal.
RgbImage wave_texture() {
  constexpr int width = 64, height = 32;
  RgbImage image(width, height);
  const auto wave = [](double phase) {
    return static_cast<std::uint8_t>(std::lround(128.0 + 100.0 * std::sin(2.0 * pi * phase)));
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double u = (x + 0.5) / width, v = (y + 0.5) / height;
      image.texel(x, y) = {wave(8.0 * u), wave(4.0 * v), wave(3.0 * u + 2.0 * v)};
    }
  return image;
}

std::size_t index_of(const FloatPicture& picture, int x, int y) {
  return static_cast<std::size_t>(y) * picture.width + x;
}

std::int64_t valid_count(const IdealPicture& ideal) {
  return std::count(ideal.valid.begin(), ideal.valid.end(), 1);
}

// Level 0 of `texture` at texel position (u, v), bilinear between texel centres, repeating.
void bilinear(const RgbImage& texture, double u, double v, double rgb[3]) {
  const double x0 = std::floor(u - 0.5), y0 = std::floor(v - 0.5);
  const double fx = u - 0.5 - x0, fy = v - 0.5 - y0;
  const auto wrap = [](double i, int n) {
    const int r = static_cast<int>(std::fmod(i, n));
    return r < 0 ? r + n : r;
  };
  rgb[0] = rgb[1] = rgb[2] = 0.0;
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) {
      const RgbTexel& t =
          texture.texel(wrap(x0 + i, texture.width()), wrap(y0 + j, texture.height()));
      const double weight = (i ? fx : 1.0 - fx) * (j ? fy : 1.0 - fy);
      rgb[0] += weight * t.red;
      rgb[1] += weight * t.green;
      rgb[2] += weight * t.blue;
    }
}

// The plane rendered the slow way, each pixel the mean of 16 × 16 bilinear sub-samples. `covered`
// marks pixels wholly on the plane spanning at most `max_texels` texels, where 16 follow the waves.
FloatPicture supersampled(const RgbImage& texture, const PanelGeometry& geometry, double shift_x,
                          double shift_y, double max_texels, std::vector<std::uint8_t>& covered) {
  constexpr int samples = 16;
  PanelGeometry unit_geometry = geometry;
  unit_geometry.texels_per_unit = 1.0;
  const PlaneFootprint footprint(unit_geometry);
  const double su = 0.5 * texture.width(), sv = 0.5 * texture.height();
  FloatPicture picture(geometry.width, geometry.height);
  covered.assign(static_cast<std::size_t>(geometry.width) * geometry.height, 0);
  for (int py = 0; py < geometry.height; ++py)
    for (int px = 0; px < geometry.width; ++px) {
      const double left = px - shift_x, bottom = py - shift_y;
      PlanePoint centre;
      if (!footprint.point_at(left + 0.5, bottom + 0.5, centre)) continue;
      const TexelDerivatives& d = centre.derivatives;
      const double along_x = std::hypot(su * d.dudx, sv * d.dvdx);
      const double along_y = std::hypot(su * d.dudy, sv * d.dvdy);
      if (std::max(along_x, along_y) > max_texels) continue;
      double sum[3] = {0.0, 0.0, 0.0};
      bool seen = true;
      for (int b = 0; b < samples && seen; ++b)
        for (int a = 0; a < samples && seen; ++a) {
          PlanePoint p;
          seen = footprint.point_at(left + (a + 0.5) / samples, bottom + (b + 0.5) / samples, p);
          double rgb[3];
          bilinear(texture, (p.x + 1.0) * su, (p.y + 1.0) * sv, rgb);
          for (int k = 0; k < 3; ++k) sum[k] += rgb[k];
        }
      if (!seen) continue;
      for (int k = 0; k < 3; ++k)
        picture.pixel(px, py)[k] = static_cast<float>(sum[k] / (samples * samples));
      covered[index_of(picture, px, py)] = 1;
    }
  return picture;
}

// `ideal` counted only where `mask` holds too, as image_quality counts it.
IdealPicture masked(IdealPicture ideal, const std::vector<std::uint8_t>& mask) {
  for (std::size_t i = 0; i < mask.size(); ++i) ideal.valid[i] &= mask[i];
  return ideal;
}

}  // namespace

// Normalised weights over a constant texture give the constant on every valid pixel, 0 elsewhere;
// the eye depths are checked where image quality sorts pixels into distance bands.
TEST(Ewa, GivesTheConstantOnEveryValidPixel) {
  const struct {
    int width, height;
    RgbTexel colour;
  } cases[] = {{64, 64, {77, 150, 200}}, {64, 16, {255, 0, 1}}, {8, 128, {3, 254, 128}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " texels of " << c.colour);
    RgbImage constant(c.width, c.height);
    std::fill(constant.texels(), constant.texels() + c.width * c.height, c.colour);
    const EwaTexture texture(constant);
    const IdealPicture ideal =
        ideal_picture(texture, start_geometry(panel_size), 0.0, 0.3, -0.2, 2);
    const double expected[3] = {double(c.colour.red), double(c.colour.green),
                                double(c.colour.blue)};
    for (std::size_t i = 0; i < ideal.valid.size(); ++i)
      for (int k = 0; k < 3; ++k)
        ASSERT_NEAR(ideal.picture.values[3 * i + k], ideal.valid[i] ? expected[k] : 0.0, 1e-9)
            << "pixel " << i;
    EXPECT_GT(valid_count(ideal), panel_size * panel_size / 4);
    EXPECT_GE(ideal.taps, valid_count(ideal));
  }
}

// No pixel holds where its centre sees past the plane's edge or horizon, nor on its last texels,
// where the cut-off ellipse reaches beyond the edge.
TEST(Ewa, PixelsHoldOnlyWellInsideThePlane) {
  const PanelGeometry geometry = start_geometry(panel_size);
  const IdealPicture ideal = ideal_picture(EwaTexture(wave_texture()), geometry, 0.0, 0.0, 0.0, 2);
  const PlaneFootprint footprint(geometry);
  const double low = -plane_half_extent - 1.0, high = plane_half_extent - 1.0;
  int on_plane_but_not_held = 0;
  for (int y = 0; y < panel_size; ++y)
    for (int x = 0; x < panel_size; ++x) {
      PlanePoint p;
      const bool seen = footprint.point_at(x + 0.5, y + 0.5, p);
      const bool on_plane = seen && p.x >= low && p.x <= high && p.y >= low && p.y <= high;
      const bool valid = ideal.valid[index_of(ideal.picture, x, y)];
      EXPECT_TRUE(on_plane || !valid) << "pixel (" << x << ", " << y << ")";
      if (on_plane && !valid) ++on_plane_but_not_held;
    }
  EXPECT_GT(on_plane_but_not_held, 0);
  EXPECT_GT(valid_count(ideal), 0);
}

// The whole mapping (plane to texels, scales along u and v, the shift) against an independent one.
TEST(Ewa, AgreesWithSupersampling) {
  const RgbImage waves = wave_texture();
  const PanelGeometry geometry = start_geometry(panel_size);
  for (const auto& [x, y] : {std::pair{0.0, 0.0}, {0.5, -0.25}, {-0.375, 0.75}}) {
    SCOPED_TRACE(testing::Message() << "shift (" << x << ", " << y << ")");
    const IdealPicture ideal = ideal_picture(EwaTexture(waves), geometry, 0.0, x, y, 2);
    std::vector<std::uint8_t> covered;
    const FloatPicture reference = supersampled(waves, geometry, x, y, 2.0, covered);
    const IdealPicture compared = masked(ideal, covered);
    ASSERT_GT(valid_count(compared), panel_size * panel_size / 8);
    // A box pixel over bilinear texels against a Gaussian pixel (deviation 0.5) widened by a
    // Gaussian texel, up to a tenth less contrast at two texels a pixel: they agree to about 39 dB.
    // A footprint twice too large falls below 29 dB, a wrong mapping or shift below 20 dB.
    EXPECT_GT(compare_with_ideal({}, {compared}, {reference}).figures.psnr, 34.0);
  }
}

// Bit for bit: pixel (i, j) shifted by (dx, dy) shows what pixel (i - dx, j - dy) showed.
TEST(Ewa, WholePixelShiftsMoveThePictureByWholePixels) {
  const EwaTexture texture(wave_texture());
  const PanelGeometry geometry = start_geometry(panel_size);
  const double base_x = 0.25, base_y = -0.375;
  const IdealPicture base = ideal_picture(texture, geometry, 0.0, base_x, base_y, 2);
  const FloatPicture& p = base.picture;
  for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {-1, 0}, {0, -1}}) {
    SCOPED_TRACE(testing::Message() << "move (" << dx << ", " << dy << ")");
    const IdealPicture moved = ideal_picture(texture, geometry, 0.0, base_x + dx, base_y + dy, 2);
    int compared = 0, changed = 0;
    for (int y = std::max(0, dy); y < p.height + std::min(0, dy); ++y)
      for (int x = std::max(0, dx); x < p.width + std::min(0, dx); ++x) {
        const std::size_t to = index_of(p, x, y), from = index_of(p, x - dx, y - dy);
        ASSERT_EQ(moved.valid[to], base.valid[from]) << "pixel (" << x << ", " << y << ")";
        if (!moved.valid[to]) continue;
        ++compared;
        for (int k = 0; k < 3; ++k)
          ASSERT_EQ(moved.picture.values[3 * to + k], base.picture.values[3 * from + k])
              << "pixel (" << x << ", " << y << ")";
        ASSERT_EQ(moved.eye_depth[to], base.eye_depth[from]);
        if (base.valid[to] && moved.picture.values[3 * to] != p.values[3 * to]) ++changed;
      }
    EXPECT_GT(compared, panel_size * panel_size / 4);
    // The waves are fine enough that a pixel's move changes most pixels.
    EXPECT_GT(changed, compared / 2);
  }
}

// Each pixel is computed alone, whichever thread takes its row.
TEST(Ewa, GivesTheSamePictureOnAnyNumberOfThreads) {
  const EwaTexture texture(wave_texture());
  const PanelGeometry geometry = start_geometry(panel_size);
  const IdealPicture one = ideal_picture(texture, geometry, 0.5, 0.1, 0.2, 1);
  EXPECT_GT(valid_count(one), 0);
  for (const int threads : {0, 2, 3, 7}) {
    const IdealPicture many = ideal_picture(texture, geometry, 0.5, 0.1, 0.2, threads);
    EXPECT_EQ(many.picture.values, one.picture.values) << threads << " threads";
    EXPECT_EQ(many.valid, one.valid) << threads << " threads";
    EXPECT_EQ(many.eye_depth, one.eye_depth) << threads << " threads";
    EXPECT_EQ(many.taps, one.taps) << threads << " threads";
  }
}

// Bias 1 doubles the footprint: the waves blur and each pixel weighs about four times the texels.
TEST(Ewa, BiasOneBlursThePicture) {
  const EwaTexture texture(wave_texture());
  const PanelGeometry geometry = start_geometry(panel_size);
  const IdealPicture sharp = ideal_picture(texture, geometry, 0.0, 0.0, 0.0, 2);
  const IdealPicture blurred = ideal_picture(texture, geometry, 1.0, 0.0, 0.0, 2);
  const QualityFigures f =
      compare_with_ideal({}, {masked(sharp, blurred.valid)}, {blurred.picture}).figures;
  EXPECT_GT(f.pixels, panel_size * panel_size / 8);
  EXPECT_LT(f.detail, 0.8);
  EXPECT_GT(blurred.taps, 2 * sharp.taps);
}

// Repeating both ways, either side of the origin: a footprint wider than the texture weighs, at
// any centre, what it weighs mid-way across the texture tiled 8 × 8, where it needs no repeat.
TEST(Ewa, WeighsWhatTheTiledTextureShows) {
  constexpr int w = 8, h = 4, tiles = 8;
  const RgbImage small = patterned_image(w, h);
  RgbImage tiled(tiles * w, tiles * h);
  for (int y = 0; y < tiles * h; ++y)
    for (int x = 0; x < tiles * w; ++x) tiled.texel(x, y) = small.texel(x % w, y % h);
  // The position in the middle tile that shows what (u, v) shows.
  const auto middle = [](double position, int size) {
    return position - std::floor(position / size) * size + tiles / 2 * size;
  };
  const TexelDerivatives d{12.0, 6.0, -1.0, 2.0};  // some 25 texels along u, 12 along v, slanted
  for (const auto& [u, v] : {std::pair{0.7, 3.6}, {7.2, 0.9}, {-0.3, 2.0}, {-128.6, -64.2},
                             {320.1, 95.5}, {-6400000.4, 0.2}}) {
    SCOPED_TRACE(testing::Message() << "centre (" << u << ", " << v << ")");
    double expected[3], actual[3];
    const int taps = EwaTexture(tiled).average(middle(u, w), middle(v, h), d, 0.0, expected);
    EXPECT_EQ(EwaTexture(small).average(u, v, d, 0.0, actual), taps);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-9) << "channel " << k;
  }
}
