// One run of measurements: the panels on one unit, the AF 8 panels on every unit, the panels
// turned by every angle, and the cost of each panel's draw.
#include "report/draw/report.h"

#include <cstdio>

#include "interact/navigators.h"
#include "report/draw/driver_info.h"
#include "report/draw/panel_cost.h"
#include "report/draw/panel_render.h"
#include "report/draw/quality_render.h"
#include "report/draw/run_times.h"
#include "report/measure/angle_sweep.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/plane_turn.h"

namespace {

// The configurations of the panels: both filters at each level, trilinear first.
std::vector<PanelConfig> panel_configs(const std::vector<float>& levels, float lod_bias) {
  std::vector<PanelConfig> configs;
  for (const bool trilinear : {true, false})
    for (const float level : levels) configs.push_back({trilinear, level, 0, 1, lod_bias});
  return configs;
}

std::vector<UnitMeasurement> measure_units(int units, float lod_bias, const SceneView& view,
                                           int width, int height, TextureObject2D& neutral) {
  std::vector<PanelConfig> configs;
  for (int unit = 0; unit < units; ++unit)
    for (const bool trilinear : {true, false})
      configs.push_back({trilinear, unit_anisotropy, unit, units, lod_bias});
  std::vector<PanelMeasurement> panels =
      measure_configurations(configs, view, width, height, neutral, true);
  std::vector<UnitMeasurement> measured;
  for (int unit = 0; unit < units; ++unit) {
    UnitMeasurement m;
    m.unit = unit;
    m.trilinear = std::move(panels[2 * unit]);
    m.bilinear = std::move(panels[2 * unit + 1]);
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
                                     const SceneView& view, const std::vector<double>& angles,
                                     int width, int height, TextureObject2D& neutral) {
  std::vector<AngleSweep> sweeps;
  for (const PanelConfig& config : configs) sweeps.push_back({config, {}});
  for (const double degrees : angles) {
    std::fprintf(stderr, "kestrel-report: measuring the panels turned by %g degrees\n", degrees);
    const SceneView turned = turned_view(view, degrees);
    const TurnDisc disc = turn_disc(panel_geometry(turned, width, height));
    const std::vector<PanelMeasurement> measured =
        measure_configurations(configs, turned, width, height, neutral);
    for (std::size_t i = 0; i < configs.size(); ++i)
      sweeps[i].samples.push_back(angle_sample(degrees, measured[i], disc));
  }
  return sweeps;
}

std::vector<DrawCost> time_configurations(const std::vector<PanelConfig>& configs,
                                          const SceneView& view, int repeats, int width,
                                          int height, TextureObject2D& neutral) {
  const PhaseTimer timer(&RunTimes::cost);
  std::vector<DrawCost> costs;
  for (const PanelConfig& config : configs) {
    std::fprintf(stderr, "kestrel-report: timing %s, %d draws\n",
                 configuration_label(config).c_str(), repeats);
    costs.push_back(time_configuration(config, view, width, height, neutral, repeats));
  }
  relate_to_isotropic(costs);
  return costs;
}

}  // namespace

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
  const SceneView view = navigators_view();
  TextureObject2D neutral;
  build_neutral_texture(neutral);
  const std::vector<PanelConfig> configs =
      panel_configs(report.anisotropy_levels, options.lod_bias);
  report.panels = measure_configurations(configs, view, width, height, neutral, true);
  report.units =
      measure_units(report.driver.tmu_count, options.lod_bias, view, width, height, neutral);
  report.disc = turn_disc(panel_geometry(view, width, height));
  report.angle_sweeps = sweep_angles(configs, view, options.angles, width, height, neutral);
  report.quality =
      measure_quality(configs, view, quality_picture,
                      options.texture.empty() ? "generated test texture" : options.texture, width,
                      height, neutral);
  report.costs = time_configurations(configs, view, options.repeats, width, height, neutral);
  return report;
}
