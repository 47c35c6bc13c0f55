// How close a driver's filtered picture of the plane comes to the ideal one: the error, the
// detail it keeps and how much it flickers as the plane moves by fractions of a pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_image.h"
#include "report/measure/ewa_filter.h"
#include "report/measure/float_picture.h"
#include "report/measure/panel_measurement.h"

// The side of the square windows over which the detail measure takes the local contrast.
inline constexpr int detail_window = 4;

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

// One step of the flicker measure in a panel of `geometry`: 1 / offsets of a pixel along the way
// the plane recedes, straight up where the plane faces the viewer.
struct OffsetStep {
  double x = 0.0, y = 0.0;
};
OffsetStep flicker_step(const PanelGeometry& geometry, int offsets);

// The ideal pictures of the panel moved by 0, 1, ..., offsets - 1 steps (ideal_picture).
std::vector<IdealPicture> ideal_pictures(const EwaTexture& texture, const PanelGeometry& geometry,
                                         double lod_bias, int offsets, OffsetStep step);

// Compares the driver's pictures of one panel with the ideal ones, offset by offset: `driver[k]`
// is the panel drawn at the offset of `ideal[k]`; all of one size, at least one offset. A pixel
// counts where every ideal picture holds; each pixel and window falls in the band of its eye
// depth at the first offset. Figures over no pixels are psnr +infinity, detail and flicker NaN;
// a ratio whose ideal sum is 0 is NaN too, as there is nothing to compare with.
PanelQuality compare_with_ideal(const PanelConfig& config, const std::vector<IdealPicture>& ideal,
                                const std::vector<FloatPicture>& driver);
