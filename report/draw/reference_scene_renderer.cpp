// The reference renderer: the formula's pictures of the scene, the window pasted together from
// them, and the formula's own cost on the CPU.
#include "report/draw/reference_scene_renderer.h"

#include <algorithm>
#include <chrono>

#include "image/box_filter.h"
#include "image/color_mip_levels.h"
#include "report/draw/window_panels.h"
#include "report/measure/panel_geometry.h"
#include "scene/scene.h"

namespace {

// The largest side the units' pictures are scaled down to, as a driver's texture limit would.
constexpr int max_picture_side = 4096;

}  // namespace

ReferenceSceneRenderer::ReferenceSceneRenderer(RunTimes& times,
                                               const std::vector<RgbImage>& unit_pictures,
                                               PlantedDefect defect)
    : times_(times), defect_(defect), colour_mip_(color_mip_images(0)) {
  for (const RgbImage& picture : unit_pictures)
    unit_pictures_.emplace_back(mip_chain(scaled_to_power_of_two(picture, max_picture_side)));
}

DriverInfo ReferenceSceneRenderer::driver() const {
  DriverInfo info;
  info.vendor = "Kestrel";
  info.renderer = "reference renderer";
  info.version = "the anisotropic filtering extension's formula, on the CPU";
  info.max_anisotropy = reference_max_anisotropy;
  info.tmu_count = reference_unit_count;
  return info;
}

RgbImage ReferenceSceneRenderer::draw_units(const std::vector<FormulaUnit>& units,
                                            const PanelConfig& config, const SceneView& view,
                                            int width, int height, double shift_x,
                                            double shift_y) const {
  const FormulaDraw draw{units, config, reference_max_anisotropy, defect_};
  return formula_picture(draw, panel_geometry(view, width, height), shift_x, shift_y);
}

RgbImage ReferenceSceneRenderer::test_window() {
  RgbImage window(test_window_width, test_window_height);
  std::vector<PlacedText> texts;
  const SceneView view = start_view(start_zoom);
  for (const WindowPanel& panel : window_panels(reference_unit_count)) {
    std::vector<FormulaUnit> units{{&colour_mip_, 0.0f}};
    for (int unit = 1; unit < panel.config.units; ++unit)
      units.push_back({unit < int(unit_pictures_.size()) ? &unit_pictures_[unit] : nullptr, 0.0f});
    paste(window,
          draw_units(units, panel.config, view, panel.place.width, panel.place.height, 0.0, 0.0),
          panel.place.x, panel.place.y);
    texts.insert(texts.end(), panel.texts.begin(), panel.texts.end());
  }
  return print_over(window, texts);
}

void ReferenceSceneRenderer::set_quality_texture(const RgbImage& level0) {
  quality_ = std::make_unique<FormulaTexture>(mip_chain(level0));
}

RgbImage ReferenceSceneRenderer::measured_draw(const PanelConfig& config, const SceneView& view,
                                               int width, int height, PanelTexture texture,
                                               double shift_x, double shift_y) const {
  // The units not measured carry a white texel, which changes nothing.
  std::vector<FormulaUnit> units(static_cast<std::size_t>(std::max(config.units, config.unit + 1)));
  units[static_cast<std::size_t>(config.unit)] = {
      texture == PanelTexture::quality && quality_ ? quality_.get() : &colour_mip_,
      config.lod_bias};
  return draw_units(units, config, view, width, height, shift_x, shift_y);
}

RgbImage ReferenceSceneRenderer::draw(const PanelConfig& config, const SceneView& view, int width,
                                      int height, PanelTexture texture, double shift_x,
                                      double shift_y) {
  const PhaseTimer timer(times_, &RunTimes::rendering);
  return measured_draw(config, view, width, height, texture, shift_x, shift_y);
}

double ReferenceSceneRenderer::time_draws(const PanelConfig& config, const SceneView& view,
                                          int width, int height, int draws) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < draws; ++i)
    measured_draw(config, view, width, height, PanelTexture::level_colours, 0.0, 0.0);
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

std::string ReferenceSceneRenderer::cost_clock() const {
  return "the CPU's steady clock around the draws";
}
