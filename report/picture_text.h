// Text printed over a picture with the test's own overlay font, for the labels and legends of
// the report's pictures.
#pragma once

#include <string>
#include <vector>

#include "image/rgb_image.h"

// One line of text: where its baseline starts, in pixels from the picture's upper left corner
// with y downward, as draw_text takes it.
struct PlacedText {
  int x = 0, y = 0;
  std::string text;
};

// Draws `picture` into the lower left corner of the back buffer, prints `texts` over it in white
// with the test's 8 × 13 bitmap font, and reads the result back. The picture must fit into the
// window; every texture unit must be disabled (as draw_panel leaves them). Restores the viewport
// and both matrices. Needs the GL context current.
RgbImage print_over(const RgbImage& picture, const std::vector<PlacedText>& texts);
