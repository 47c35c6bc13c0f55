// The colour-mipmap test textures' texels: the shared brightness pattern and the texels of each
// level.
#include "image/color_mip_levels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

// The texel loops are compiled for AVX2 and for the x86-64 baseline, and the loader picks the
// one the CPU runs: only AVX2 has the byte shuffles that vectorise the colouring of the texels,
// which on the baseline takes longer than all the sines. The arithmetic is the same in both, and
// so are the texels.
#if defined(__x86_64__) && defined(__GNUC__)
#define TEXEL_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define TEXEL_LOOP
#endif

namespace {

TEXEL_LOOP void compute_intensities(const double* pattern, std::size_t count, int delta,
                                    std::uint8_t* intensities) {
  for (std::size_t i = 0; i < count; ++i)
    intensities[i] = static_cast<std::uint8_t>(color_mip_intensity(delta, pattern[i]));
}

TEXEL_LOOP void colour_texels(const std::uint8_t* intensities, std::size_t count,
                              LevelColour colour, unsigned char* texels) {
  for (std::size_t i = 0; i < count; ++i) {
    texels[3 * i] = intensities[i] & colour.red;
    texels[3 * i + 1] = intensities[i] & colour.green;
    texels[3 * i + 2] = intensities[i] & colour.blue;
  }
}

// Turns the n x n intensities of one level into those of the next, in place: texel (x, y) of
// the next level is texel (2x, 2y) of this one, which never lies before it.
void keep_even_rows_and_columns(std::uint8_t* intensities, int n) {
  const int half = n >> 1;
  std::uint8_t* next = intensities;
  for (int y = 0; y < half; ++y) {
    const std::uint8_t* row = intensities + static_cast<std::size_t>(2 * y) * n;
    for (int x = 0; x < half; ++x) *next++ = row[2 * x];
  }
}

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

void generate_color_mip_levels(const ColorMipPattern& pattern, int delta,
                               const ColorMipLevelSink& use_level) {
  const int size = pattern.size();
  const std::size_t level0_count =
      static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
  // Every level samples the level-0 pattern, so each level's intensities are the even rows and
  // columns of the level above, and one set of intensities serves the whole chain. Both buffers
  // are written before they are read: they are not cleared.
  const std::unique_ptr<std::uint8_t[]> intensities(new std::uint8_t[level0_count]);
  const std::unique_ptr<unsigned char[]> texels(new unsigned char[level0_count * 3]);
  compute_intensities(pattern.values(), level0_count, delta, intensities.get());
  for (int level = 0, n = size; n > 0; ++level, n >>= 1) {
    colour_texels(intensities.get(), static_cast<std::size_t>(n) * n, level_colours[level % 4],
                  texels.get());
    use_level(level, n, texels.get());
    keep_even_rows_and_columns(intensities.get(), n);
  }
}

std::vector<RgbImage> color_mip_images(int delta) {
  std::vector<RgbImage> levels;
  generate_color_mip_levels(ColorMipPattern(color_mip_size), delta,
                            [&levels](int, int n, const unsigned char* texels) {
                              RgbImage level(n, n);
                              std::memcpy(level.texels(), texels,
                                          static_cast<std::size_t>(n) * n * sizeof(RgbTexel));
                              levels.push_back(std::move(level));
                            });
  return levels;
}
