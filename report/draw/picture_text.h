// Text printed over a picture with the test's own overlay font, for the labels and legends of
// the report's pictures, and pictures pasted into each other.
#pragma once

#include <string>
#include <vector>

#include "image/overlay_font.h"
#include "image/rgb_image.h"

// One line of text: where its baseline starts, in pixels from the picture's upper left corner
// with y downward, as draw_text takes it.
struct PlacedText {
  int x = 0, y = 0;
  std::string text;
};

// Copies `picture` into `canvas` with its lower left corner at (left, bottom); it must fit.
void paste(RgbImage& canvas, const RgbImage& picture, int left, int bottom);

// Prints `texts` over `picture` in white with the test's 8 × 13 bitmap font: draws the picture
// into the lower left corner of the render target, the texts over it, and reads the result back
// in one piece, or in tiles as wide as the render target where the picture is wider (the
// window's back buffer), each tile ending before a text that would cross its edge. A text that
// starts left of the picture or is wider than the target is not printed whole. The picture must
// be no higher than the target; every texture unit must be disabled (as draw_panel leaves them).
// Restores the viewport and both matrices.
RgbImage print_over(const RgbImage& picture, const std::vector<PlacedText>& texts);
