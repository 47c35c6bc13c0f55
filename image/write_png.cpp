// Writes PNG files with libpng's sequential writer.
#include "image/write_png.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image/file_output.h"

namespace {

int channel_count(int color_type) {
  switch (color_type) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;  // grey and palette indices
  }
}

// Everything libpng's longjmp may leave behind lives outside the frame that calls setjmp.
struct PngWrite {
  std::FILE* stream = nullptr;  // not owned
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::unique_ptr<png_bytep[]> row_pointers;

  PngWrite() = default;
  PngWrite(const PngWrite&) = delete;
  PngWrite& operator=(const PngWrite&) = delete;
  ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

void write_chunks(const PngWrite& write, const PngPicture& picture) {
  png_init_io(write.png, write.stream);
  png_set_IHDR(write.png, write.info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), picture.bit_depth, picture.color_type,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty())
    png_set_PLTE(write.png, write.info,
                 reinterpret_cast<png_const_colorp>(picture.palette.data()),
                 static_cast<int>(picture.palette.size() / 3));
  if (!picture.transparency.empty())
    png_set_tRNS(write.png, write.info, picture.transparency.data(),
                 static_cast<int>(picture.transparency.size()), nullptr);
  if (picture.gamma > 0.0) png_set_gAMA(write.png, write.info, picture.gamma);
  if (picture.filters != 0) png_set_filter(write.png, PNG_FILTER_TYPE_BASE, picture.filters);
  png_set_rows(write.png, write.info, write.row_pointers.get());
  png_write_png(write.png, write.info, PNG_TRANSFORM_IDENTITY, nullptr);
}

// Holds only references in this frame, so nothing here is stale after a longjmp.
bool write_under_recovery(const PngWrite& write, const PngPicture& picture) {
  if (setjmp(png_jmpbuf(write.png))) return false;
  write_chunks(write, picture);
  return true;
}

}  // namespace

std::size_t png_row_bytes(const PngPicture& picture) {
  const std::size_t bits = static_cast<std::size_t>(picture.width) *
                           static_cast<std::size_t>(channel_count(picture.color_type)) *
                           static_cast<std::size_t>(picture.bit_depth);
  return (bits + 7) / 8;
}

bool write_png(const std::string& path, const PngPicture& picture) {
  const std::size_t row_bytes = png_row_bytes(picture);
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.rows.size() != row_bytes * static_cast<std::size_t>(picture.height))
    return false;
  return replace_file(path, [&picture, row_bytes](std::FILE* stream) {
    PngWrite write;
    write.stream = stream;
    write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!write.png) return false;
    write.info = png_create_info_struct(write.png);
    if (!write.info) return false;
    // libpng reads the rows through non-const pointers but does not change them.
    auto* const first_row = const_cast<png_bytep>(picture.rows.data());
    write.row_pointers = std::make_unique<png_bytep[]>(static_cast<std::size_t>(picture.height));
    for (int row = 0; row < picture.height; ++row)
      write.row_pointers[static_cast<std::size_t>(row)] =
          first_row + static_cast<std::size_t>(row) * row_bytes;
    return write_under_recovery(write, picture);
  });
}

bool write_png(const std::string& path, const RgbImage& image) {
  if (image.width() == 0 || image.height() == 0) return false;
  PngPicture picture;
  picture.width = image.width();
  picture.height = image.height();
  const std::size_t row_bytes = png_row_bytes(picture);
  picture.rows.resize(row_bytes * static_cast<std::size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(&picture.rows[row_bytes * static_cast<std::size_t>(image.height() - 1 - y)],
                &image.texel(0, y), row_bytes);
  return write_png(path, picture);
}
