// libFuzzer target of the PNG loader: any bytes must leave the image either untouched or read
// at an accepted size, with no crash, leak or undefined behaviour.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "image/read_png.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  // Opened for reading only: the buffer is never written.
  std::FILE* const stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (!stream) return 0;
  RgbImage image(2, 1);
  image.texel(0, 0) = {1, 2, 3};
  image.texel(1, 0) = {4, 5, 6};
  const RgbImage before = image;
  const RgbTexel* const texels = image.texels();
  const bool read = read_png_stream(stream, image);
  std::fclose(stream);
  if (!read && (image.texels() != texels || image.width() != 2 || image.height() != 1 ||
                std::memcmp(image.texels(), before.texels(), 2 * sizeof(RgbTexel)) != 0))
    __builtin_trap();  // a failed read changed the image
  if (read && (image.width() <= 0 || image.height() <= 0 ||
               std::size_t(image.width()) * std::size_t(image.height()) * sizeof(RgbTexel) >
                   max_png_decoded_bytes))
    __builtin_trap();  // a successful read gave a size the loader must refuse
  return 0;
}
