// Hands an RgbImage to GL as the contents of the texture bound to GL_TEXTURE_2D.
#include "image/upload_image.h"

#include <GL/glu.h>

#include "image/pixel_store.h"

void upload_image(const RgbImage& image, bool build_mipmaps) {
  // RgbImage rows have no padding; with GL's default alignment of 4 a width that is not a
  // multiple of 4 would be read skewed and past the end of the array.
  const ScopedPixelStore packed_rows(GL_UNPACK_ALIGNMENT, 1);
  if (build_mipmaps)
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB8, image.width(), image.height(), GL_RGB,
                      GL_UNSIGNED_BYTE, image.texels());
  else
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image.width(), image.height(), 0, GL_RGB,
                 GL_UNSIGNED_BYTE, image.texels());
}

void upload_mip_chain(const std::vector<RgbImage>& levels) {
  const ScopedPixelStore packed_rows(GL_UNPACK_ALIGNMENT, 1);
  for (std::size_t level = 0; level < levels.size(); ++level)
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGB8, levels[level].width(),
                 levels[level].height(), 0, GL_RGB, GL_UNSIGNED_BYTE, levels[level].texels());
}
