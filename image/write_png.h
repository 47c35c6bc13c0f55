// Writes PNG files with libpng: the report's pictures, the picture generator's output, and files
// of known content for the tests.
#pragma once

#include <string>
#include <vector>

#include "image/rgb_image.h"

// A picture as a PNG file stores it. `rows` holds the rows top first, each packed as PNG packs
// it: `width` pixels of the colour type's channels at `bit_depth` bits per sample, 16-bit samples
// big-endian, samples below 8 bits packed from the high bit, every row starting on a byte.
struct PngPicture {
  int width = 0;
  int height = 0;
  int color_type = 2;  // a PNG_COLOR_TYPE_* value
  int bit_depth = 8;
  std::vector<unsigned char> rows;
  std::vector<unsigned char> palette;       // RGB triples, for palette pictures
  std::vector<unsigned char> transparency;  // one alpha per palette entry, written as tRNS
  double gamma = 0.0;                       // written as gAMA when above zero
  bool interlaced = false;                  // Adam7 when true
  int filters = 0;  // the PNG_FILTER_* row filters libpng may choose from; 0 for its default
};

// Bytes in one packed row of `picture`.
std::size_t png_row_bytes(const PngPicture& picture);

// Writes `picture` to the file at `path`, replacing it whole through replace_file. Returns false,
// with libpng's message on standard error where libpng gave one, when the file cannot be written
// or libpng rejects the picture; no partly written file remains, and any file that was at
// `path` is left as it was.
bool write_png(const std::string& path, const PngPicture& picture);

// Writes `image` as an 8-bit RGB PNG file at `path`, its top row (the image's last) first, as the
// picture appears on screen. Returns false as write_png above does, and for an image without
// texels.
bool write_png(const std::string& path, const RgbImage& image);
