// The colour-mipmap test textures uploaded to GL.
#include "app/color_mip_texture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "image/pixel_store.h"

void build_color_mip_texture(const ColorMipPattern& pattern, int delta, bool compressed) {
  const GLint internal_format = compressed ? GL_COMPRESSED_RGB_S3TC_DXT1_EXT : GL_RGB8;
  // The rows are tightly packed: the 2 x 2 level's rows are 6 bytes, which GL's default
  // alignment of 4 would misread.
  const ScopedPixelStore packed_rows(GL_UNPACK_ALIGNMENT, 1);
  generate_color_mip_levels(pattern, delta, [internal_format](int level, int n,
                                                              const unsigned char* texels) {
    glTexImage2D(GL_TEXTURE_2D, level, internal_format, n, n, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 texels);
  });
}
