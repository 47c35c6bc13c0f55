// An RGB picture in GL's packed GL_RGB layout: allocation, resizing and copying of its texels.
#include "image/rgb_image.h"

#include <algorithm>

RgbImage::RgbImage(int width, int height) { resize(width, height); }

RgbImage::RgbImage(const RgbImage& other) : RgbImage(other.width_, other.height_) {
  std::copy_n(other.texels(), texel_count(), texels());
}

RgbImage& RgbImage::operator=(const RgbImage& other) {
  if (this == &other) return *this;
  resize(other.width_, other.height_);
  std::copy_n(other.texels(), texel_count(), texels());
  return *this;
}

void RgbImage::resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (texels_ && width == width_ && height == height_) return;
  texels_.reset();
  width_ = width;
  height_ = height;
  // make_unique value-initialises: every texel starts black.
  texels_ = std::make_unique<RgbTexel[]>(texel_count());
}
