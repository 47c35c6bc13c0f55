// Decodes PNG files with libpng into RgbImages, recovering from every error libpng raises.
#include "image/read_png.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <new>

#include "image/data_path.h"

namespace {

constexpr int signature_size = 8;
constexpr double display_gamma = 2.2;
// Ancillary chunks the loader keeps never need more than this.
constexpr png_alloc_size_t max_chunk_bytes = 8 << 20;
// Text, profile and calibration chunks, which the loader never uses, five bytes a name. libpng
// would allocate each by the length it declares, which only warns when it is too large: a
// hostile file could ask for 2 GiB. Skipped, they are read past without being stored.
constexpr png_byte skipped_chunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0pCAL\0sCAL";
constexpr int skipped_chunk_count = sizeof skipped_chunks / 5;

// Everything a decode holds. libpng reports errors by longjmp, which leaves the automatic
// variables changed in the frame that called setjmp indeterminate and runs no destructors in
// the frames it leaves; so all of it lives here, in the frame of read_png_stream, outside the
// recovery point, and the frames between setjmp and libpng own nothing that needs destroying.
struct PngDecode {
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  png_size_t row_bytes = 0;
  int channels = 0;
  std::unique_ptr<png_byte[]> rows;
  std::unique_ptr<png_bytep[]> row_pointers;

  PngDecode() = default;
  PngDecode(const PngDecode&) = delete;
  PngDecode& operator=(const PngDecode&) = delete;
  ~PngDecode() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct CloseFile {
  void operator()(std::FILE* stream) const { std::fclose(stream); }
};

bool has_png_signature(std::FILE* stream) {
  png_byte signature[signature_size];
  return std::fread(signature, 1, signature_size, stream) == signature_size &&
         png_sig_cmp(signature, 0, signature_size) == 0;
}

// Asks libpng for 8-bit RGB or RGBA rows, whatever the file stores.
void request_transformations(const PngDecode& decode) {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bit_depth = 0;
  int color_type = 0;
  png_get_IHDR(decode.png, decode.info, &width, &height, &bit_depth, &color_type, nullptr,
               nullptr, nullptr);
  if (bit_depth == 16) png_set_strip_16(decode.png);
  if (color_type == PNG_COLOR_TYPE_PALETTE || bit_depth < 8 ||
      png_get_valid(decode.png, decode.info, PNG_INFO_tRNS))
    png_set_expand(decode.png);
  if (color_type == PNG_COLOR_TYPE_GRAY || color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(decode.png);
  double file_gamma = 0.0;
  if (png_get_gAMA(decode.png, decode.info, &file_gamma))
    png_set_gamma(decode.png, display_gamma, file_gamma);
  // Asked for before the update of the info, so that the whole-image read de-interlaces
  // without a warning.
  png_set_interlace_handling(decode.png);
}

// Allocates the row block and its row pointers, raising a libpng error when they would exceed
// max_png_decoded_bytes or cannot be had.
void allocate_rows(PngDecode& decode) {
  if (decode.height != 0 && decode.row_bytes > max_png_decoded_bytes / decode.height)
    png_error(decode.png, "Image too large to decode");
  decode.rows.reset(new (std::nothrow) png_byte[decode.row_bytes * decode.height]);
  decode.row_pointers.reset(new (std::nothrow) png_bytep[decode.height]);
  if (!decode.rows || !decode.row_pointers) png_error(decode.png, "Out of memory for image rows");
  for (png_uint_32 row = 0; row < decode.height; ++row)
    decode.row_pointers[row] = decode.rows.get() + row * decode.row_bytes;
}

// The decode under libpng's recovery point. This frame holds only the reference, which never
// changes after setjmp.
bool decode_rows(PngDecode& decode) {
  if (setjmp(png_jmpbuf(decode.png))) return false;
  png_read_info(decode.png, decode.info);
  request_transformations(decode);
  png_read_update_info(decode.png, decode.info);
  decode.width = png_get_image_width(decode.png, decode.info);
  decode.height = png_get_image_height(decode.png, decode.info);
  decode.channels = png_get_channels(decode.png, decode.info);
  decode.row_bytes = png_get_rowbytes(decode.png, decode.info);
  allocate_rows(decode);
  png_read_image(decode.png, decode.row_pointers.get());
  png_read_end(decode.png, nullptr);
  return true;
}

// Decoded row 0 is the top of the picture; the image's row 0 is its bottom. Any alpha
// channel is stepped over.
void copy_flipped(const PngDecode& decode, RgbImage& image) {
  image.resize(static_cast<int>(decode.width), static_cast<int>(decode.height));
  for (int y = 0; y < image.height(); ++y) {
    const png_byte* source = decode.row_pointers[decode.height - 1 - y];
    RgbTexel* const row = &image.texel(0, y);
    for (int x = 0; x < image.width(); ++x, source += decode.channels)
      row[x] = RgbTexel{source[0], source[1], source[2]};
  }
}

}  // namespace

bool read_png_stream(std::FILE* stream, RgbImage& image) {
  if (!has_png_signature(stream)) return false;
  PngDecode decode;
  decode.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!decode.png) return false;
  decode.info = png_create_info_struct(decode.png);
  if (!decode.info) return false;
  png_init_io(decode.png, stream);
  png_set_sig_bytes(decode.png, signature_size);
  png_set_chunk_malloc_max(decode.png, max_chunk_bytes);
  png_set_keep_unknown_chunks(decode.png, PNG_HANDLE_CHUNK_NEVER, skipped_chunks,
                              skipped_chunk_count);
  if (!decode_rows(decode)) return false;
  copy_flipped(decode, image);
  return true;
}

PngRead read_png(const char* file_name, RgbImage& image, bool quiet) {
  if (data_path.directories.empty()) data_path.append_default_directories();
  if (!file_name) return PngRead::not_found;
  const std::unique_ptr<std::FILE, CloseFile> stream(data_path.open_file(file_name, "rb"));
  if (!stream) {
    if (!quiet) std::fprintf(stderr, "Cannot open \"%s\" for read!\n", file_name);
    return PngRead::not_found;
  }
  return read_png_stream(stream.get(), image) ? PngRead::read : PngRead::not_decoded;
}

bool read_png_file(const std::string& path, RgbImage& image, std::string& error) {
  const std::unique_ptr<std::FILE, CloseFile> stream(std::fopen(path.c_str(), "rb"));
  if (!stream) {
    error = "cannot open \"" + path + "\": " + std::strerror(errno);
    return false;
  }
  if (read_png_stream(stream.get(), image)) return true;
  error = "\"" + path + "\" is no PNG picture that can be read";
  return false;
}
