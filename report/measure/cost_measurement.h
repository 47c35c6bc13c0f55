// The cost measurement: every configuration timed in rounds, each round drawing every
// configuration once in an order that rotates from round to round, so that whatever the machine
// does meanwhile falls on all of them alike; each cost ratio taken within its round, and rounds
// added until every ratio's 95 % interval settles or the time budget runs out.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "report/model/draw_cost.h"

// The limits of one cost measurement.
struct CostPlan {
  int max_rounds = 200;
  double budget_seconds = 3.0;      // after which no round starts, once min_cost_rounds have run
  // The shortest batch worth timing: long beside the timer's granularity, and beside what each
  // batch costs on top of its draws (a submission, a wait, a wake-up of the driver's threads),
  // which would otherwise weigh on a batch of few draws more than on one of many.
  double batch_milliseconds = 10.0;
};

// The fewest rounds whose order statistics give a 95 % interval of their median.
inline constexpr int min_cost_rounds = 6;

// Times one batch: `draws` draws of configuration `index` back to back, and gives the batch's
// time in milliseconds.
using BatchTimer = std::function<double(std::size_t index, int draws)>;

// Measures the cost of each of `configs` through `time_batch`. First each configuration is drawn
// once to warm the driver up and once more to size its batch: as many draws as fill
// plan.batch_milliseconds, at least 1. Then rounds run until every ratio has settled, or until
// plan.max_rounds have run, or until plan.budget_seconds have passed since the first round and at
// least min_cost_rounds have run. Gives one DrawCost per
// configuration, in their order.
std::vector<DrawCost> measure_costs(const std::vector<PanelConfig>& configs, const CostPlan& plan,
                                    const BatchTimer& time_batch);

// The median of `samples`, by linear interpolation between the two middle ones where their
// number is even, and the distribution-free 95 % interval around it: the k-th smallest and the
// k-th largest sample, k as large as the binomial distribution allows; below min_cost_rounds
// samples, which allow none, the smallest and the largest. All NaN for no samples.
MedianInterval median_interval(std::vector<double> samples);

// Whether `ratio`, a median of `rounds` rounds, has settled: at least min_cost_rounds, and its
// interval within cost_settle_share of its median on either side.
bool ratio_settled(const MedianInterval& ratio, int rounds);
