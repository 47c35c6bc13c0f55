// Encodes 8-bit RGB PNG files with libpng's sequential writer into memory; the files are those
// bytes written whole.
#include "image/write_png.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>

#include "image/file_output.h"

namespace {

constexpr std::size_t bytes_per_pixel = 3;

// Everything libpng's longjmp may leave behind lives outside the frame that calls setjmp.
struct PngWrite {
  std::string* bytes = nullptr;  // not owned
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::unique_ptr<png_bytep[]> row_pointers;

  PngWrite() = default;
  PngWrite(const PngWrite&) = delete;
  PngWrite& operator=(const PngWrite&) = delete;
  ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

void append_bytes(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data),
                                                         length);
}

// Memory needs no flushing.
void flush_nothing(png_structp /*png*/) {}

void write_chunks(const PngWrite& write, const PngPicture& picture) {
  png_set_write_fn(write.png, write.bytes, append_bytes, flush_nothing);
  png_set_IHDR(write.png, write.info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_rows(write.png, write.info, write.row_pointers.get());
  png_write_png(write.png, write.info, PNG_TRANSFORM_IDENTITY, nullptr);
}

// Holds only references in this frame, so nothing here is stale after a longjmp.
bool write_under_recovery(const PngWrite& write, const PngPicture& picture) {
  if (setjmp(png_jmpbuf(write.png))) return false;
  write_chunks(write, picture);
  return true;
}

std::size_t row_bytes(int width) { return static_cast<std::size_t>(width) * bytes_per_pixel; }

}  // namespace

bool encode_png(const PngPicture& picture, std::string& png) {
  const std::size_t stride = row_bytes(picture.width);
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.rows.size() != stride * static_cast<std::size_t>(picture.height))
    return false;
  png.clear();
  PngWrite write;
  write.bytes = &png;
  write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!write.png) return false;
  write.info = png_create_info_struct(write.png);
  if (!write.info) return false;
  // libpng reads the rows through non-const pointers but does not change them.
  auto* const first_row = const_cast<png_bytep>(picture.rows.data());
  write.row_pointers = std::make_unique<png_bytep[]>(static_cast<std::size_t>(picture.height));
  for (int row = 0; row < picture.height; ++row)
    write.row_pointers[static_cast<std::size_t>(row)] =
        first_row + static_cast<std::size_t>(row) * stride;
  return write_under_recovery(write, picture);
}

bool encode_png(const RgbImage& image, std::string& png) {
  if (image.width() == 0 || image.height() == 0) return false;
  PngPicture picture;
  picture.width = image.width();
  picture.height = image.height();
  const std::size_t stride = row_bytes(image.width());
  picture.rows.resize(stride * static_cast<std::size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(&picture.rows[stride * static_cast<std::size_t>(image.height() - 1 - y)],
                &image.texel(0, y), stride);
  return encode_png(picture, png);
}

bool write_png(const std::string& path, const PngPicture& picture) {
  std::string png;
  return encode_png(picture, png) && write_text_file(path, png);
}

bool write_png(const std::string& path, const RgbImage& image) {
  std::string png;
  return encode_png(image, png) && write_text_file(path, png);
}
