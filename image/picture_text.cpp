// Text over a picture: the overlay font's glyphs set into the picture's pixels, clipped at its
// edges.
#include "image/picture_text.h"

#include <cstring>

namespace {

constexpr RgbTexel white = {255, 255, 255};

// Whether the text's baseline starts inside the picture or on its edge.
bool starts_inside(const PlacedText& text, const RgbImage& picture) {
  return text.x >= 0 && text.x <= picture.width() && text.y >= 0 && text.y <= picture.height();
}

// Row `row` of the glyphs of `text` (0 is their bottom row) into picture row `y` (from the
// bottom), as far as the picture reaches to the right.
void print_row(RgbImage& picture, const PlacedText& text, int row, int y) {
  int left = text.x;
  for (const char c : text.text) {
    if (left >= picture.width()) return;
    const unsigned bits = overlay_font[static_cast<unsigned char>(c)][row];
    for (int x = 0; x < overlay_glyph_width && left + x < picture.width(); ++x)
      if (bits & (0x80u >> x)) picture.texel(left + x, y) = white;
    left += overlay_glyph_width;
  }
}

}  // namespace

void paste(RgbImage& canvas, const RgbImage& picture, int left, int bottom) {
  for (int y = 0; y < picture.height(); ++y)
    std::memcpy(&canvas.texel(left, bottom + y), &picture.texel(0, y),
                sizeof(RgbTexel) * static_cast<std::size_t>(picture.width()));
}

RgbImage print_over(const RgbImage& picture, const std::vector<PlacedText>& texts) {
  RgbImage printed = picture;
  for (const PlacedText& text : texts) {
    if (!starts_inside(text, printed)) continue;
    // The glyphs' bottom row lies overlay_glyph_descent rows below the baseline.
    const int bottom = printed.height() - text.y - overlay_glyph_descent;
    for (int row = 0; row < overlay_glyph_height; ++row)
      if (bottom + row >= 0 && bottom + row < printed.height())
        print_row(printed, text, row, bottom + row);
  }
  return printed;
}
