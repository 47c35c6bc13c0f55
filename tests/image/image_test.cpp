// The image subsystem without GL: data path, PNG loading and writing, replace_file, box filter.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "image/box_filter.h"
#include "image/data_path.h"
#include "image/file_output.h"
#include "image/read_png.h"
#include "image/write_png.h"
#include "image_compare.h"
#include "png_bytes.h"
#include "temp_dir.h"

// Under AddressSanitizer allocations above 512 MiB abort; hostile files need 1 GiB if limits fail.
extern "C" const char* __asan_default_options() {
  return "max_allocation_size_mb=512:allocator_may_return_null=0";
}

namespace {

namespace fs = std::filesystem;

constexpr RgbTexel red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255},
    black{0, 0, 0};

class WithDataPath : public testing::Test {
 protected:
  void SetUp() override { data_path.directories.clear(); }
  void TearDown() override { data_path.directories.clear(); }
};

// What `path` opens for "probe.png": the file's contents, or "none".
std::string opened(const DataPath& path) {
  char text[64] = "none";
  if (std::FILE* const file = path.open_file("probe.png", "rb")) {
    text[std::fread(text, 1, sizeof text - 1, file)] = '\0';
    std::fclose(file);
  }
  return text;
}

// From four levels below a temporary root, as from build/bin: the working directory, data folders
// up the tree, then the absolute ones beside the program. For installed programs: install_e2e.sh.
TEST(DataPath, TheFirstDirectoryThatYieldsTheFileWins) {
  const TempDir root;
  const fs::path work = root.path() / "a" / "b" / "c" / "work";
  const ScopedWorkingDirectory in_work(work);
  DataPath path;
  path.append_default_directories();
  const std::pair<fs::path, const char*> files[] = {
      {root.path() / "probe.png", "none"}, {root.path() / "data/cubemaps/probe.png", "cubemaps"},
      {root.path() / "a/b/data/images/probe.png", "images"}, {work / "probe.png", "here"}};
  for (const auto& [file, found] : files) {
    write_file(file, found);
    EXPECT_EQ(opened(path), found) << file;
  }
  ASSERT_EQ(path.directories.size(), 9u);
  const std::vector<std::string> relative(path.directories.begin(), path.directories.begin() + 7);
  const std::vector<std::string> beside(path.directories.begin() + 7, path.directories.end());
  EXPECT_TRUE(std::none_of(relative.begin(), relative.end(),
                           [](const std::string& d) { return fs::path(d).is_absolute(); }));
  EXPECT_EQ(beside, program_data_directories(running_program()));
  EXPECT_TRUE(program_data_directories("").empty());  // a program that cannot find itself
  EXPECT_EQ(opened(DataPath{{"missing", "a/b", "."}}), "here");
  EXPECT_EQ(opened(DataPath{}), "none");
}

// Decodes `file` from memory into `image`; returns what went to standard error.
std::string decode(std::string file, RgbImage& image) {
  std::FILE* const stream = fmemopen(file.data(), file.size(), "rb");
  testing::internal::CaptureStderr();
  read_png_stream(stream, image);
  std::fclose(stream);
  return testing::internal::GetCapturedStderr();
}

TEST(ReadPng, EveryEncodingGives8BitRgbTexelsBottomRowFirstWithoutAlpha) {
  const std::vector<std::vector<int>> rgb = {{255, 0, 0, 0, 255, 0, 0, 0, 255},
                                             {255, 255, 255, 0, 0, 0, 0, 0, 255}};
  const std::vector<std::vector<int>> rgba = {{255, 0, 0, 0, 0, 255, 0, 128, 0, 0, 255, 255},
                                              {255, 255, 255, 7, 0, 0, 0, 0, 0, 0, 255, 200}};
  const std::string palette =
      png_chunk("PLTE", png_bytes({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0}));
  const std::string indices = png_rows({{0, 1, 2}, {3, 4, 2}}), one = png_rows({{64, 128, 200}});
  const RgbImage picture = image_from_top(3, 2, {red, green, blue, white, black, blue});
  const RgbImage grey = image_from_top(4, 1, {black, {85, 85, 85}, {170, 170, 170}, white});
  const std::tuple<const char*, std::string, RgbImage> cases[] = {
      {"RGB", png_file(3, 2, 2, 8, png_rows(rgb)), picture},
      {"16-bit RGB", png_file(3, 2, 2, 16, png_rows(rgb, 2)), picture},
      {"RGBA", png_file(3, 2, 6, 8, png_rows(rgba)), picture},
      {"palette", png_file(3, 2, 3, 8, indices, palette), picture},
      {"palette, red transparent",
       png_file(3, 2, 3, 8, indices, palette + png_chunk("tRNS", png_bytes({0, 128}))), picture},
      {"16-bit grey", png_file(4, 1, 0, 16, png_rows({{0, 85, 170, 255}}, 2)), grey},
      {"grey, alpha", png_file(4, 1, 4, 8, png_rows({{0, 9, 85, 0, 170, 128, 255, 255}})), grey},
      {"2-bit grey", png_file(4, 1, 0, 2, png_rows({{0x1b}})), grey},
      {"1-bit grey", png_file(4, 1, 0, 1, png_rows({{0x50}})),
       image_from_top(4, 1, {black, white, black, white})},
      // Samples stored for a gamma of 1.0 brighten for the display's 2.2; 1/2.2 needs nothing.
      {"gamma 1", png_file(1, 1, 2, 8, one, png_chunk("gAMA", png_int(100000))),
       image_from_top(1, 1, {{136, 186, 228}})},
      {"gamma 1/2.2", png_file(1, 1, 2, 8, one, png_chunk("gAMA", png_int(45455))),
       image_from_top(1, 1, {{64, 128, 200}})},
      // Wide or tall but small: within the decoded size limit.
      {"20000 x 1", png_file(20000, 1, 2, 8, std::string(1 + 3 * 20000, '\0')), RgbImage(20000, 1)},
      {"1 x 20000", png_file(1, 20000, 2, 8, std::string(20000 * 4, '\0')), RgbImage(1, 20000)},
  };
  for (const auto& [what, file, expected] : cases) {
    RgbImage image(expected.width(), expected.height());
    const RgbTexel* const texels = image.texels();
    EXPECT_EQ(decode(file, image), "") << what;
    EXPECT_TRUE(same_image(image, expected)) << what;
    EXPECT_EQ(image.texels(), texels) << what;  // an image of the right size keeps its array
  }
}

// Truncations, broken CRCs in the image data and end chunk, unsigned files (skipped silently, the
// others named), sizes needing 1 GiB of rows, 300 MB in one row block, over libpng's million pixels
// a side or the header's maximum, chunks declaring almost 2 GiB that libpng would allocate, and a
// sound grey file just beyond the decoded size limit. A damaged copy may load whole if its image
// data is spared (libpng 1.6.48 passes over a broken CRC in the end chunk).
TEST(ReadPng, BrokenAndHostileFilesLeaveTheImageAsItWas) {
  std::vector<std::vector<int>> gradient(16);
  for (int i = 0; i < 16 * 16; ++i) gradient[i / 16].insert(gradient[i / 16].end(), {i, -i, 7 * i});
  const std::string whole = png_file(16, 16, 2, 8, png_rows(gradient));
  RgbImage sound(1, 1);
  ASSERT_EQ(decode(whole, sound), "");
  std::vector<std::string> files = {whole, whole, "Not a picture."};
  files[0][whole.find("IDAT") + 10] ^= 0x01;
  files[1].back() ^= 0x01;
  for (std::size_t size = 0; size < whole.size(); ++size) files.push_back(whole.substr(0, size));
  const std::size_t copies = files.size();  // of the valid file, and the text
  const std::string small_rows = png_rows(std::vector<std::vector<int>>(4, std::vector<int>(12)));
  for (const auto& [width, height, type] : {std::tuple{16384u, 16384u, 6}, {100000u, 1000u, 2},
                                            {1000001u, 1u, 2}, {1u, 1000001u, 2},
                                            {0x7fffffffu, 0x7fffffffu, 6}})
    files.push_back(png_file(width, height, type, 8, small_rows));
  for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "eXIf", "pCAL", "sCAL"})
    files.push_back(png_header(1, 1, 2, 8) + png_int(0x7ffffff0) + type + std::string(64, 'k'));
  const std::uint32_t beyond_limit = max_png_decoded_bytes / (3 * 16384) + 1;  // rows of grey
  files.push_back(png_file(16384, beyond_limit, 0, 8, std::string(beyond_limit * 16385, '\0')));
  for (std::size_t i = 0; i < files.size(); ++i) {
    RgbImage image = patterned_image(3, 2);
    const RgbTexel* const texels = image.texels();
    const std::string messages = decode(files[i], image);
    if (i < copies && !same_image(image, patterned_image(3, 2))) {
      EXPECT_TRUE(same_image(image, sound)) << "file " << i << " loaded in part";
      continue;
    }
    EXPECT_EQ(image.texels(), texels) << "file " << i;
    EXPECT_TRUE(same_image(image, patterned_image(3, 2))) << "file " << i;
    const bool unsigned_file = files[i].size() < 8 || files[i][0] == 'N';
    EXPECT_EQ(messages.empty(), unsigned_file) << "file " << i << ": " << messages;
  }
  RgbImage image(1, 1);  // the hostile files were made from a sound one
  EXPECT_EQ(decode(png_file(4, 4, 2, 8, small_rows), image), "");
  EXPECT_TRUE(same_image(image, RgbImage(4, 4)));
}

TEST_F(WithDataPath, AnEmptyDataPathGetsTheDefaultsOnceAndAMissingFileIsReportedByName) {
  const TempDir directory;
  const ScopedWorkingDirectory in_work(directory.path() / "a" / "b" / "c" / "work");
  RgbImage image = patterned_image(2, 2);
  read_png(nullptr, image);
  DataPath defaults;
  defaults.append_default_directories();
  EXPECT_EQ(data_path.directories, defaults.directories);
  testing::internal::CaptureStderr();
  read_png("absent.png", image);
  const std::string missing = testing::internal::GetCapturedStderr();
  EXPECT_EQ(data_path.directories, defaults.directories);
  EXPECT_EQ(std::count(missing.begin(), missing.end(), '\n'), 1) << missing;
  EXPECT_NE(missing.find("\"absent.png\""), std::string::npos) << missing;
  EXPECT_TRUE(same_image(image, patterned_image(2, 2)));
}

// Whether `messages` holds only libpng warnings on ancillary chunks other than gamma and
// transparency; 1.6.48, unlike 1.6.39, finds two PngSuite files' histograms out of place.
bool only_warnings_on_unused_chunks(const std::string& messages) {
  const std::string warning = "libpng warning: ";
  std::istringstream lines(messages);
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, warning.size(), warning) != 0) return false;
    const std::string chunk = line.substr(warning.size(), 5);  // "hIST:"
    if (chunk.size() != 5 || chunk[4] != ':' ||
        !std::islower(static_cast<unsigned char>(chunk[0])) || chunk == "gAMA:" ||
        chunk == "tRNS:")
      return false;
  }
  return true;
}

// Valid files load silently but for unused-chunk warnings. Encodings of one picture decode alike:
// interlaced ones as their twins, compression levels and chunk orders as the first of their kind,
// and files with a histogram or suggested palette as the basic file.
TEST_F(WithDataPath, EveryPngSuiteFileLoadsAsItsManifestSaysOrChangesNothing) {
  data_path.directories = {KESTREL_PNGSUITE_DIR};
  std::ifstream manifest(KESTREL_PNGSUITE_DIR "/MANIFEST.tsv");
  std::string line, name, outcome, skip;
  int files = 0, valid = 0, alike = 0, width = 0, height = 0;
  for (std::getline(manifest, line); std::getline(manifest, line); ++files) {
    std::istringstream(line) >> name >> outcome >> skip >> skip >> skip >> skip >> skip >> width >>
        height;
    RgbImage image = patterned_image(5, 3);
    testing::internal::CaptureStderr();
    read_png(name.c_str(), image);
    const std::string messages = testing::internal::GetCapturedStderr();
    if (outcome != "valid") {
      EXPECT_TRUE(same_image(image, patterned_image(5, 3))) << name;
      continue;
    }
    ++valid;
    EXPECT_TRUE(only_warnings_on_unused_chunks(messages)) << name << ": " << messages;
    EXPECT_EQ(std::pair(image.width(), image.height()), std::pair(width, height)) << name;
    std::string twin = name;
    twin[3] = 'n';                                     // basi0g01 -> basn0g01, s05i3p02 -> s05n3p02
    if (twin[0] == 'z') twin[2] = '0';                 // z09n2c08 -> z00n2c08
    if (twin.compare(0, 2, "oi") == 0) twin[2] = '1';  // oi4n0g16 -> oi1n0g16
    if (twin.compare(0, 2, "ch") == 0 || twin.compare(0, 2, "ps") == 0)
      twin = "bas" + twin.substr(3);                   // ch1n3p04 -> basn3p04
    if (twin == name || !fs::exists(KESTREL_PNGSUITE_DIR "/" + twin)) continue;
    ++alike;
    RgbImage twin_image(1, 1);
    read_png(twin.c_str(), twin_image);
    EXPECT_TRUE(same_image(image, twin_image)) << name << " vs " << twin;
  }
  EXPECT_EQ(files, 175) << "the PngSuite in " KESTREL_PNGSUITE_DIR;
  EXPECT_EQ(valid, 161);
  EXPECT_GE(alike, 40);
}

TEST(WritePng, PicturesRoundTripTopRowFirstAndOnesWithoutPixelsAreRefused) {
  const TempDir directory;
  const auto path = [&directory](const char* name) { return (directory.path() / name).string(); };
  const RgbImage image = patterned_image(5, 3);
  RgbImage read(1, 1);  // by the program's own loader
  ASSERT_TRUE(write_png(path("image.png"), image));
  EXPECT_EQ(decode(read_file(path("image.png")), read), "");
  EXPECT_TRUE(same_image(read, image));
  ASSERT_TRUE(write_png(path("rows.png"), PngPicture{1, 2, {255, 0, 0, 0, 0, 255}}));
  EXPECT_EQ(decode(read_file(path("rows.png")), read), "");
  EXPECT_TRUE(same_image(read, image_from_top(1, 2, {red, blue})));
  EXPECT_FALSE(write_png(path("refused.png"), RgbImage(0, 4)));
  EXPECT_FALSE(write_png(path("refused.png"), PngPicture{2, 2, {1, 2, 3}}));
  EXPECT_FALSE(write_png(path("refused.png"), PngPicture{0, 1, {}}));
  EXPECT_FALSE(fs::exists(path("refused.png")));
  EXPECT_FALSE(write_png(path("missing/x.png"), image));
}

// A file-size limit stands in for a full disk; writes within it replace the file whole.
TEST(ReplaceFile, AFailedWriteLeavesNoPartialFileAndKeepsTheOldOne) {
  const TempDir directory;
  const auto path = [&directory](const char* name) { return (directory.path() / name).string(); };
  ASSERT_TRUE(write_text_file(path("summary.md"), "old text"));
  ASSERT_TRUE(write_png(path("panels.png"), patterned_image(2, 2)));
  const std::string old_picture = read_file(path("panels.png"));
  RgbImage noise(64, 64);  // incompressible: far more than the limit as PNG
  std::minstd_rand random;
  std::generate_n(&noise.texels()->red, 64 * 64 * 3, [&random] { return random() >> 7; });

  // A write past the limit fails with EFBIG instead of raising SIGXFSZ.
  const auto previous_signal = signal(SIGXFSZ, SIG_IGN);
  rlimit unlimited{};
  getrlimit(RLIMIT_FSIZE, &unlimited);
  const rlimit limited = {4096, unlimited.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  EXPECT_FALSE(write_text_file(path("summary.md"), std::string(10000, 'x')));
  EXPECT_FALSE(write_png(path("panels.png"), noise));
  EXPECT_FALSE(write_text_file(path("new.md"), std::string(5000, 'y')));
  EXPECT_TRUE(write_text_file(path("summary.md"), "new text"));
  setrlimit(RLIMIT_FSIZE, &unlimited);
  signal(SIGXFSZ, previous_signal);

  EXPECT_EQ(read_file(path("summary.md")), "new text");
  EXPECT_EQ(read_file(path("panels.png")), old_picture);
  EXPECT_FALSE(replace_file(path("refused"), [](std::FILE*) { return false; }));
  const fs::directory_iterator files(directory.path());
  EXPECT_EQ(std::distance(fs::begin(files), fs::end(files)), 2);  // no temporary file remains
}

}  // namespace

// Sides above 1 halve; each texel is the rounded mean of those it covers.
TEST(BoxFilter, MipChainsHalveByTheRoundedMeanDownToOneTexel) {
  RgbImage image(4, 2);
  const std::uint8_t values[2][4] = {{0, 1, 10, 20}, {2, 3, 30, 40}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) image.texel(x, y) = {values[y][x], 255, 0};
  const std::vector<RgbImage> chain = mip_chain(image);
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_TRUE(same_image(chain[0], image));
  ASSERT_EQ(std::pair(chain[1].width(), chain[1].height()), std::pair(2, 1));
  EXPECT_EQ(chain[1].texel(0, 0), (RgbTexel{2, 255, 0}));  // 6 / 4 = 1.5, rounded up
  EXPECT_EQ(chain[1].texel(1, 0), (RgbTexel{25, 255, 0}));
  ASSERT_EQ(std::pair(chain[2].width(), chain[2].height()), std::pair(1, 1));
  EXPECT_EQ(chain[2].texel(0, 0).red, 14);  // (2 + 25) / 2 = 13.5, rounded up
  EXPECT_EQ(mip_chain(RgbImage(1, 4)).size(), 3u);
}

// Mean and layout survive: 3 × 3, dark in its left third, gives 2 × 2, the left column 2/3 dark.
TEST(BoxFilter, ScalesToPowersOfTwoByTheAreaEachTexelCovers) {
  struct Case {
    int width, height, limit, scaled_width, scaled_height;
  };
  for (const Case& c : {Case{3, 3, 256, 2, 2}, Case{300, 20, 256, 256, 16},
                        Case{1024, 1024, 256, 256, 256}, Case{1, 5, 256, 1, 4},
                        Case{64, 64, 256, 64, 64}}) {
    RgbImage image(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x)
        image.texel(x, y) = {std::uint8_t(3 * x < c.width ? 0 : 240), 90, 0};
    const RgbImage scaled = scaled_to_power_of_two(image, c.limit);
    ASSERT_EQ(scaled.width(), c.scaled_width) << c.width << " x " << c.height;
    ASSERT_EQ(scaled.height(), c.scaled_height) << c.width << " x " << c.height;
    double mean = 0.0, scaled_mean = 0.0;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) mean += image.texel(x, y).red;
    for (int y = 0; y < scaled.height(); ++y)
      for (int x = 0; x < scaled.width(); ++x) {
        scaled_mean += scaled.texel(x, y).red;
        EXPECT_EQ(scaled.texel(x, y).green, 90);
      }
    EXPECT_NEAR(scaled_mean / (scaled.width() * scaled.height()), mean / (c.width * c.height),
                1.0);
  }
  RgbImage three(3, 3);
  for (int y = 0; y < 3; ++y) three.texel(1, y) = three.texel(2, y) = {240, 0, 0};
  const RgbImage two = scaled_to_power_of_two(three, 256);
  EXPECT_EQ(two.texel(0, 0).red, 80);   // (1 · 0 + 0.5 · 240) / 1.5
  EXPECT_EQ(two.texel(1, 0).red, 240);
}
