// Writes 8-bit RGB PNG files with libpng, or their bytes in memory: the report's pictures, which
// report.html embeds too, and the picture generator's output.
#pragma once

#include <string>
#include <vector>

#include "image/rgb_image.h"

// An 8-bit RGB picture as a PNG file stores it: `rows` holds `height` rows of `width` pixels,
// top row first, each pixel three bytes (red, green, blue), with no gap between rows.
struct PngPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rows;
};

// Encodes `picture` as the bytes of an 8-bit RGB PNG file into `png`. Returns false, with
// libpng's message on standard error where libpng gave one, when the picture has no pixels or its
// rows do not hold width × height pixels; `png` is then unspecified.
bool encode_png(const PngPicture& picture, std::string& png);

// Encodes `image` as encode_png above does, its top row (the image's last) first.
bool encode_png(const RgbImage& image, std::string& png);

// Writes `picture` as an 8-bit RGB PNG file at `path`, replacing it whole through replace_file.
// Returns false, with libpng's message on standard error where libpng gave one, when the
// picture has no pixels or its rows do not hold width × height pixels, or when the file cannot
// be written; no partly written file remains, and any file that was at `path` is left as it was.
bool write_png(const std::string& path, const PngPicture& picture);

// Writes `image` as an 8-bit RGB PNG file at `path`, its top row (the image's last) first, as the
// picture appears on screen. Returns false as write_png above does.
bool write_png(const std::string& path, const RgbImage& image);
