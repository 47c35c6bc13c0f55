// The test application without GL: switches, the colour-mipmap generator and the unit pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/color_mip_texture.h"
#include "app/startup.h"
#include "color_mip_direct.h"
#include "image/data_path.h"
#include "image/read_png.h"
#include "image_compare.h"
#include "temp_dir.h"
#include "tools/tmu_pictures.h"

namespace {

// The switches a state holds, in the order "-noaf -tc -noaftrick -nomt".
std::string switches_of(const TestState& state) {
  std::string text;
  if (state.no_af) text += " -noaf";
  if (state.tc) text += " -tc";
  if (state.no_af_trick) text += " -noaftrick";
  if (state.no_mt) text += " -nomt";
  return text;
}

TEST(Switches, SetTheirFlagsWhateverTheLetterCaseAndIgnoreEverythingElse) {
  const struct {
    std::vector<const char*> argv;
    const char* expected;
  } cases[] = {
      {{"kestrel"}, ""},
      {{"kestrel", "-noaf"}, " -noaf"},
      {{"kestrel", "-TC"}, " -tc"},
      {{"kestrel", "-NoAfTrick"}, " -noaftrick"},
      {{"kestrel", "-nOmT", "-tc", "-tc"}, " -tc -nomt"},
      {{"kestrel", "-nomt", "-NOAF", "-noaftrick", "-Tc"}, " -noaf -tc -noaftrick -nomt"},
      {{"kestrel", "-noaf,-tc", "-no", "--tc", "noaf", "-tc ", " -tc", "", "-t", "-x"}, ""},
      {{"-tc"}, ""},  // the program name is no switch, whatever it is
  };
  for (const auto& c : cases) {
    TestState state;
    parse_switches(static_cast<int>(c.argv.size()), c.argv.data(), state);
    EXPECT_EQ(switches_of(state), c.expected) << testing::PrintToString(c.argv);
  }
}

// Level L is size >> L texels square, down to 1; a size of 0 or less has no level.
TEST(ColorMipTexture, GeneratorMatchesTheDirectFormula) {
  for (const int size : {256, 64, 6, 1, 0, -4}) {
    for (const int delta : {0, 2, 30, 127}) {
      SCOPED_TRACE(testing::Message() << "size " << size << ", colour delta " << delta);
      int levels = 0;
      generate_color_mip_levels(
          ColorMipPattern(size), delta, [&](int level, int n, const unsigned char* texels) {
            ASSERT_EQ(level, levels++);
            ASSERT_EQ(n, size >> level);
            std::vector<unsigned char> direct(static_cast<std::size_t>(n) * n * 3);
            fill_color_mip_level_direct(size, delta, level, direct.data());
            EXPECT_EQ(std::vector<unsigned char>(texels, texels + direct.size()), direct)
                << "level " << level;
          });
      int expected_levels = 0;
      for (int n = size; n >= 1; n /= 2) ++expected_levels;
      EXPECT_EQ(levels, expected_levels);
    }
  }
}

RgbImage read_picture(const std::string& directory, const std::string& name) {
  data_path.directories = {directory};
  RgbImage image(1, 1);
  read_png(name.c_str(), image);
  return image;
}

TEST(TmuPictures, CommittedPicturesAreWhatTheGeneratorPaints) {
  const TempDir generated;
  for (int unit = 0; unit < tmu_picture_count; ++unit) {
    const std::string name = "tmu" + std::to_string(unit) + ".png";
    ASSERT_TRUE(write_png((generated.path() / name).string(), paint_tmu_picture(unit)));
    const RgbImage committed = read_picture(KESTREL_SOURCE_DIR "/data/images", name);
    EXPECT_GT(committed.width(), 1) << name;
    EXPECT_TRUE(same_image(committed, read_picture(generated.path().string(), name)))
        << "data/images/" << name << " is stale: rebuild the tmu_pictures target";
  }
}

}  // namespace
