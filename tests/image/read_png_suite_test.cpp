// read_png on the PngSuite images, checked against the facts its MANIFEST.tsv gives per file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "image/data_path.h"
#include "image/read_png.h"
#include "image_compare.h"

namespace {

const std::string suite_directory = KESTREL_PNGSUITE_DIR;

// One line of the manifest; the header fields are known only for valid files.
struct SuiteFile {
  std::string name;
  bool valid = false;
  int color_type = -1;
  int bit_depth = -1;
  bool interlaced = false;
  int width = 0;
  int height = 0;
};

std::vector<SuiteFile> read_manifest() {
  std::vector<SuiteFile> files;
  std::ifstream manifest(suite_directory + "/MANIFEST.tsv");
  std::string line;
  std::getline(manifest, line);  // the header
  while (std::getline(manifest, line)) {
    std::vector<std::string> fields;
    std::istringstream columns(line);
    for (std::string field; std::getline(columns, field, '\t');) fields.push_back(field);
    if (fields.size() < 9) continue;
    SuiteFile file;
    file.name = fields[0];
    file.valid = fields[1] == "valid";
    if (file.valid) {
      file.color_type = std::stoi(fields[2]);
      file.bit_depth = std::stoi(fields[3]);
      file.interlaced = fields[4] == "yes";
      file.width = std::stoi(fields[7]);
      file.height = std::stoi(fields[8]);
    }
    files.push_back(file);
  }
  return files;
}

class PngSuite : public testing::Test {
 protected:
  void SetUp() override {
    data_path.directories = {suite_directory};
    ASSERT_EQ(files.size(), 175u) << "PngSuite manifest not found in " << suite_directory
                                  << " (configure with -DKESTREL_PNGSUITE_DIR=...)";
  }

  // The picture of `name` read into a fresh 1 x 1 image.
  static RgbImage read(const std::string& name) {
    RgbImage image(1, 1);
    read_png(name.c_str(), image);
    return image;
  }

  // Expects every file of `names` to decode to the same texels as the first.
  static void expect_alike(const std::vector<std::string>& names) {
    const RgbImage first = read(names.front());
    EXPECT_GT(first.width(), 1) << names.front();
    for (const std::string& name : names)
      EXPECT_TRUE(same_image(read(name), first)) << name << " vs " << names.front();
  }

  const std::vector<SuiteFile> files = read_manifest();
};

TEST_F(PngSuite, EveryValidFileLoadsWithItsSizeAndNoMessage) {
  int valid = 0;
  for (const SuiteFile& file : files) {
    if (!file.valid) continue;
    ++valid;
    testing::internal::CaptureStderr();
    const RgbImage image = read(file.name);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << file.name;
    EXPECT_EQ(image.width(), file.width) << file.name;
    EXPECT_EQ(image.height(), file.height) << file.name;
  }
  EXPECT_EQ(valid, 161);
}

TEST_F(PngSuite, InterlacedFilesMatchTheirNonInterlacedTwins) {
  int pairs = 0;
  for (const SuiteFile& file : files) {
    if (!file.valid || !file.interlaced) continue;
    std::string twin = file.name;
    twin[3] = 'n';  // basi0g01 -> basn0g01, s05i3p02 -> s05n3p02
    if (!std::filesystem::exists(suite_directory + "/" + twin)) continue;
    ++pairs;
    EXPECT_TRUE(same_image(read(file.name), read(twin))) << file.name << " vs " << twin;
  }
  EXPECT_GE(pairs, 30);
}

TEST_F(PngSuite, CompressionLevelsDecodeAlike) {
  expect_alike({"z00n2c08.png", "z03n2c08.png", "z06n2c08.png", "z09n2c08.png"});
}

TEST_F(PngSuite, ChunkOrdersDecodeAlike) {
  expect_alike({"oi1n0g16.png", "oi2n0g16.png", "oi4n0g16.png", "oi9n0g16.png"});
  expect_alike({"oi1n2c16.png", "oi2n2c16.png", "oi4n2c16.png", "oi9n2c16.png"});
}

TEST_F(PngSuite, GreyFilesGiveEqualChannels) {
  for (const SuiteFile& file : files) {
    if (!file.valid || (file.color_type != 0 && file.color_type != 4)) continue;
    const RgbImage image = read(file.name);
    bool grey = true;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const RgbTexel texel = image.texel(x, y);
        grey = grey && texel.red == texel.green && texel.green == texel.blue;
      }
    EXPECT_TRUE(grey) << file.name;
  }
}

// Expanded samples take no more distinct values than the file's bit depth can store; samples
// read without expansion would give bytes of packed indices or bits instead.
TEST_F(PngSuite, PaletteAndLowBitDepthFilesGiveExpandedTexels) {
  int checked = 0;
  for (const SuiteFile& file : files) {
    if (!file.valid || (file.color_type != 3 && file.bit_depth >= 8)) continue;
    ++checked;
    const RgbImage image = read(file.name);
    std::set<std::tuple<int, int, int>> colours;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        colours.insert({image.texel(x, y).red, image.texel(x, y).green, image.texel(x, y).blue});
    EXPECT_LE(colours.size(), std::size_t{1} << file.bit_depth) << file.name;
    if (file.color_type == 0 && file.bit_depth == 1) {
      const std::set<std::tuple<int, int, int>> black_and_white = {{0, 0, 0}, {255, 255, 255}};
      EXPECT_EQ(colours, black_and_white) << file.name;
    }
  }
  EXPECT_GE(checked, 60);
}

TEST_F(PngSuite, CorruptFilesLeaveTheImageExactlyAsItWas) {
  int corrupt = 0;
  for (const SuiteFile& file : files) {
    if (file.valid) continue;
    ++corrupt;
    RgbImage image = patterned_image(5, 3);
    const RgbImage before = image;
    const RgbTexel* const texels = image.texels();
    read_png(file.name.c_str(), image);
    EXPECT_EQ(image.texels(), texels) << file.name;
    EXPECT_TRUE(same_image(image, before)) << file.name;
  }
  EXPECT_EQ(corrupt, 14);
}

}  // namespace
