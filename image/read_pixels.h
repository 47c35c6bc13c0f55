// Reading a rectangle of the frame back into an RgbImage, for tests and captures of what the
// window shows.
#pragma once

#include <GL/gl.h>

#include "image/rgb_image.h"

// Reads the width × height pixels whose lower left corner is (x, y) in window coordinates from
// `buffer` (GL_BACK, GL_FRONT, ...) as 8-bit RGB, row 0 at the bottom. Leaves the read buffer
// and the pixel-pack alignment as it found them. Needs a current GL context.
RgbImage read_pixels(GLenum buffer, int x, int y, int width, int height);
