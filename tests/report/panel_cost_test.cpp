// The spread of timed draws and the cost of each configuration against the isotropic draw of
// its filter.
#include "report/draw/panel_cost.h"

#include <gtest/gtest.h>

TEST(PanelCost, SpreadIsTheMedianAndQuartilesOfTheTimes) {
  const TimeSpread odd = time_spread({9.0, 1.0, 5.0, 3.0, 7.0});
  EXPECT_DOUBLE_EQ(odd.median, 5.0);
  EXPECT_DOUBLE_EQ(odd.lower_quartile, 3.0);
  EXPECT_DOUBLE_EQ(odd.upper_quartile, 7.0);
  const TimeSpread even = time_spread({4.0, 1.0, 2.0, 3.0});
  EXPECT_DOUBLE_EQ(even.median, 2.5);
  EXPECT_DOUBLE_EQ(even.lower_quartile, 1.75);
  EXPECT_DOUBLE_EQ(even.upper_quartile, 3.25);
  const TimeSpread one = time_spread({2.0});
  EXPECT_DOUBLE_EQ(one.median, 2.0);
  EXPECT_DOUBLE_EQ(one.upper_quartile, 2.0);
  EXPECT_DOUBLE_EQ(time_spread({}).median, 0.0);
}

TEST(PanelCost, EachCostIsRelatedToTheIsotropicDrawOfItsFilter) {
  const auto cost = [](bool trilinear, float anisotropy, double median) {
    DrawCost c;
    c.config = {trilinear, anisotropy, 0, 1};
    c.milliseconds.median = median;
    return c;
  };
  std::vector<DrawCost> costs = {cost(true, 1.0f, 2.0), cost(true, 8.0f, 5.0),
                                 cost(false, 8.0f, 6.0), cost(false, 1.0f, 3.0)};
  relate_to_isotropic(costs);
  EXPECT_DOUBLE_EQ(costs[0].relative, 1.0);
  EXPECT_DOUBLE_EQ(costs[1].relative, 2.5);
  EXPECT_DOUBLE_EQ(costs[2].relative, 2.0);
  EXPECT_DOUBLE_EQ(costs[3].relative, 1.0);
  // Without an isotropic draw of its filter a cost stays at 1.
  std::vector<DrawCost> alone = {cost(true, 4.0f, 9.0), cost(false, 1.0f, 0.0),
                                 cost(false, 2.0f, 1.0)};
  relate_to_isotropic(alone);
  EXPECT_DOUBLE_EQ(alone[0].relative, 1.0);
  EXPECT_DOUBLE_EQ(alone[2].relative, 1.0);
}
