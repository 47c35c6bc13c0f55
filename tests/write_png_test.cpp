// write_png of an RgbImage, read back by the program's own PNG loader: the texels and their row
// order survive, and pictures that cannot be written are refused.
#include "image/write_png.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "image/read_png.h"
#include "image_compare.h"
#include "temp_dir.h"

namespace {

RgbImage read_back(const std::filesystem::path& path) {
  RgbImage image(1, 1);
  std::FILE* const stream = std::fopen(path.c_str(), "rb");
  EXPECT_NE(stream, nullptr) << path;
  if (!stream) return image;
  EXPECT_TRUE(read_png_stream(stream, image)) << path;
  std::fclose(stream);
  return image;
}

}  // namespace

TEST(WritePng, RgbImageRoundTripsWithItsRowOrder) {
  TempDir directory;
  const RgbImage image = patterned_image(5, 3);
  const std::filesystem::path path = directory.path() / "pattern.png";
  ASSERT_TRUE(write_png(path.string(), image));
  EXPECT_TRUE(same_image(read_back(path), image));
}

TEST(WritePng, RefusesEmptyImagesAndUnwritablePaths) {
  TempDir directory;
  EXPECT_FALSE(write_png((directory.path() / "empty.png").string(), RgbImage(0, 4)));
  EXPECT_FALSE(std::filesystem::exists(directory.path() / "empty.png"));
  EXPECT_FALSE(write_png((directory.path() / "missing" / "x.png").string(), RgbImage(2, 2)));
}
