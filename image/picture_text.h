// Text printed over a picture with the test's own overlay font, for the labels and legends of
// the report's pictures, and pictures pasted into each other: plain pixels, no driver.
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

// `picture` with `texts` printed over it in white (255, 255, 255) in the test's 8 × 13 bitmap
// font: the pixels that draw_text gives with OverlayFont::captured over the picture drawn in a
// viewport of its size. Counted from the picture's upper left corner with y downward, character
// i of a text fills the lit pixels of its glyph in columns x + 8 i to x + 8 i + 7 and in the 13
// rows that end overlay_glyph_descent rows below the baseline y: rows y - 11 to y - 1 above the
// baseline, rows y and y + 1 below it. A text is printed only when it starts inside the picture
// or on its edge (0 <= x <= width and 0 <= y <= height), and then whole, less whatever falls
// past the picture's right edge, above its top or below its bottom. Code 0 prints as a blank;
// long text is not wrapped. Any size of picture will do, none included.
RgbImage print_over(const RgbImage& picture, const std::vector<PlacedText>& texts);
