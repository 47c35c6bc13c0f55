// An RGB picture in the memory layout GL reads as GL_RGB / GL_UNSIGNED_BYTE pixels: packed 8-bit
// texels, rows one after the other with no gap, row 0 at the bottom.
#pragma once

#include <cstdint>
#include <memory>

// One texel of three bytes. A texel made without a value is black.
struct RgbTexel {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};
static_assert(sizeof(RgbTexel) == 3, "texels must be packed for GL_RGB uploads");

inline bool operator==(const RgbTexel& a, const RgbTexel& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator!=(const RgbTexel& a, const RgbTexel& b) { return !(a == b); }

// A width x height picture that owns its texel array alone. Texel (x, y) is element
// y * width + x; row 0 is the bottom row (t = 0). Sizes below zero count as zero.
class RgbImage {
 public:
  // A width x height image of black texels.
  RgbImage(int width, int height);
  RgbImage(const RgbImage& other);

  // Takes the other image's size (through resize, so an image of the same size keeps its
  // array) and copies all its texels.
  RgbImage& operator=(const RgbImage& other);

  // Keeps size and contents when both sizes are equal to the current ones; otherwise replaces
  // the texel array by one of black texels of the new size, losing the old contents.
  void resize(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // The texel array, width * height texels, row 0 first.
  RgbTexel* texels() { return texels_.get(); }
  const RgbTexel* texels() const { return texels_.get(); }

  // Texel (x, y); 0 <= x < width and 0 <= y < height.
  RgbTexel& texel(int x, int y) { return texels_[index(x, y)]; }
  const RgbTexel& texel(int x, int y) const { return texels_[index(x, y)]; }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  std::size_t texel_count() const { return index(0, height_); }

  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<RgbTexel[]> texels_;
};
