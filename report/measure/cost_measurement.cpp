// Interleaved rounds of timed batches, and the medians and intervals taken from them.
#include "report/measure/cost_measurement.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

// The index in n sorted samples of the interval's lower end: the largest k for which the k-th
// and the (n - 1 - k)-th sample (from 0) hold the median with a probability of at least 95 %,
// that is 2 P(B <= k) <= 0.05 for B binomial with n trials of one half; 0 where no k does.
std::size_t interval_rank(int n) {
  double probability = std::exp(-n * std::log(2.0));  // P(B = 0)
  double below = 0.0;                                 // P(B <= k - 1)
  int k = 0;
  for (; k < n; ++k) {
    below += probability;
    if (2.0 * below > 0.05) break;
    probability *= static_cast<double>(n - k) / (k + 1);
  }
  return static_cast<std::size_t>(std::max(k - 1, 0));
}

// The index of the isotropic configuration of each configuration's filter; configs.size() where
// there is none.
std::vector<std::size_t> isotropic_partners(const std::vector<PanelConfig>& configs) {
  std::vector<std::size_t> partner(configs.size(), configs.size());
  for (std::size_t i = 0; i < configs.size(); ++i)
    for (std::size_t j = 0; j < configs.size(); ++j)
      if (configs[j].anisotropy == 1.0f && configs[j].trilinear == configs[i].trilinear)
        partner[i] = j;
  return partner;
}

// The draws that fill the plan's batch for a draw of `milliseconds`, at least 1.
int batch_draws(double milliseconds, const CostPlan& plan) {
  const double draws = std::ceil(plan.batch_milliseconds / std::max(milliseconds, 1e-3));
  return static_cast<int>(std::clamp(draws, 1.0, 1000.0));
}

}  // namespace

MedianInterval median_interval(std::vector<double> samples) {
  if (samples.empty()) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan, nan};
  }
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size(), k = interval_rank(static_cast<int>(n));
  return {0.5 * (samples[(n - 1) / 2] + samples[n / 2]), samples[k], samples[n - 1 - k]};
}

bool ratio_settled(const MedianInterval& ratio, int rounds) {
  return rounds >= min_cost_rounds && ratio.low >= (1.0 - cost_settle_share) * ratio.median &&
         ratio.high <= (1.0 + cost_settle_share) * ratio.median;
}

std::vector<DrawCost> measure_costs(const std::vector<PanelConfig>& configs, const CostPlan& plan,
                                    const BatchTimer& time_batch) {
  const std::size_t n = configs.size();
  const std::vector<std::size_t> partner = isotropic_partners(configs);
  std::vector<DrawCost> costs(n);
  for (std::size_t i = 0; i < n; ++i) {
    time_batch(i, 1);
    costs[i].config = configs[i];
    costs[i].draws = batch_draws(time_batch(i, 1), plan);
  }
  std::vector<std::vector<double>> times(n), ratios(n);
  std::vector<double> now(n);
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < plan.max_rounds; ++round) {
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t i = (static_cast<std::size_t>(round) + k) % n;
      now[i] = time_batch(i, costs[i].draws) / costs[i].draws;
    }
    bool settled = true;
    for (std::size_t i = 0; i < n; ++i) {
      DrawCost& cost = costs[i];
      times[i].push_back(now[i]);
      if (partner[i] < n) ratios[i].push_back(now[i] / now[partner[i]]);
      cost.relative = median_interval(ratios[i]);
      cost.settled = ratio_settled(cost.relative, round + 1);
      settled = settled && (cost.settled || partner[i] == n);
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    if (round + 1 >= min_cost_rounds && (settled || spent.count() >= plan.budget_seconds)) break;
  }
  for (std::size_t i = 0; i < n; ++i) {
    costs[i].rounds = static_cast<int>(times[i].size());
    costs[i].milliseconds = median_interval(times[i]);
  }
  return costs;
}
