// build_color_mip_texture on the real driver: the levels read back from GL, their sizes and
// colours, the internal format with and without "-tc", and the pixel-store state it leaves.
#include "app/color_mip_texture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/test_state.h"
#include "gl_read_back.h"
#include "gl_test_window.h"
#include "image/rgb_image.h"

namespace {

// A fresh texture holding the colour-mipmap texture of `delta`, bound to GL_TEXTURE_2D.
GLuint build_texture(int size, int delta) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  build_color_mip_texture(ColorMipPattern(size), delta);
  return name;
}


struct Texel {
  int red, green, blue;
  bool operator==(const Texel& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

std::ostream& operator<<(std::ostream& out, const Texel& texel) {
  return out << '(' << texel.red << ", " << texel.green << ", " << texel.blue << ')';
}

Texel texel(const RgbImage& image, int x, int y) {
  const RgbTexel& t = image.texel(x, y);
  return {t.red, t.green, t.blue};
}

// Every texel of `image` is `expected`.
void expect_flat(const RgbImage& image, Texel expected, int level) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      ASSERT_EQ(texel(image, x, y), expected) << "level " << level << " texel " << x << ", " << y;
}

}  // namespace

TEST(BuildColorMipTexture, DefinesNineLevelsOfHalvingSizesAndNoMore) {
  REQUIRE_GL_WINDOW();
  build_texture(256, 30);
  for (int level = 0; level < 9; ++level) {
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_WIDTH), 256 >> level) << "level " << level;
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_HEIGHT), 256 >> level) << "level " << level;
  }
  EXPECT_EQ(level_parameter(9, GL_TEXTURE_WIDTH), 0);
}

TEST(BuildColorMipTexture, DeltaZeroGivesFlatLevelsCyclingGreyRedGreenBlue) {
  REQUIRE_GL_WINDOW();
  build_texture(256, 0);
  const Texel colours[4] = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (int level = 0; level < 9; ++level) expect_flat(read_level(level), colours[level % 4], level);
}

TEST(BuildColorMipTexture, DeltaThirtyEdgeTexels) {
  REQUIRE_GL_WINDOW();
  build_texture(256, 30);
  const RgbImage level0 = read_level(0);
  EXPECT_EQ(texel(level0, 0, 0), (Texel{250, 250, 250}));
  EXPECT_EQ(texel(level0, 1, 0), (Texel{252, 252, 252}));
  EXPECT_EQ(texel(level0, 0, 1), (Texel{240, 240, 240}));
  EXPECT_EQ(texel(level0, 5, 3), (Texel{202, 202, 202}));
  const RgbImage level1 = read_level(1);
  EXPECT_EQ(texel(level1, 0, 0), (Texel{250, 0, 0}));
  EXPECT_EQ(texel(level1, 1, 1), (Texel{254, 0, 0}));
  EXPECT_EQ(texel(read_level(7), 1, 0), (Texel{0, 0, 219}));
}

TEST(BuildColorMipTexture, DeltaTwoEdgeTexels) {
  REQUIRE_GL_WINDOW();
  build_texture(256, 2);
  const RgbImage level0 = read_level(0);
  EXPECT_EQ(texel(level0, 0, 0), (Texel{254, 254, 254}));
  EXPECT_EQ(texel(level0, 5, 3), (Texel{251, 251, 251}));
}

TEST(BuildColorMipTexture, TwoByTwoLevelIsBlueAndOneByOneLevelRepeatsTheFirstTexel) {
  REQUIRE_GL_WINDOW();
  for (int delta = 0; delta <= 30; delta += 2) {
    build_texture(256, delta);
    const RgbImage level7 = read_level(7);
    ASSERT_EQ(level7.width(), 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) {
        const Texel t = texel(level7, x, y);
        EXPECT_TRUE(t.red == 0 && t.green == 0 && t.blue >= 255 - 2 * delta)
            << "delta " << delta << " texel " << x << ", " << y << ": " << t;
      }
    const Texel first = texel(read_level(0), 0, 0);
    EXPECT_EQ(texel(read_level(8), 0, 0), first) << "delta " << delta;
  }
}

TEST(BuildColorMipTexture, StoresRgb8UncompressedWithoutTc) {
  REQUIRE_GL_WINDOW();
  test_state.tc = false;
  build_texture(256, 30);
  for (int level = 0; level < 9; ++level) {
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8) << "level " << level;
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_COMPRESSED), GL_FALSE) << "level " << level;
  }
}

TEST(BuildColorMipTexture, StoresDxt1CompressedWithTc) {
  REQUIRE_GL_WINDOW();
  test_state.tc = true;
  build_texture(256, 30);
  for (int level = 0; level < 9; ++level) {
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_INTERNAL_FORMAT),
              GL_COMPRESSED_RGB_S3TC_DXT1_EXT) << "level " << level;
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_COMPRESSED), GL_TRUE) << "level " << level;
  }
  // DXT1 keeps a flat block exactly: the colours survive compression.
  build_texture(256, 0);
  expect_flat(read_level(2), {0, 255, 0}, 2);
}

TEST(BuildColorMipTexture, RestoresTheUnpackAlignmentAndBindsNothing) {
  REQUIRE_GL_WINDOW();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  const GLuint name = build_texture(256, 30);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 8);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), name);
}

TEST(BuildColorMipTexture, SizeZeroDefinesNoLevel) {
  REQUIRE_GL_WINDOW();
  build_texture(0, 30);
  EXPECT_EQ(level_parameter(0, GL_TEXTURE_WIDTH), 0);
}
