// One run of measurements: the panels on one unit, the AF 8 panels on every unit, the panels
// turned by every angle, and the cost of each panel's draw.
#include "report/draw/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/draw/panel_render.h"
#include "report/draw/quality_render.h"
#include "report/measure/plane_turn.h"
#include "report/draw/run_times.h"

namespace {

PanelMeasurement measure(const PanelConfig& config, int width, int height,
                         TextureObject2D& neutral) {
  std::fprintf(stderr, "kestrel-report: measuring %s on unit %d of %d\n",
               configuration_label(config).c_str(), config.unit, config.units);
  return measure_configuration(config, width, height, neutral);
}

// The configurations of the panels: both filters at each level, trilinear first.
std::vector<PanelConfig> panel_configs(const std::vector<float>& levels, float lod_bias) {
  std::vector<PanelConfig> configs;
  for (const bool trilinear : {true, false})
    for (const float level : levels) configs.push_back({trilinear, level, 0, 1, lod_bias});
  return configs;
}

std::vector<UnitMeasurement> measure_units(int units, float lod_bias, int width, int height,
                                           TextureObject2D& neutral) {
  std::vector<UnitMeasurement> measured;
  for (int unit = 0; unit < units; ++unit) {
    UnitMeasurement m;
    m.unit = unit;
    m.trilinear = measure({true, unit_anisotropy, unit, units, lod_bias}, width, height, neutral);
    m.bilinear = measure({false, unit_anisotropy, unit, units, lod_bias}, width, height, neutral);
    if (unit > 0) {
      const UnitMeasurement& first = measured.front();
      m.trilinear_difference = mean_level_difference(m.trilinear, first.trilinear);
      m.bilinear_difference = mean_level_difference(m.bilinear, first.bilinear);
      m.matches_unit_0 =
          m.trilinear_difference <= level_tolerance && m.bilinear_difference <= level_tolerance;
    }
    measured.push_back(std::move(m));
  }
  return measured;
}

std::vector<AngleSweep> sweep_angles(const std::vector<PanelConfig>& configs,
                                     const std::vector<double>& angles, int width, int height,
                                     TextureObject2D& neutral) {
  std::vector<AngleSweep> sweeps;
  for (const PanelConfig& config : configs) sweeps.push_back({config, {}});
  for (const double degrees : angles) {
    std::fprintf(stderr, "kestrel-report: measuring the panels turned by %g degrees\n", degrees);
    const PlaneTurn turn(degrees);
    const TurnDisc disc = turn_disc(test_panel_geometry(width, height));
    for (std::size_t i = 0; i < configs.size(); ++i) {
      const PanelMeasurement m = measure_configuration(configs[i], width, height, neutral);
      sweeps[i].samples.push_back(angle_sample(degrees, m, disc));
    }
  }
  return sweeps;
}

std::vector<DrawCost> time_configurations(const std::vector<PanelConfig>& configs, int repeats,
                                          int width, int height, TextureObject2D& neutral) {
  const PhaseTimer timer(&RunTimes::cost);
  std::vector<DrawCost> costs;
  for (const PanelConfig& config : configs) {
    std::fprintf(stderr, "kestrel-report: timing %s, %d draws\n",
                 configuration_label(config).c_str(), repeats);
    costs.push_back(time_configuration(config, width, height, neutral, repeats));
  }
  relate_to_isotropic(costs);
  return costs;
}

}  // namespace

std::vector<float> anisotropy_levels(const std::vector<float>& asked, float max_anisotropy) {
  std::vector<float> levels = asked;
  if (levels.empty()) {
    levels = {1.0f, 2.0f, 4.0f, 8.0f};
    if (max_anisotropy > 8.0f) levels.push_back(max_anisotropy);
  }
  levels.push_back(1.0f);
  for (float& level : levels) level = std::min(level, std::max(max_anisotropy, 1.0f));
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  return levels;
}

double mean_level_difference(const PanelMeasurement& a, const PanelMeasurement& b) {
  double sum = 0.0;
  int count = 0;
  for (const QuadLevels& quad : a.quads) {
    if (!quad.decisive || quad.x + 1 >= b.levels.width() || quad.y + 1 >= b.levels.height() ||
        !b.levels.quad_resolved(quad.x, quad.y))
      continue;
    sum += std::fabs(quad.measured - b.levels.quad_level(quad.x, quad.y));
    ++count;
  }
  return count > 0 ? sum / count : 0.0;
}

Report measure_report(const MeasureSettings& options, int width, int height,
                      const RgbImage& quality_picture) {
  Report report;
  report.driver = query_driver_info();
  report.panel_width = width;
  report.panel_height = height;
  report.lod_bias = options.lod_bias;
  report.angles = options.angles;
  report.anisotropy_levels = anisotropy_levels(options.anisotropy, report.driver.max_anisotropy);
  for (const float level : options.anisotropy)
    if (level > report.driver.max_anisotropy)
      std::fprintf(stderr,
                   "kestrel-report: AF level %g is above the driver's maximum, measured as %g\n",
                   double(level), double(report.driver.max_anisotropy));
  TextureObject2D neutral;
  build_neutral_texture(neutral);
  const std::vector<PanelConfig> configs =
      panel_configs(report.anisotropy_levels, options.lod_bias);
  for (const PanelConfig& config : configs)
    report.panels.push_back(measure(config, width, height, neutral));
  report.units = measure_units(report.driver.tmu_count, options.lod_bias, width, height, neutral);
  report.disc = turn_disc(test_panel_geometry(width, height));
  report.angle_sweeps = sweep_angles(configs, options.angles, width, height, neutral);
  report.quality =
      measure_quality(configs, quality_picture,
                      options.texture.empty() ? "generated test texture" : options.texture, width,
                      height, neutral);
  report.costs = time_configurations(configs, options.repeats, width, height, neutral);
  return report;
}
