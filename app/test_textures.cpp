// The panels' textures, each given the test's anisotropy trick before its upload.
#include "app/test_textures.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "app/color_mip_texture.h"
#include "image/upload_image.h"

namespace {

constexpr float initial_anisotropy = 2.0f;

// Binds the texture for its upload, with the anisotropy trick unless "-noaftrick".
void bind_for_upload(TextureObject2D& texture, const TestState& state) {
  texture.bind();
  if (!state.no_af_trick)
    glTexParameterf(texture.target(), GL_TEXTURE_MAX_ANISOTROPY_EXT, initial_anisotropy);
}

}  // namespace

void make_color_mip_texture(TextureObject2D& texture, const ColorMipPattern& pattern, int delta,
                            const TestState& state) {
  bind_for_upload(texture, state);
  build_color_mip_texture(pattern, delta, state.tc);
  glBindTexture(texture.target(), 0);
}

void make_picture_texture(TextureObject2D& texture, const RgbImage& picture,
                          const TestState& state) {
  bind_for_upload(texture, state);
  upload_image(picture, true);
  glBindTexture(texture.target(), 0);
}
