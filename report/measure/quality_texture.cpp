// The generated test texture of the image-quality measures.
#include "report/measure/quality_texture.h"

#include <cmath>
#include <cstdint>

#include "interact/angles.h"

namespace {

constexpr int line_spacing = 32;
constexpr double zone_contrast = 110.0;  // the rings' amplitude about mid-grey
constexpr std::uint8_t line_value = 16;

bool on_line(int x, int y) {
  const int n = quality_texture_size;
  return x % line_spacing == 0 || y % line_spacing == 0 || (x - y + n) % line_spacing == 0 ||
         (x + y) % line_spacing == 0;
}

}  // namespace

RgbImage quality_test_texture() {
  const int n = quality_texture_size;
  RgbImage texture(n, n);
  // The phase pi · r² / n gives rings of local frequency r / n cycles per texel: the texel rate
  // of 0.5 cycles per texel at r = n / 2, the middle of every edge. Measured from texel n / 2,
  // the phase is even in x - n / 2, so texel 0 (at -n / 2) carries what texel n (at +n / 2) would:
  // the repeat continues the rings without a seam.
  const double centre = n / 2.0;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double dx = x - centre, dy = y - centre;
      const double value = 128.0 + zone_contrast * std::cos(pi * (dx * dx + dy * dy) / n);
      const auto grey =
          on_line(x, y) ? line_value : static_cast<std::uint8_t>(std::lround(value));
      texture.texel(x, y) = {grey, grey, grey};
    }
  return texture;
}
