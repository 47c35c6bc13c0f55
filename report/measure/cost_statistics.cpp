// Medians and quartiles of draw times, and costs relative to the isotropic draws.
#include "report/measure/cost_statistics.h"

#include <algorithm>
#include <cmath>

namespace {

// The value at fractional rank `at` (0 .. size - 1) of the sorted `values`.
double at_rank(const std::vector<double>& values, double at) {
  const std::size_t below = static_cast<std::size_t>(std::floor(at));
  const std::size_t above = std::min(below + 1, values.size() - 1);
  const double f = at - static_cast<double>(below);
  return values[below] + f * (values[above] - values[below]);
}

}  // namespace

TimeSpread time_spread(std::vector<double> times) {
  if (times.empty()) return {};
  std::sort(times.begin(), times.end());
  const double last = static_cast<double>(times.size() - 1);
  return {at_rank(times, 0.5 * last), at_rank(times, 0.25 * last), at_rank(times, 0.75 * last)};
}

void relate_to_isotropic(std::vector<DrawCost>& costs) {
  for (DrawCost& cost : costs) {
    cost.relative = 1.0;
    for (const DrawCost& isotropic : costs)
      if (isotropic.config.trilinear == cost.config.trilinear &&
          isotropic.config.anisotropy == 1.0f && isotropic.milliseconds.median > 0.0)
        cost.relative = cost.milliseconds.median / isotropic.milliseconds.median;
  }
}

DrawCost timed_draws(const PanelConfig& config, int repetitions,
                     const std::function<double()>& draw_once) {
  draw_once();
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(std::max(repetitions, 0)));
  for (int i = 0; i < repetitions; ++i) times.push_back(draw_once());
  DrawCost cost;
  cost.config = config;
  cost.repetitions = repetitions;
  cost.milliseconds = time_spread(std::move(times));
  return cost;
}
