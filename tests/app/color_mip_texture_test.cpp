// The colour-mipmap generator without GL: every level of every colour delta byte for byte
// against the direct formula, the level sizes and colours, and the degenerate sizes.
#include "app/color_mip_texture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bench/color_mip_direct.h"

namespace {

struct Level {
  int level;
  int n;
  std::vector<unsigned char> texels;
};

std::vector<Level> generate(int size, int delta) {
  std::vector<Level> levels;
  generate_color_mip_levels(ColorMipPattern(size), delta,
                            [&](int level, int n, const unsigned char* texels) {
                              levels.push_back({level, n, {texels, texels + n * n * 3}});
                            });
  return levels;
}

}  // namespace

TEST(ColorMipTexture, EveryLevelOfEveryDeltaEqualsTheDirectFormula) {
  for (int delta = 0; delta <= 30; delta += 2) {
    std::vector<unsigned char> direct(256 * 256 * 3);
    for (const Level& level : generate(256, delta)) {
      fill_color_mip_level_direct(256, delta, level.level, direct.data());
      EXPECT_EQ(std::memcmp(level.texels.data(), direct.data(), level.texels.size()), 0)
          << "colour delta " << delta << ", level " << level.level;
    }
  }
}

TEST(ColorMipTexture, Size256HasNineLevelsHalvingDownToOne) {
  const std::vector<Level> levels = generate(256, 30);
  ASSERT_EQ(levels.size(), 9u);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(levels[i].level, i);
    EXPECT_EQ(levels[i].n, 256 >> i);
  }
}

TEST(ColorMipTexture, LevelsCycleGreyRedGreenBlue) {
  constexpr bool lit[4][3] = {{true, true, true}, {true, false, false}, {false, true, false},
                              {false, false, true}};
  for (const Level& level : generate(256, 30)) {
    for (std::size_t i = 0; i < level.texels.size(); i += 3) {
      for (int channel = 0; channel < 3; ++channel) {
        const int value = level.texels[i + channel];
        if (lit[level.level % 4][channel])
          ASSERT_TRUE(value >= 195 && value <= 255) << "level " << level.level << " byte " << i;
        else
          ASSERT_EQ(value, 0) << "level " << level.level << " byte " << i;
      }
    }
  }
}

TEST(ColorMipTexture, SizeThatIsNoPowerOfTwoStillSamplesLevelZeroPositions) {
  // Size 6 has levels of 6, 3 and 1 texels; level 1 samples x, y = 0, 2, 4 of level 0.
  const std::vector<Level> levels = generate(6, 30);
  ASSERT_EQ(levels.size(), 3u);
  EXPECT_EQ(levels[1].n, 3);
  EXPECT_EQ(levels[2].n, 1);
  for (const Level& level : levels) {
    std::vector<unsigned char> direct(level.texels.size());
    fill_color_mip_level_direct(6, 30, level.level, direct.data());
    EXPECT_EQ(level.texels, direct) << "level " << level.level;
  }
}

TEST(ColorMipTexture, SizeZeroHasNoLevel) {
  EXPECT_TRUE(generate(0, 30).empty());
  EXPECT_TRUE(generate(-4, 30).empty());
}
