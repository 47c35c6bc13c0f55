// The committed texture-unit pictures: what the generator paints, read back through read_png,
// and pictures that are detailed and tell the units apart.
#include "tools/tmu_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/data_path.h"
#include "image/read_png.h"
#include "image_compare.h"

namespace {

RgbImage committed_picture(int unit) {
  data_path.directories = {KESTREL_SOURCE_DIR "/data/images"};
  RgbImage image(1, 1);
  read_png(("tmu" + std::to_string(unit) + ".png").c_str(), image);
  return image;
}

// The generated picture as read_png stores it: bottom row first.
RgbImage generated_picture(int unit) {
  const PngPicture picture = paint_tmu_picture(unit);
  RgbImage image(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const unsigned char* const pixel =
          &picture.rows[(static_cast<std::size_t>(picture.height - 1 - y) * picture.width + x) * 3];
      image.texel(x, y) = {pixel[0], pixel[1], pixel[2]};
    }
  return image;
}

int largest_difference(const RgbTexel& a, const RgbTexel& b) {
  return std::max({std::abs(a.red - b.red), std::abs(a.green - b.green),
                   std::abs(a.blue - b.blue)});
}

TEST(TmuPictures, CommittedFilesAreTheGeneratorsSquarePowerOfTwoPictures) {
  for (int unit = 0; unit < tmu_picture_count; ++unit) {
    const RgbImage committed = committed_picture(unit);
    EXPECT_EQ(committed.width(), committed.height()) << unit;
    EXPECT_EQ(committed.width() & (committed.width() - 1), 0) << unit;
    EXPECT_GE(committed.width(), 256) << unit;
    EXPECT_TRUE(same_image(committed, generated_picture(unit)))
        << "data/images/tmu" << unit << ".png is stale: rebuild the tmu_pictures target";
  }
}

// Neighbouring texels that differ strongly are what filtering blurs or aliases.
TEST(TmuPictures, EveryPictureIsFullOfHardEdges) {
  for (int unit = 0; unit < tmu_picture_count; ++unit) {
    const RgbImage image = generated_picture(unit);
    long edges = 0;
    for (int y = 1; y < image.height(); ++y)
      for (int x = 1; x < image.width(); ++x)
        edges += largest_difference(image.texel(x, y), image.texel(x - 1, y)) >= 128 ||
                 largest_difference(image.texel(x, y), image.texel(x, y - 1)) >= 128;
    EXPECT_GT(edges, long{image.width()} * image.height() / 10) << "unit " << unit;
  }
}

TEST(TmuPictures, NoTwoUnitsLookAlike) {
  std::vector<RgbImage> pictures;
  for (int unit = 0; unit < tmu_picture_count; ++unit) pictures.push_back(generated_picture(unit));
  for (int a = 0; a < tmu_picture_count; ++a)
    for (int b = a + 1; b < tmu_picture_count; ++b) {
      long different = 0;
      for (int y = 0; y < pictures[a].height(); ++y)
        for (int x = 0; x < pictures[a].width(); ++x)
          different += largest_difference(pictures[a].texel(x, y), pictures[b].texel(x, y)) >= 64;
      EXPECT_GT(different, long{pictures[a].width()} * pictures[a].height() / 2)
          << "units " << a << " and " << b;
    }
}

}  // namespace
