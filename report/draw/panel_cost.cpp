// Timing the draw of a panel configuration, and the spread of the times.
#include "report/draw/panel_cost.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "report/draw/panel_render.h"

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

DrawCost time_configuration(const PanelConfig& config, const SceneView& view, int width,
                            int height, TextureObject2D& neutral, int repetitions) {
  const ConfigurationDrawing drawing(config, view, width, height, neutral);
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(repetitions));
  for (int i = -1; i < repetitions; ++i) {
    drawing.clear();
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    drawing.draw();
    glFinish();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    if (i >= 0) times.push_back(elapsed.count());
  }
  DrawCost cost;
  cost.config = config;
  cost.repetitions = repetitions;
  cost.milliseconds = time_spread(std::move(times));
  return cost;
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
