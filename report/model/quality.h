// What the report measures of the image quality: pictures in floating point, the ideal filter's
// pictures, and the figures of each panel's pictures against them.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "image/rgb_image.h"
#include "scene/panel_config.h"

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

// Flicker more than this many times the ideal filter's shimmers visibly as the plane moves: a
// quality finding, not a verdict. Drivers filtering cleanly stay within 1.00 (an elliptical
// filter) and 1.99 (the extension's formula, whose box of probes keeps more contrast than the
// ideal filter's Gaussian); level 0 sampled nearest reaches 7.9.
inline constexpr double flicker_limit = 2.0;

// The figures of the pixels whose eye depth lies between `near` and `far`.
struct QualityBand {
  double near = 0.0, far = 0.0;
  QualityFigures figures;
};

// A panel aliases when its picture flickers more than this many times the extension's formula's
// picture of the same panel (PanelQuality::formula) as the plane moves by fractions of a pixel:
// shimmer beyond what the sampling the extension asks for shows. On this program's plane and
// test texture, with the formula's own pictures as the measure:
// - a driver that takes more samples than asked for stays within 1.15 (the formula at AF 16
//   where AF 2 is asked for: 1.15; at AF 4: 1.05), as do the trilinear shortcuts (the whole
//   level nearest λ': 1.04; a band of ±0.15: 1.03) and filters smoother than the formula's box
//   of probes (an elliptical filter: 0.5 to 0.6);
// - half the probes at the formula's levels, the undersampling that aliasing is, gives 1.30 at
//   AF 2 and 1.38 to 1.43 above; a LOD bias of +1 ignored, 1.28 to 1.99; level 0 sampled
//   nearest, several times the formula's.
// 1.2 lies between the two, with the detail kept shown beside it.
inline constexpr double aliasing_flicker_limit = 1.2;

struct PanelQuality {
  PanelConfig config;
  QualityFigures figures;          // over the whole plane
  // The same pictures against the extension's formula drawn on the CPU (formula_picture) over
  // the same pixels of the whole plane: how far the driver strays from what it is asked to do,
  // which the aliasing verdict judges. NaN ratios where not measured, as in reports made before.
  QualityFigures formula{0, 0.0, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::quiet_NaN()};
  std::vector<QualityBand> bands;  // of distance_band_edges, those that hold pixels, nearest
                                   // first
  RgbImage picture{0, 0};          // the driver's picture at the first offset
};

// The image quality of the panels against the ideal filter, with the test texture on unit 0.
// Whether `quality` aliases against the formula (aliasing_flicker_limit); a flicker not measured
// (NaN) shows none.
inline bool shows_aliasing(const PanelQuality& quality) {
  return quality.formula.flicker > aliasing_flicker_limit;
}

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

