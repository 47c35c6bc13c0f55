// The cost measurement without a driver: its order statistics, and its rounds and stopping rule
// on a planted machine whose speed changes or times are noisy, against known true costs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "report/measure/cost_measurement.h"

namespace {

// Distribution-free: k-th smallest and largest of n, k binomial (n = 6: the extremes cover 96.9 %;
// n = 10: the second, 97.9 %; n = 20: the sixth, 95.9 %); the extremes where no k reaches 95 %.
TEST(CostMeasurement, MedianIntervalsFromOrderStatistics) {
  const auto samples = [](int n) {
    std::vector<double> values;
    for (int i = n; i >= 1; --i) values.push_back(i);  // given unsorted
    return values;
  };
  const struct {
    int n;
    double median, low, high;
  } cases[] = {{1, 1, 1, 1},   {2, 1.5, 1, 2}, {5, 3, 1, 5},      {6, 3.5, 1, 6},
               {10, 5.5, 2, 9}, {20, 10.5, 6, 15}, {30, 15.5, 10, 21}};
  for (const auto& c : cases) {
    const MedianInterval m = median_interval(samples(c.n));
    EXPECT_DOUBLE_EQ(m.median, c.median) << c.n;
    EXPECT_DOUBLE_EQ(m.low, c.low) << c.n;
    EXPECT_DOUBLE_EQ(m.high, c.high) << c.n;
  }
  EXPECT_TRUE(std::isnan(median_interval({}).median));
}

TEST(CostMeasurement, ARatioSettlesWithinFivePercentAfterSixRounds) {
  const struct {
    MedianInterval ratio;
    int rounds;
    bool settled;
  } cases[] = {{{4.0, 3.8, 4.2}, 6, true},   {{4.0, 3.8, 4.2}, 5, false},
               {{4.0, 3.79, 4.2}, 6, false}, {{4.0, 3.8, 4.21}, 6, false},
               {{1.0, 1.0, 1.0}, 6, true},   {{NAN, NAN, NAN}, 6, false}};
  for (const auto& c : cases)
    EXPECT_EQ(ratio_settled(c.ratio, c.rounds), c.settled)
        << c.ratio.low << " " << c.ratio.high << " " << c.rounds;
}

// Configurations of one filter, isotropic first, and of the other with no isotropic one.
const std::vector<PanelConfig> configs = {
    {true, 1.0f, 0, 1}, {true, 2.0f, 0, 1}, {true, 8.0f, 0, 1}, {false, 4.0f, 0, 1}};
// Their true times of one draw, in milliseconds.
const double true_times[] = {0.5, 2.0, 4.5, 3.0};

// A machine that runs every draw at its true time, times `slowdown(call)`, and counts its calls.
struct PlantedMachine {
  std::function<double(int call)> slowdown = [](int) { return 1.0; };
  std::vector<std::size_t> order;  // the configuration of each call
  BatchTimer timer() {
    return [this](std::size_t index, int draws) {
      order.push_back(index);
      return true_times[index] * draws * slowdown(static_cast<int>(order.size()));
    };
  }
};

// Half speed in every other stretch of 7 batches, as a second process would cause: timed one by
// one, configurations in slow stretches would cost double; timed in rounds, each ratio is true.
TEST(CostMeasurement, RoundsCancelTheMachinesChangesOfSpeed) {
  PlantedMachine machine;
  machine.slowdown = [](int call) { return (call / 7) % 2 ? 2.0 : 1.0; };
  CostPlan plan;
  plan.max_rounds = 40;
  const std::vector<DrawCost> costs = measure_costs(configs, plan, machine.timer());
  ASSERT_EQ(costs.size(), configs.size());
  const double true_ratios[] = {1.0, 4.0, 9.0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(costs[i].relative.median, true_ratios[i], 1e-9) << i;
    EXPECT_LE(costs[i].relative.low, true_ratios[i]);
    EXPECT_GE(costs[i].relative.high, true_ratios[i]);
    EXPECT_EQ(costs[i].config.anisotropy, configs[i].anisotropy);
  }
  EXPECT_TRUE(std::isnan(costs[3].relative.median)) << "no isotropic draw of its filter";
  EXPECT_FALSE(costs[3].settled);
}

// Without noise every ratio settles in the fewest rounds: two warm-up draws of each configuration
// size its batch to fill 10 ms, then one batch a round, each round starting one further on.
TEST(CostMeasurement, BatchesAreSizedAndRoundsRotate) {
  PlantedMachine machine;
  const std::vector<DrawCost> costs = measure_costs(configs, CostPlan(), machine.timer());
  const int draws[] = {20, 5, 3, 4};
  for (std::size_t i = 0; i < configs.size(); ++i) {
    EXPECT_EQ(costs[i].draws, draws[i]) << i;
    EXPECT_EQ(costs[i].rounds, min_cost_rounds) << i;
    EXPECT_DOUBLE_EQ(costs[i].milliseconds.median, true_times[i]) << i;
  }
  EXPECT_TRUE(costs[0].settled && costs[1].settled && costs[2].settled);
  const std::size_t warm_up = 2 * configs.size();
  ASSERT_EQ(machine.order.size(), warm_up + min_cost_rounds * configs.size());
  for (int round = 0; round < min_cost_rounds; ++round)
    for (std::size_t k = 0; k < configs.size(); ++k)
      EXPECT_EQ(machine.order[warm_up + round * configs.size() + k], (round + k) % configs.size());
}

// The intervals still hold the true ratios; noise that never settles ends unsettled at the limit.
TEST(CostMeasurement, NoiseTakesMoreRoundsUpToThePlansLimit) {
  const struct {
    double noise;  // the spread of each batch's time, as a share of it
    bool settles;
  } cases[] = {{0.05, true}, {0.6, false}};
  for (const auto& c : cases) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spread(1.0 - c.noise, 1.0 + c.noise);
    PlantedMachine machine;
    machine.slowdown = [&](int) { return spread(random); };
    CostPlan plan;
    plan.max_rounds = 60;
    const std::vector<DrawCost> costs = measure_costs(configs, plan, machine.timer());
    EXPECT_EQ(costs[2].settled, c.settles) << c.noise;
    EXPECT_GT(costs[2].rounds, min_cost_rounds) << c.noise;
    EXPECT_EQ(costs[2].rounds == plan.max_rounds, !c.settles) << c.noise;
    EXPECT_LE(costs[2].relative.low, 9.0) << c.noise;
    EXPECT_GE(costs[2].relative.high, 9.0) << c.noise;
  }
}

// Settled or not, the rounds stop there; a plan of fewer rounds runs them all.
TEST(CostMeasurement, TheBudgetStopsTheRoundsOnceTheFewestHaveRun) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> spread(0.4, 1.6);
  PlantedMachine machine;
  machine.slowdown = [&](int) { return spread(random); };
  CostPlan plan;
  plan.budget_seconds = 0.0;
  EXPECT_EQ(measure_costs(configs, plan, machine.timer())[1].rounds, min_cost_rounds);
  plan.max_rounds = 2;
  const DrawCost two = measure_costs(configs, plan, machine.timer())[1];
  EXPECT_EQ(two.rounds, 2);
  EXPECT_FALSE(two.settled);
}

}  // namespace
