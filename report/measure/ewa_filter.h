// The ideal picture of the plane: the elliptical weighted average filter, which gives each pixel
// the Gaussian-weighted average of the level-0 texels under the pixel's exact footprint.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_image.h"
#include "report/measure/float_picture.h"
#include "report/model/quality.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/plane_footprint.h"

// The filter: a Gaussian pixel of this standard deviation in pixels, mapped onto the texture by
// the footprint, widened by a Gaussian reconstruction of the texels of this standard deviation
// in texels, and cut off at this many standard deviations (the ellipse's cut-off radius).
inline constexpr double ewa_pixel_sigma = 0.5;
inline constexpr double ewa_texel_sigma = 0.5;
inline constexpr double ewa_cutoff = 2.0;

// Level 0 of a texture as the filter reads it: the stored values (no gamma), in double precision,
// repeating in both directions.
class EwaTexture {
 public:
  explicit EwaTexture(const RgbImage& texture);

  int width() const { return width_; }
  int height() const { return height_; }

  // The weighted average around the texel position (u, v) (texel centres at i + 0.5, any real
  // coordinates, the texture repeating) of a pixel whose texel derivatives are `d`, scaled by
  // 2^lod_bias. Writes red, green, blue to `rgb` and returns the number of texels weighed.
  int average(double u, double v, const TexelDerivatives& d, double lod_bias,
              double rgb[3]) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<double> values_;  // red, green, blue of texel (x, y) at 3 * (y * width + x)
};

// The ideal picture of `texture` stretched over each quad of the plane (s and t from 0 to 1
// across a quad, repeating from quad to quad as the driver repeats it), seen through
// `geometry`'s matrices over its width × height pixels, with the footprints scaled by
// 2^lod_bias as a LOD bias scales them. The texture's own size sets the texel scale;
// geometry.texels_per_unit is not used. The picture is moved by (shift_x, shift_y) pixels: pixel
// (i, j) shows what the unmoved panel shows at the window position (i + 0.5 - shift_x,
// j + 0.5 - shift_y). The rows are shared among `threads` threads, one per core when 0. Needs no
// GL context and depends on no driver.
IdealPicture ideal_picture(const EwaTexture& texture, const PanelGeometry& geometry,
                           double lod_bias, double shift_x, double shift_y, int threads = 0);
