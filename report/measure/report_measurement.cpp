// The measurements of a run, drawn through the renderer one batch at a time and analysed on
// every core.
#include "report/measure/report_measurement.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "image/box_filter.h"
#include "report/measure/angle_sweep.h"
#include "report/measure/cost_measurement.h"
#include "report/measure/formula_filter.h"
#include "report/measure/image_quality.h"
#include "report/measure/panel_geometry.h"
#include "report/measure/panel_measurement.h"
#include "report/measure/panel_statistics.h"
#include "report/measure/parallel_for.h"
#include "report/measure/plane_turn.h"
#include "scene/scene.h"

namespace {

// The configurations of the panels: both filters at each level, trilinear first.
std::vector<PanelConfig> panel_configs(const std::vector<float>& levels, float lod_bias) {
  std::vector<PanelConfig> configs;
  for (const bool trilinear : {true, false})
    for (const float level : levels) configs.push_back({trilinear, level, 0, 1, lod_bias});
  return configs;
}

std::vector<UnitMeasurement> measure_units(SceneRenderer& renderer, int units, float lod_bias,
                                           const SceneView& view, int width, int height,
                                           RunTimes& times, bool announce) {
  std::vector<PanelConfig> configs;
  for (int unit = 0; unit < units; ++unit)
    for (const bool trilinear : {true, false})
      configs.push_back({trilinear, unit_anisotropy, unit, units, lod_bias});
  std::vector<PanelMeasurement> panels =
      measure_configurations(renderer, configs, view, width, height, times, announce);
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

std::vector<AngleSweep> sweep_angles(SceneRenderer& renderer,
                                     const std::vector<PanelConfig>& configs,
                                     const SceneView& view, const std::vector<double>& angles,
                                     int width, int height, RunTimes& times, bool announce) {
  std::vector<AngleSweep> sweeps;
  for (const PanelConfig& config : configs) sweeps.push_back({config, {}});
  for (const double degrees : angles) {
    if (announce)
      std::fprintf(stderr, "kestrel-report: measuring the panels turned by %g degrees\n",
                   degrees);
    const SceneView turned = turned_view(view, degrees);
    const TurnDisc disc = turn_disc(panel_geometry(turned, width, height));
    const std::vector<PanelMeasurement> measured =
        measure_configurations(renderer, configs, turned, width, height, times);
    for (std::size_t i = 0; i < configs.size(); ++i)
      sweeps[i].samples.push_back(angle_sample(degrees, measured[i], disc));
  }
  return sweeps;
}

// The formula's pictures of `config` at the offsets of `ideal`, counted where the ideal pictures
// hold, so that both judges weigh the same pixels. One thread: the panels share the cores.
std::vector<IdealPicture> formula_pictures(const FormulaTexture& texture, const PanelConfig& config,
                                           const std::vector<IdealPicture>& ideal,
                                           const PanelGeometry& geometry, OffsetStep step) {
  FormulaDraw draw;
  draw.units = {{&texture, config.lod_bias}};
  draw.config = config;
  std::vector<IdealPicture> pictures;
  for (std::size_t k = 0; k < ideal.size(); ++k) {
    IdealPicture formula;
    formula.picture = float_picture(formula_picture(draw, geometry, double(k) * step.x,
                                                    double(k) * step.y, 1));
    formula.valid = ideal[k].valid;
    formula.eye_depth = ideal[k].eye_depth;
    pictures.push_back(std::move(formula));
  }
  return pictures;
}

// Draws each of `configs` with `picture` at quality_offsets sub-pixel offsets and compares them
// with the ideal pictures of the same offsets, computed once and shared by every configuration.
QualityReport measure_quality(SceneRenderer& renderer, const std::vector<PanelConfig>& configs,
                              const SceneView& view, const RgbImage& picture,
                              const std::string& name, int width, int height, RunTimes& times,
                              bool announce) {
  QualityReport quality;
  quality.texture = name;
  quality.texture_width = picture.width();
  quality.texture_height = picture.height();
  quality.offsets = quality_offsets;
  if (announce)
    std::fprintf(stderr,
                 "kestrel-report: measuring the image quality against the ideal filter, %d "
                 "offsets\n",
                 quality_offsets);
  const PanelGeometry geometry = panel_geometry(view, width, height);
  const OffsetStep step = flicker_step(geometry, quality_offsets);
  quality.step_x = step.x;
  quality.step_y = step.y;
  const auto start = std::chrono::steady_clock::now();
  const float lod_bias = configs.empty() ? 0.0f : configs.front().lod_bias;
  std::vector<IdealPicture> ideal =
      ideal_pictures(EwaTexture(picture), geometry, lod_bias, quality_offsets, step);
  for (const IdealPicture& offset : ideal) quality.taps += offset.taps;
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  quality.reference_seconds = seconds.count();
  times.reference += quality.reference_seconds;
  renderer.set_quality_texture(picture);
  // Drawn one after the other, compared on every core.
  std::vector<std::vector<RgbImage>> drawn(configs.size());
  for (std::size_t i = 0; i < configs.size(); ++i)
    for (int k = 0; k < quality_offsets; ++k)
      drawn[i].push_back(renderer.draw(configs[i], view, width, height, PanelTexture::quality,
                                       k * step.x, k * step.y));
  const PhaseTimer timer(times, &RunTimes::analysis);
  const FormulaTexture formula_texture(mip_chain(picture));
  quality.panels.resize(configs.size());
  parallel_for(static_cast<int>(configs.size()), [&](int i) {
    std::vector<FloatPicture> driver;
    for (const RgbImage& offset : drawn[i]) driver.push_back(float_picture(offset));
    quality.panels[i] = compare_with_ideal(configs[i], ideal, driver);
    quality.panels[i].formula =
        compare_with_ideal(configs[i], formula_pictures(formula_texture, configs[i], ideal,
                                                        geometry, step),
                           driver)
            .figures;
  });
  quality.ideal = std::move(ideal.front());
  return quality;
}

std::vector<DrawCost> time_configurations(SceneRenderer& renderer,
                                          const std::vector<PanelConfig>& configs,
                                          const SceneView& view, int max_rounds, int width,
                                          int height, RunTimes& times, bool announce) {
  const PhaseTimer timer(times, &RunTimes::cost);
  if (announce)
    std::fprintf(stderr, "kestrel-report: timing the %zu configurations in rounds, %d at most\n",
                 configs.size(), max_rounds);
  CostPlan plan;
  plan.max_rounds = max_rounds;
  return measure_costs(configs, plan, [&](std::size_t index, int draws) {
    return renderer.time_draws(configs[index], view, width, height, draws);
  });
}

}  // namespace

std::vector<PanelMeasurement> measure_configurations(SceneRenderer& renderer,
                                                     const std::vector<PanelConfig>& configs,
                                                     const SceneView& view, int width,
                                                     int height, RunTimes& times,
                                                     bool announce) {
  std::vector<RgbImage> pixels;
  for (const PanelConfig& config : configs) {
    if (announce)
      std::fprintf(stderr, "kestrel-report: measuring %s on unit %d of %d\n",
                   configuration_label(config).c_str(), config.unit, config.units);
    pixels.push_back(renderer.draw(config, view, width, height, PanelTexture::level_colours));
  }
  const PhaseTimer timer(times, &RunTimes::analysis);
  const PanelGeometry geometry = panel_geometry(view, width, height);
  std::vector<PanelMeasurement> measured(configs.size());
  parallel_for(static_cast<int>(configs.size()), [&](int i) {
    measured[i] = measure_pixels(configs[i], pixels[i], geometry, color_mip_max_level());
  });
  return measured;
}

Report measure_report(SceneRenderer& renderer, const MeasureSettings& options,
                      const SceneView& view, int width, int height,
                      const RgbImage& quality_picture, RunTimes& times) {
  Report report;
  report.driver = renderer.driver();
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
  const std::vector<PanelConfig> configs =
      panel_configs(report.anisotropy_levels, options.lod_bias);
  const bool announce = !options.quiet;
  report.panels =
      measure_configurations(renderer, configs, view, width, height, times, announce);
  report.units = measure_units(renderer, report.driver.tmu_count, options.lod_bias, view, width,
                               height, times, announce);
  report.disc = turn_disc(panel_geometry(view, width, height));
  report.angle_sweeps = sweep_angles(renderer, configs, view, options.angles, width, height,
                                     times, announce);
  report.quality = measure_quality(
      renderer, configs, view, quality_picture,
      options.texture.empty() ? "generated test texture" : options.texture, width, height, times,
      announce);
  report.costs = time_configurations(renderer, configs, view, options.repeats, width, height,
                                     times, announce);
  report.cost_clock = renderer.cost_clock();
  return report;
}
