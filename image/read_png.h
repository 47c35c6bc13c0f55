// Reads a PNG file, found through data_path, into an RgbImage of 8-bit RGB texels stored bottom
// row first.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "image/rgb_image.h"

// The largest block of decoded rows read_png allocates, in bytes.
inline constexpr std::size_t max_png_decoded_bytes = std::size_t{256} << 20;

// What read_png made of a file.
enum class PngRead { read, not_found, not_decoded };

// Fills data_path with its default directories if it holds none, then, unless `file_name` is
// null, opens `file_name` through data_path and decodes it into `image`. A file that no data
// directory yields is reported as "Cannot open \"<file_name>\" for read!" on standard error,
// unless `quiet`. On success `image` takes the PNG's width and height (keeping its texel array
// when the size is already right); on any failure it is left exactly as it was. See
// read_png_stream for the decoding rules. Returns not_found for a null `file_name`.
PngRead read_png(const char* file_name, RgbImage& image, bool quiet = false);

// Decodes the PNG file that starts at the current position of `stream` into `image`, row 0
// being the bottom row of the picture, and returns true. Every sample becomes 8 bits: 16-bit
// samples are stripped to their high byte, palettes and low bit depths are expanded, grey is
// copied into all three channels, and a gAMA chunk is corrected towards a display gamma of 2.2.
// Interlaced files give the same texels as their non-interlaced twins. Alpha, whether stored
// or expanded from a tRNS chunk, is dropped: a texel keeps its colour channels whatever its
// opacity. Returns false, leaving `image` untouched, when the stream does not start with the
// PNG signature (silently), when libpng rejects the data (libpng's default handler reports on
// standard error, also for a width or height beyond libpng's limit of a million), or when its
// decoded rows would need more than max_png_decoded_bytes. libpng's warnings go to standard error.
// The stream is read but not closed.
bool read_png_stream(std::FILE* stream, RgbImage& image);

// Decodes the PNG file at `path`, as given (not through data_path), into `image`, as
// read_png_stream does. Returns false, leaving `image` untouched, with a message naming the file
// in `error`, when it cannot be opened or is no PNG that decodes.
bool read_png_file(const std::string& path, RgbImage& image, std::string& error);
