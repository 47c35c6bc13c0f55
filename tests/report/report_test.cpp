// The AF levels a report measures: the defaults on drivers of different maxima, levels asked for
// beyond what the driver takes, and the isotropic panels that every comparison needs.
#include "report/draw/report.h"

#include <gtest/gtest.h>

#include <string>

#include "report/output/text_format.h"

TEST(Report, DefaultLevelsAddTheAdvertisedMaximumAboveEight) {
  using Levels = std::vector<float>;
  EXPECT_EQ(anisotropy_levels({}, 16.0f), (Levels{1, 2, 4, 8, 16}));
  EXPECT_EQ(anisotropy_levels({}, 12.0f), (Levels{1, 2, 4, 8, 12}));
  EXPECT_EQ(anisotropy_levels({}, 8.0f), (Levels{1, 2, 4, 8}));
  EXPECT_EQ(anisotropy_levels({}, 4.0f), (Levels{1, 2, 4}));
}

TEST(Report, AskedLevelsAreTakenAsTheDriverTakesThemWithIsotropicAdded) {
  using Levels = std::vector<float>;
  EXPECT_EQ(anisotropy_levels({16, 2}, 16.0f), (Levels{1, 2, 16}));
  EXPECT_EQ(anisotropy_levels({32, 16, 3}, 16.0f), (Levels{1, 3, 16}));
  EXPECT_EQ(anisotropy_levels({1}, 16.0f), (Levels{1}));
  EXPECT_EQ(anisotropy_levels({4}, 1.0f), (Levels{1}));
}

TEST(FormatText, LongTextIsNeverCut) {
  const std::string long_name(5000, 'n');
  const std::string text = format_text("[%s] %d", long_name.c_str(), 42);
  EXPECT_EQ(text.size(), 5000u + 5u);
  EXPECT_EQ(text.substr(text.size() - 4), "] 42");
  EXPECT_EQ(format_text("%s", ""), "");
}
