// read_png on files of known content: row order, sample formats, the alpha rule, gamma, the
// data-path defaults and messages, and files that are broken or hostile.
#include "image/read_png.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/data_path.h"
#include "image_compare.h"
#include "temp_dir.h"
#include "image/write_png.h"

// Under AddressSanitizer an allocation above 512 MiB ends the test: the hostile files below
// would need 1 GiB and more if the loader's limits failed.
extern "C" const char* __asan_default_options() {
  return "max_allocation_size_mb=512:allocator_may_return_null=0";
}

namespace {

class ReadPng : public testing::Test {
 protected:
  void SetUp() override { data_path.directories = {directory.path().string()}; }

  // Writes `picture` as `name` into the test's data directory.
  void write(const std::string& name, const PngPicture& picture) {
    ASSERT_TRUE(write_png((directory.path() / name).string(), picture)) << name;
  }

  // Reads `name` into `image`, returning what was written to standard error meanwhile.
  static std::string read(const std::string& name, RgbImage& image) {
    testing::internal::CaptureStderr();
    read_png(name.c_str(), image);
    return testing::internal::GetCapturedStderr();
  }

  static RgbImage read(const std::string& name) {
    RgbImage image(1, 1);
    EXPECT_EQ(read(name, image), "") << name;
    return image;
  }

  // Expects `name` to leave a patterned image, its array included, exactly as it was.
  // Returns what was written to standard error.
  static std::string expect_unchanged_by(const std::string& name) {
    RgbImage image = patterned_image(3, 2);
    const RgbImage before = image;
    const RgbTexel* const texels = image.texels();
    std::string messages = read(name, image);
    EXPECT_EQ(image.texels(), texels) << name;
    EXPECT_TRUE(same_image(image, before)) << name;
    return messages;
  }

  TempDir directory;
};

PngPicture picture(int width, int height, int color_type, int bit_depth,
                   std::vector<unsigned char> rows) {
  PngPicture result;
  result.width = width;
  result.height = height;
  result.color_type = color_type;
  result.bit_depth = bit_depth;
  result.rows = std::move(rows);
  return result;
}

// An image of the given texels, listed top row first as a picture is drawn.
RgbImage image_from_top(int width, int height, const std::vector<RgbTexel>& texels) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.texel(x, height - 1 - y) = texels[static_cast<std::size_t>(y * width + x)];
  return image;
}

constexpr RgbTexel red{255, 0, 0};
constexpr RgbTexel green{0, 255, 0};
constexpr RgbTexel blue{0, 0, 255};
constexpr RgbTexel white{255, 255, 255};
constexpr RgbTexel black{0, 0, 0};

TEST_F(ReadPng, RowZeroIsTheBottomOfThePicture) {
  write("rows.png", picture(4, 2, PNG_COLOR_TYPE_RGB, 8,
                            {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0,     // top: red
                             0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255}));  // bottom: blue
  const RgbImage image = read("rows.png");
  ASSERT_EQ(image.width(), 4);
  ASSERT_EQ(image.height(), 2);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(image.texel(x, 0), blue);
    EXPECT_EQ(image.texel(x, 1), red);
  }
}

// The same 3 x 2 picture in every encoding: red, green, blue over white, black, blue.
TEST_F(ReadPng, EveryColourEncodingGivesTheSame8BitRgbTexels) {
  const std::vector<unsigned char> rgb8 = {255, 0, 0, 0, 255, 0, 0, 0, 255,
                                           255, 255, 255, 0, 0, 0, 0, 0, 255};
  write("rgb8.png", picture(3, 2, PNG_COLOR_TYPE_RGB, 8, rgb8));
  PngPicture interlaced = picture(3, 2, PNG_COLOR_TYPE_RGB, 8, rgb8);
  interlaced.interlaced = true;
  write("interlaced.png", interlaced);
  PngPicture rgb16 = picture(3, 2, PNG_COLOR_TYPE_RGB, 16, {});
  for (const unsigned char sample : rgb8) rgb16.rows.insert(rgb16.rows.end(), {sample, 0x80});
  write("rgb16.png", rgb16);
  PngPicture palette8 = picture(3, 2, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 3, 4, 2});
  palette8.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0};
  write("palette8.png", palette8);
  PngPicture palette4 = palette8;
  palette4.bit_depth = 4;
  palette4.rows = {0x01, 0x20, 0x34, 0x20};  // two indices a byte, each row starting on a byte
  write("palette4.png", palette4);

  const RgbImage expected = image_from_top(3, 2, {red, green, blue, white, black, blue});
  for (const char* name : {"rgb8.png", "interlaced.png", "rgb16.png", "palette8.png",
                           "palette4.png"})
    EXPECT_TRUE(same_image(read(name), expected)) << name;
}

// Each of the five row filters, forced on every row of the same picture.
TEST_F(ReadPng, EveryRowFilterGivesTheSameTexels) {
  PngPicture gradient = picture(16, 8, PNG_COLOR_TYPE_RGB, 8, {});
  RgbImage expected(16, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      const RgbTexel texel{static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(y * 30),
                           static_cast<std::uint8_t>((x * y * 37) % 256)};
      gradient.rows.insert(gradient.rows.end(), {texel.red, texel.green, texel.blue});
      expected.texel(x, 7 - y) = texel;
    }
  const int filters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG,
                         PNG_FILTER_PAETH};
  for (const int filter : filters) {
    gradient.filters = filter;
    write("filtered.png", gradient);
    EXPECT_TRUE(same_image(read("filtered.png"), expected)) << "filter mask " << filter;
  }
}

// Grey levels 0, 1/3, 2/3 and 1 at every bit depth that can hold them, and 1-bit black/white.
TEST_F(ReadPng, EveryGreyDepthGivesEqual8BitChannels) {
  write("grey2.png", picture(4, 1, PNG_COLOR_TYPE_GRAY, 2, {0x1b}));
  write("grey4.png", picture(4, 1, PNG_COLOR_TYPE_GRAY, 4, {0x05, 0xaf}));
  write("grey8.png", picture(4, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 85, 170, 255}));
  write("grey16.png",
        picture(4, 1, PNG_COLOR_TYPE_GRAY, 16, {0, 0, 0x55, 0x55, 0xaa, 0xaa, 0xff, 0xff}));
  write("grey1.png", picture(4, 1, PNG_COLOR_TYPE_GRAY, 1, {0x50}));

  const RgbImage levels = image_from_top(4, 1, {black, {85, 85, 85}, {170, 170, 170}, white});
  for (const char* name : {"grey2.png", "grey4.png", "grey8.png", "grey16.png"})
    EXPECT_TRUE(same_image(read(name), levels)) << name;
  EXPECT_TRUE(same_image(read("grey1.png"), image_from_top(4, 1, {black, white, black, white})));
}

// The documented rule: alpha, stored or expanded from tRNS, is dropped and the colour kept.
TEST_F(ReadPng, AlphaIsDroppedAndTheColourKept) {
  write("rgba8.png", picture(3, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8,
                             {10, 20, 30, 0, 200, 100, 50, 128, 1, 2, 3, 255}));
  write("rgba16.png", picture(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16,
                              {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0x00, 0x00}));
  write("grey_alpha.png", picture(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {60, 0, 200, 255}));
  PngPicture palette = picture(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1});
  palette.palette = {255, 0, 0, 0, 255, 0};
  palette.transparency = {0, 255};  // red fully transparent
  write("palette_trns.png", palette);

  EXPECT_TRUE(same_image(read("rgba8.png"), image_from_top(3, 1, {{10, 20, 30}, {200, 100, 50},
                                                                  {1, 2, 3}})));
  EXPECT_TRUE(same_image(read("rgba16.png"), image_from_top(1, 1, {{0x12, 0x56, 0x9a}})));
  EXPECT_TRUE(same_image(read("grey_alpha.png"),
                         image_from_top(2, 1, {{60, 60, 60}, {200, 200, 200}})));
  EXPECT_TRUE(same_image(read("palette_trns.png"), image_from_top(2, 1, {red, green})));
}

TEST_F(ReadPng, GammaChunkIsCorrectedTowardsDisplayGamma) {
  const std::vector<unsigned char> samples = {64, 128, 200};
  PngPicture linear = picture(1, 1, PNG_COLOR_TYPE_RGB, 8, samples);
  linear.gamma = 1.0;
  write("linear.png", linear);
  PngPicture display = linear;
  display.gamma = 1.0 / 2.2;
  write("display.png", display);
  write("no_gamma.png", picture(1, 1, PNG_COLOR_TYPE_RGB, 8, samples));

  EXPECT_EQ(read("no_gamma.png").texel(0, 0), (RgbTexel{64, 128, 200}));
  const RgbTexel corrected = read("linear.png").texel(0, 0);
  const RgbTexel unchanged = read("display.png").texel(0, 0);
  const std::uint8_t RgbTexel::*const channels[] = {&RgbTexel::red, &RgbTexel::green,
                                                    &RgbTexel::blue};
  for (int i = 0; i < 3; ++i) {
    const double expected = 255.0 * std::pow(samples[i] / 255.0, 1.0 / 2.2);
    EXPECT_NEAR(corrected.*channels[i], expected, 1.0) << "channel " << i;
    EXPECT_NEAR(unchanged.*channels[i], samples[i], 1.0) << "channel " << i;
  }
}

TEST_F(ReadPng, ImageOfTheRightSizeKeepsItsArray) {
  write("two.png", picture(2, 2, PNG_COLOR_TYPE_RGB, 8, std::vector<unsigned char>(12, 255)));
  RgbImage same_size = patterned_image(2, 2);
  const RgbTexel* const texels = same_size.texels();
  read("two.png", same_size);
  EXPECT_EQ(same_size.texels(), texels);
  EXPECT_TRUE(same_image(same_size, image_from_top(2, 2, {white, white, white, white})));

  RgbImage other_size = patterned_image(3, 1);
  read("two.png", other_size);
  EXPECT_TRUE(same_image(other_size, same_size));
}

TEST_F(ReadPng, NullNameOnlyFillsTheDefaultDirectoriesOnce) {
  data_path.directories.clear();
  RgbImage image = patterned_image(2, 2);
  const RgbImage before = image;
  read_png(nullptr, image);
  const std::vector<std::string> defaults = data_path.directories;
  EXPECT_EQ(defaults.size(), 8u);
  EXPECT_EQ(defaults.front(), ".");
  read_png(nullptr, image);
  EXPECT_EQ(data_path.directories, defaults);
  EXPECT_TRUE(same_image(image, before));
}

TEST_F(ReadPng, ListWithAnEntryGetsNoDefaults) {
  RgbImage image(1, 1);
  read("absent.png", image);
  EXPECT_EQ(data_path.directories, std::vector<std::string>{directory.path().string()});
}

// Searched through all eight defaults from a working directory deep in an empty tree.
TEST_F(ReadPng, MissingFileIsReportedOnceByItsBareName) {
  const ScopedWorkingDirectory in_work(directory.path() / "a" / "b" / "c" / "work");
  data_path.directories.clear();
  RgbImage image = patterned_image(2, 2);
  const RgbImage before = image;
  EXPECT_EQ(read("tmu2.png", image), "Cannot open \"tmu2.png\" for read!\n");
  EXPECT_EQ(data_path.directories.size(), 8u);
  EXPECT_TRUE(same_image(image, before));
}

TEST_F(ReadPng, FilesWithoutThePngSignatureAreSkippedSilently) {
  write_file(directory.path() / "tmu1.png", "This is a text file, not a picture.\n");
  write_file(directory.path() / "short.png", "\x89PNG");
  write_file(directory.path() / "empty.png", "");
  for (const char* name : {"tmu1.png", "short.png", "empty.png"})
    EXPECT_EQ(expect_unchanged_by(name), "") << name;
}

std::string file_contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Every truncation of a valid file, and broken CRCs in the image data and in the end chunk:
// the image stays as it was, even when only the chunk after the image data is broken.
TEST_F(ReadPng, TruncatedOrCrcBrokenFilesLeaveTheImageAsItWas) {
  std::vector<unsigned char> gradient;
  for (int i = 0; i < 16 * 16; ++i)
    gradient.insert(gradient.end(), {static_cast<unsigned char>(i), static_cast<unsigned char>(
                                         255 - i), static_cast<unsigned char>(i * 7)});
  write("whole.png", picture(16, 16, PNG_COLOR_TYPE_RGB, 8, gradient));
  const std::string whole = file_contents(directory.path() / "whole.png");
  ASSERT_GT(whole.size(), 57u);
  EXPECT_EQ(read("whole.png").width(), 16);

  for (std::size_t length = 8; length < whole.size(); ++length) {
    write_file(directory.path() / "cut.png", whole.substr(0, length));
    expect_unchanged_by("cut.png");
  }
  std::string broken_data = whole;
  broken_data[whole.find("IDAT") + 10] ^= 0x01;
  write_file(directory.path() / "broken_data.png", broken_data);
  expect_unchanged_by("broken_data.png");
  std::string broken_end = whole;
  broken_end.back() ^= 0x01;  // the CRC of IEND
  write_file(directory.path() / "broken_end.png", broken_end);
  expect_unchanged_by("broken_end.png");
}

std::string big_endian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                         static_cast<uInt>(body.size()));
  return big_endian(static_cast<std::uint32_t>(data.size())) + body +
         big_endian(static_cast<std::uint32_t>(crc));
}

// The signature and the IHDR of a `width` x `height` 8-bit picture of `color_type`.
std::string png_header(std::uint32_t width, std::uint32_t height, char color_type) {
  return std::string("\x89PNG\r\n\x1a\n", 8) +
         chunk("IHDR", big_endian(width) + big_endian(height) + std::string{8, color_type, 0, 0, 0});
}

// A well-formed file claiming `width` x `height` pixels of `color_type`, with a little data.
std::string claimed_png(std::uint32_t width, std::uint32_t height, char color_type) {
  unsigned char zeros[4 * (1 + 4 * 3)] = {};  // exactly the rows of a 4 x 4 RGB picture
  unsigned char packed[128];
  uLongf packed_size = sizeof packed;
  compress(packed, &packed_size, zeros, sizeof zeros);
  return png_header(width, height, color_type) +
         chunk("IDAT", std::string(reinterpret_cast<const char*>(packed), packed_size)) +
         chunk("IEND", "");
}

// A valid black 8-bit RGB picture of `width` x `height`.
std::string black_png(std::uint32_t width, std::uint32_t height) {
  const std::vector<unsigned char> rows(std::size_t{height} * (1 + 3 * std::size_t{width}), 0);
  std::vector<unsigned char> packed(compressBound(static_cast<uLong>(rows.size())));
  uLongf packed_size = static_cast<uLongf>(packed.size());
  compress(packed.data(), &packed_size, rows.data(), static_cast<uLong>(rows.size()));
  return png_header(width, height, 2) +
         chunk("IDAT", std::string(reinterpret_cast<const char*>(packed.data()), packed_size)) +
         chunk("IEND", "");
}

TEST_F(ReadPng, HostileDimensionsFailWithoutAllocating) {
  // The decoded rows would need 1 GiB, or 300 MB in one long row block.
  write_file(directory.path() / "huge_rgba.png", claimed_png(16384, 16384, 6));
  write_file(directory.path() / "long_rows.png", claimed_png(100000, 1000, 2));
  // Beyond libpng's own limit of a million pixels in one direction.
  write_file(directory.path() / "too_wide.png", claimed_png(1000001, 1, 2));
  write_file(directory.path() / "too_tall.png", claimed_png(1, 1000001, 2));
  write_file(directory.path() / "largest.png", claimed_png(0x7fffffff, 0x7fffffff, 6));
  for (const char* name :
       {"huge_rgba.png", "long_rows.png", "too_wide.png", "too_tall.png", "largest.png"})
    expect_unchanged_by(name);

  // The same kind of file, small enough to decode, proves the crafted files are sound.
  write_file(directory.path() / "small.png", claimed_png(4, 4, 2));
  EXPECT_TRUE(same_image(read("small.png"), RgbImage(4, 4)));
}

// Chunks whose declared length libpng would allocate, each claiming almost 2 GiB.
TEST_F(ReadPng, HugeAncillaryChunksAreSkippedWithoutAllocating) {
  for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "eXIf", "pCAL", "sCAL"}) {
    write_file(directory.path() / "chunk.png",
               png_header(1, 1, 2) + big_endian(0x7ffffff0) + type + std::string(64, 'k'));
    expect_unchanged_by("chunk.png");
  }
}

TEST_F(ReadPng, WideOrTallButSmallPicturesLoad) {
  for (const auto& [width, height] : {std::pair{20000, 1}, std::pair{1, 20000}}) {
    write_file(directory.path() / "thin.png", black_png(width, height));
    const RgbImage image = read("thin.png");
    EXPECT_EQ(image.width(), width);
    EXPECT_EQ(image.height(), height);
  }
}

}  // namespace
