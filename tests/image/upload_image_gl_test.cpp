// upload_image on the real driver: the texture levels it creates, read back with glGetTexImage.
#include "image/upload_image.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "gl_read_back.h"
#include "gl_test_window.h"
#include "image_compare.h"

namespace {

// A fresh texture bound to GL_TEXTURE_2D, deleted at the end of the test.
class BoundTexture {
 public:
  BoundTexture() {
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
  }
  ~BoundTexture() { glDeleteTextures(1, &name_); }
  BoundTexture(const BoundTexture&) = delete;
  BoundTexture& operator=(const BoundTexture&) = delete;

 private:
  GLuint name_ = 0;
};


TEST(UploadImage, OneBlackTexelGivesAOneTexelMipmappedTexture) {
  REQUIRE_GL_WINDOW();
  const BoundTexture texture;
  upload_image(RgbImage(1, 1), true);
  EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB8);
  EXPECT_TRUE(same_image(read_level(0), RgbImage(1, 1)));
  EXPECT_EQ(level_parameter(1, GL_TEXTURE_WIDTH), 0) << "a 1 x 1 image has one level";
}

// Three texels a row: with the default unpack alignment of 4 every row after the first would
// be read skewed.
TEST(UploadImage, ThreeByFiveImageReadsBackExactlyAsLevelZero) {
  REQUIRE_GL_WINDOW();
  const BoundTexture texture;
  const RgbImage image = patterned_image(3, 5);
  upload_image(image, false);
  EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
  EXPECT_TRUE(same_image(read_level(0), image));
  EXPECT_EQ(level_parameter(1, GL_TEXTURE_WIDTH), 0) << "no mipmaps were asked for";
}

TEST(UploadImage, MipmappedUploadKeepsLevelZeroAndBuildsTheWholeChain) {
  REQUIRE_GL_WINDOW();
  const BoundTexture texture;
  const RgbImage image = patterned_image(4, 2);
  upload_image(image, true);
  EXPECT_TRUE(same_image(read_level(0), image));
  EXPECT_EQ(read_level(1).width(), 2);
  EXPECT_EQ(read_level(1).height(), 1);
  EXPECT_EQ(read_level(2).width(), 1);
  EXPECT_EQ(read_level(2).height(), 1);
}

TEST(UploadImage, UnpackAlignmentIsRestored) {
  REQUIRE_GL_WINDOW();
  const BoundTexture texture;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  upload_image(patterned_image(3, 5), true);
  EXPECT_EQ(gl_integer(GL_UNPACK_ALIGNMENT), 8);
  upload_image(patterned_image(3, 5), false);
  EXPECT_EQ(gl_integer(GL_UNPACK_ALIGNMENT), 8);
}

}  // namespace
