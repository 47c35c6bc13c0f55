// The colour-mipmap test textures: square RGB textures whose mipmap levels each carry one colour
// (grey, red, green, blue in turn) and whose texels vary in brightness by a colour delta.
#pragma once

#include <cstddef>
#include <vector>

// The brightness pattern that every level of every colour-mipmap texture samples:
// sin(cos(y) + x) in double precision at the level-0 positions x, y = 0 .. size-1 (radians).
// The pattern does not depend on the colour delta, so one instance serves all the textures of
// one size, and each distinct sine and cosine is computed once. Sizes below zero count as zero.
class ColorMipPattern {
 public:
  explicit ColorMipPattern(int size);

  int size() const { return size_; }

  // The pattern at level-0 position (x, y); 0 <= x, y < size.
  double at(int x, int y) const {
    return values_[static_cast<std::size_t>(y) * static_cast<std::size_t>(size_) +
                   static_cast<std::size_t>(x)];
  }

 private:
  int size_;
  std::vector<double> values_;
};

// The number of mipmap levels of a texture of level-0 size `size`: the number of right shifts
// by one that turn it into 0 (9 for 256, 0 for 0).
int color_mip_level_count(int size);

// A texel's intensity, truncated toward zero: (255 - delta) + delta * pattern_value, which lies
// in 255 - 2 * delta .. 255 for 0 <= delta <= 127.
inline int color_mip_intensity(int delta, double pattern_value) {
  return static_cast<int>((255 - delta) + delta * pattern_value);
}

// Writes mipmap level `level` (0 <= level < color_mip_level_count(pattern.size())) of the
// texture of colour delta `delta` into `texels`: n x n RGB texels of 3 bytes, n = size >> level,
// rows tightly packed, row 0 (t = 0) first. Texel (x, y) has the intensity of the pattern at
// (x << level, y << level) in the level's colour: grey for level % 4 == 0, then red, green, blue.
void fill_color_mip_level(const ColorMipPattern& pattern, int delta, int level,
                          unsigned char* texels);

// Defines every level of the texture bound to GL_TEXTURE_2D on the active unit with the
// colour-mipmap texture of level-0 size pattern.size() and colour delta `delta`: internal format
// GL_COMPRESSED_RGB_S3TC_DXT1_EXT when test_state.tc is set, GL_RGB8 otherwise. Sets no texture
// parameter and binds nothing; the unpack alignment is restored afterwards. Its scratch buffer is
// freed before it returns. Needs the GL context current.
void build_color_mip_texture(const ColorMipPattern& pattern, int delta);
