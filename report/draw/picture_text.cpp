// Text over a picture: the picture drawn into the render target, tile by tile where it is wider,
// the overlay font over it, and each tile read back.
#include "report/draw/picture_text.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "app/overlay_text.h"
#include "app/scoped_viewport.h"
#include "image/pixel_store.h"
#include "image/read_pixels.h"
#include "report/draw/render_target.h"

namespace {

int text_width(const PlacedText& text) {
  return overlay_glyph_width * static_cast<int>(text.text.size());
}

// Where the tile that starts at `left` ends: at `right`, or before the first text that would
// cross it, unless that text starts at the tile's own left edge.
int tile_end(const std::vector<PlacedText>& texts, int left, int right) {
  for (bool moved = true; moved;) {
    moved = false;
    for (const PlacedText& text : texts)
      if (text.x > left && text.x < right && text.x + text_width(text) > right) {
        right = text.x;
        moved = true;
      }
  }
  return right;
}

// Draws columns left .. right - 1 of `picture` with the texts that start in them into the lower
// left corner of the back buffer and reads them back into the same columns of `printed`.
void print_tile(const RgbImage& picture, const std::vector<PlacedText>& texts, int left, int right,
                RgbImage& printed) {
  const int width = right - left, height = picture.height();
  glViewport(0, 0, width, height);
  glDisable(GL_DEPTH_TEST);
  {
    const ScopedIdentityMatrices window_terms;
    glRasterPos2f(-1.0f, -1.0f);  // the lower left corner of the viewport
    const ScopedPixelStore packed_rows(GL_UNPACK_ALIGNMENT, 1);
    const ScopedPixelStore row_length(GL_UNPACK_ROW_LENGTH, picture.width());
    const ScopedPixelStore skipped(GL_UNPACK_SKIP_PIXELS, left);
    glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.texels());
  }

  glColor3f(1.0f, 1.0f, 1.0f);
  for (const PlacedText& text : texts)
    if (text.x >= left && text.x < right)
      draw_text(text.text.c_str(), text.x - left, text.y, width, height, OverlayFont::captured);
  paste(printed, read_pixels(render_target.buffer, 0, 0, width, height), left, 0);
}

}  // namespace

void paste(RgbImage& canvas, const RgbImage& picture, int left, int bottom) {
  for (int y = 0; y < picture.height(); ++y)
    std::memcpy(&canvas.texel(left, bottom + y), &picture.texel(0, y),
                sizeof(RgbTexel) * static_cast<std::size_t>(picture.width()));
}

RgbImage print_over(const RgbImage& picture, const std::vector<PlacedText>& texts) {
  const ScopedViewport saved_viewport;
  const int target_width = std::max(render_target.width, 1);
  RgbImage printed(picture.width(), picture.height());
  for (int left = 0; left < picture.width();) {
    const int right = tile_end(texts, left, std::min(left + target_width, picture.width()));
    print_tile(picture, texts, left, right, printed);
    left = right;
  }
  glEnable(GL_DEPTH_TEST);
  return printed;
}
