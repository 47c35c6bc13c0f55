// How close a driver's filtered picture of the plane comes to the ideal one: the error, the
// detail it keeps and how much it flickers as the plane moves by fractions of a pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_image.h"
#include "report/measure/ewa_filter.h"
#include "report/measure/float_picture.h"
#include "report/measure/panel_measurement.h"
#include "report/model/quality.h"

// The side of the square windows over which the detail measure takes the local contrast.
inline constexpr int detail_window = 4;

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
