// What the report measures of the image quality: pictures in floating point, the ideal filter's
// pictures, and the figures of each panel's pictures against them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/rgb_image.h"
#include "report/model/panel_config.h"

// width × height RGB pixels on the 0 .. 255 scale of the stored texels, row 0 at the bottom.
struct FloatPicture {
  int width = 0, height = 0;
  std::vector<float> values;  // red, green, blue of pixel (x, y) at 3 * (y * width + x)

  FloatPicture() = default;
  FloatPicture(int w, int h) : width(w), height(h), values(3 * std::size_t(w) * h, 0.0f) {}

  float* pixel(int x, int y) { return &values[3 * (std::size_t(y) * width + x)]; }
  const float* pixel(int x, int y) const { return &values[3 * (std::size_t(y) * width + x)]; }
  // The mean of the three channels of pixel (x, y): the brightness the detail and flicker
  // measures compare.
  float grey(int x, int y) const {
    const float* p = pixel(x, y);
    return (p[0] + p[1] + p[2]) / 3.0f;
  }
};

// The ideal picture of one panel and where it holds.
struct IdealPicture {
  FloatPicture picture;            // 0 outside the valid pixels
  std::vector<std::uint8_t> valid;  // per pixel: 1 where the footprint's cut-off ellipse lies
                                    // wholly on the plane, in front of the eye
  std::vector<float> eye_depth;    // per pixel, the distance in front of the eye where valid
  std::int64_t taps = 0;           // the texels weighed, over all pixels
};

// The three figures of one panel over a set of its plane pixels, each pixel counted where the
// ideal picture holds at every offset.
struct QualityFigures {
  std::int64_t pixels = 0;  // the plane pixels counted, at each offset
  // The peak signal-to-noise ratio of the driver's pictures against the ideal ones, in dB, over
  // the three channels of the counted pixels at every offset; +infinity where they are equal.
  double psnr = 0.0;
  // The summed standard deviations of the brightness in the detail_window × detail_window
  // windows wholly of counted pixels, the driver's over the ideal's, at every offset: below 1 the
  // driver blurs, above 1 it shows contrast the ideal filter does not have (aliasing).
  double detail = 1.0;
  // The summed standard deviations of each counted pixel's brightness over the offsets, the
  // driver's over the ideal's: 1 is as steady as the ideal filter, above 1 shimmers.
  double flicker = 1.0;
};

// A panel shows aliasing over its plane when its detail kept is above detail_aliasing_limit or
// its flicker above flicker_limit; the findings and the aliasing verdict hold it to both. Mesa's
// llvmpipe and softpipe, filtering cleanly, keep 0.91 to 1.00 of the ideal filter's contrast
// and flicker 0.93 to 1.00 times as much over the plane at every level and filter (a single
// distance band reaches 1.10 and 1.17 in the nearest one, where few pixels count, which is why
// the plane's figures decide). Their GL_NEAREST sampling of level 0, the aliasing a filter
// can fall to at worst, gives 3.43 and 7.9 over a 256 × 256 panel of the 256 × 256 test
// texture, and still 1.60 and 2.30 in its nearest band.
// The margin above 1 leaves room for what a faithful driver adds: the 8-bit rounding of its
// picture and a filter a little narrower than the ideal Gaussian each raise the contrast by a
// few percent; contrast beyond it is contrast the ideal filter does not have.
inline constexpr double detail_aliasing_limit = 1.05;

// Flicker twice the ideal filter's shimmers visibly as the plane moves; below it, the driver's
// whole-level and 8-bit steps account for the difference. Clean drivers stay at 1.00, level 0
// sampled nearest reaches 7.9: twice lies well clear of both.
inline constexpr double flicker_limit = 2.0;

// Whether `figures` show aliasing over the pixels they count; a ratio not measured (NaN) shows
// none.
inline bool shows_aliasing(const QualityFigures& figures) {
  return figures.detail > detail_aliasing_limit || figures.flicker > flicker_limit;
}

// The figures of the pixels whose eye depth lies between `near` and `far`.
struct QualityBand {
  double near = 0.0, far = 0.0;
  QualityFigures figures;
};

struct PanelQuality {
  PanelConfig config;
  QualityFigures figures;          // over the whole plane
  std::vector<QualityBand> bands;  // of distance_band_edges, those that hold pixels, nearest
                                   // first
  RgbImage picture{0, 0};          // the driver's picture at the first offset
};

// The image quality of the panels against the ideal filter, with the test texture on unit 0.
struct QualityReport {
  std::string texture;  // "generated test texture", or the file of the user's picture
  int texture_width = 0, texture_height = 0;  // as measured: each side a power of two
  int offsets = 0;                            // the sub-pixel steps of the flicker measure
  double step_x = 0.0, step_y = 0.0;          // one step, in pixels: the way the plane recedes
  std::int64_t taps = 0;                      // the ideal pictures' texels weighed, in all
  double reference_seconds = 0.0;             // the time the ideal pictures took
  IdealPicture ideal;                         // at the first offset
  std::vector<PanelQuality> panels;           // in the order of Report::panels
};

