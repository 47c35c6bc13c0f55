// Hands an RgbImage to GL as the contents of the texture bound to GL_TEXTURE_2D.
#pragma once

#include <vector>

#include "image/rgb_image.h"

// Uploads `image` into the texture bound to GL_TEXTURE_2D on the active unit: with
// `build_mipmaps` a full mipmap chain built by GLU, internal format GL_RGB8; otherwise level 0
// alone, internal format GL_RGB. The rows are read tightly packed, whatever the image's width;
// the unpack alignment is restored afterwards. Sets no texture parameter. Needs a current GL
// context.
void upload_image(const RgbImage& image, bool build_mipmaps);

// Uploads `levels` as mipmap levels 0, 1, ... of the texture bound to GL_TEXTURE_2D on the active
// unit, internal format GL_RGB8, as upload_image reads its rows. Needs a current GL context.
void upload_mip_chain(const std::vector<RgbImage>& levels);
