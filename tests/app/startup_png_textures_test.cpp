// Start-up's PNG textures: each unit's picture in its slot, and a file that cannot be read
// giving its slot the picture read before it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/platform.h"
#include "app/startup.h"
#include "app/test_objects.h"
#include "image/data_path.h"
#include "image/read_png.h"
#include "image_compare.h"
#include "start_test_support.h"
#include "temp_dir.h"

namespace {

const std::string images_directory = KESTREL_SOURCE_DIR "/data/images";

// Runs the start-up without switches and returns what it wrote to standard error.
std::string start() {
  testing::internal::CaptureStderr();
  EXPECT_TRUE(start_with_switches({})) << "the driver lacks an extension";
  return testing::internal::GetCapturedStderr();
}

#define REQUIRE_DISPLAY() \
  if (!display_available()) GTEST_SKIP() << "no X display"

// The picture of `name` in data/images, as read_png gives it.
RgbImage picture(const std::string& name) {
  const auto directories = data_path.directories;
  data_path.directories = {images_directory};
  RgbImage image(1, 1);
  read_png(name.c_str(), image);
  data_path.directories = directories;
  return image;
}

// Level 0 of the texture in `slot` of test_textures.
RgbImage texture_image(int slot) {
  test_textures[slot].bind();
  GLint width = 0;
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  RgbImage image(width, height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, image.texels());
  return image;
}

void copy_picture(const std::string& name, const std::filesystem::path& directory) {
  std::filesystem::copy_file(images_directory + "/" + name, directory / name);
}

TEST(StartUpPngTextures, EachUnitShowsItsOwnPicture) {
  REQUIRE_DISPLAY();
  data_path.directories = {images_directory};
  EXPECT_EQ(start(), "");
  for (int unit = 0; unit < png_texture_count; ++unit) {
    const RgbImage expected = picture("tmu" + std::to_string(unit) + ".png");
    ASSERT_GT(expected.width(), 1);
    EXPECT_TRUE(same_image(texture_image(unit), expected)) << "unit " << unit;
    GLint last_level_width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 9, GL_TEXTURE_WIDTH, &last_level_width);
    EXPECT_EQ(last_level_width, 1) << "unit " << unit << " has a full mipmap chain";
  }
}

TEST(StartUpPngTextures, MissingPictureRepeatsThePreviousOne) {
  REQUIRE_DISPLAY();
  const TempDir directory;
  for (const char* name : {"tmu0.png", "tmu1.png", "tmu3.png"})
    copy_picture(name, directory.path());
  data_path.directories = {directory.path().string()};
  EXPECT_EQ(start(), "Cannot open \"tmu2.png\" for read!\n");
  EXPECT_TRUE(same_image(texture_image(2), picture("tmu1.png")));
  EXPECT_TRUE(same_image(texture_image(3), picture("tmu3.png")));
}

// No picture has been read before unit 1's text file, so both keep the black texel.
TEST(StartUpPngTextures, MissingFirstPictureLeavesABlackTexel) {
  REQUIRE_DISPLAY();
  const TempDir directory;
  write_file(directory.path() / "tmu1.png", "not a picture\n");
  for (const char* name : {"tmu2.png", "tmu3.png"}) copy_picture(name, directory.path());
  data_path.directories = {directory.path().string()};
  EXPECT_EQ(start(), "Cannot open \"tmu0.png\" for read!\n");
  EXPECT_TRUE(same_image(texture_image(0), RgbImage(1, 1)));
  EXPECT_TRUE(same_image(texture_image(1), RgbImage(1, 1)));
  EXPECT_TRUE(same_image(texture_image(2), picture("tmu2.png")));
}

}  // namespace
