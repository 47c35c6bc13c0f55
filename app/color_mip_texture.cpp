// The colour-mipmap test textures: the shared brightness pattern, the texels of each level and
// their upload.
#include "app/color_mip_texture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/test_state.h"
#include "image/unpack_alignment.h"

namespace {

// Per level % 4, the channels that carry the intensity: grey, red, green, blue.
constexpr std::uint8_t level_channel_masks[4][3] = {
    {0xff, 0xff, 0xff}, {0xff, 0, 0}, {0, 0xff, 0}, {0, 0, 0xff}};

}  // namespace

ColorMipPattern::ColorMipPattern(int size)
    : size_(std::max(size, 0)),
      values_(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_)) {
  auto value = values_.begin();
  for (int y = 0; y < size_; ++y) {
    const double cos_y = std::cos(static_cast<double>(y));
    for (int x = 0; x < size_; ++x) *value++ = std::sin(cos_y + static_cast<double>(x));
  }
}

int color_mip_level_count(int size) {
  int count = 0;
  for (; size > 0; size >>= 1) ++count;
  return count;
}

void fill_color_mip_level(const ColorMipPattern& pattern, int delta, int level,
                          unsigned char* texels) {
  const int n = pattern.size() >> level;
  const std::uint8_t* const mask = level_channel_masks[level % 4];
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const auto v = static_cast<std::uint8_t>(
          color_mip_intensity(delta, pattern.at(x << level, y << level)));
      *texels++ = v & mask[0];
      *texels++ = v & mask[1];
      *texels++ = v & mask[2];
    }
  }
}

void build_color_mip_texture(const ColorMipPattern& pattern, int delta) {
  const int size = pattern.size();
  const GLint internal_format =
      test_state.tc ? GL_COMPRESSED_RGB_S3TC_DXT1_EXT : GL_RGB8;
  // Every level is written into the start of the one buffer, rows tightly packed: the 2 x 2
  // level's rows are 6 bytes, which GL's default alignment of 4 would misread.
  std::vector<unsigned char> scratch(static_cast<std::size_t>(size) *
                                     static_cast<std::size_t>(size) * 3);
  const ScopedUnpackAlignment packed_rows(1);
  for (int level = 0; level < color_mip_level_count(size); ++level) {
    const int n = size >> level;
    fill_color_mip_level(pattern, delta, level, scratch.data());
    glTexImage2D(GL_TEXTURE_2D, level, internal_format, n, n, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 scratch.data());
  }
}
