// The report's scene drawn by the anisotropic filtering extension's own formula on the CPU, with
// no graphics API: the reference every driver is held to, and, with a defect planted in it, the
// proof that each verdict names its defect.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "image/rgb_image.h"
#include "report/measure/formula_filter.h"
#include "report/model/run_times.h"
#include "report/model/scene_renderer.h"

// The highest AF level the reference renderer takes, and the units it draws.
inline constexpr float reference_max_anisotropy = 16.0f;
inline constexpr int reference_unit_count = 4;

class ReferenceSceneRenderer : public SceneRenderer {
 public:
  // Draws the colour-mipmap texture of colour delta 0 and, in test_window, the units' pictures
  // `unit_pictures` (read_unit_pictures) by formula_picture, with `defect` planted (the tests'
  // alone). Adds the time of drawing to times.rendering.
  ReferenceSceneRenderer(RunTimes& times, const std::vector<RgbImage>& unit_pictures,
                         PlantedDefect defect = {});

  // "Kestrel" as vendor, "reference renderer" as renderer, the formula as version,
  // reference_max_anisotropy and reference_unit_count.
  DriverInfo driver() const override;
  // The eight panels as the test shows them, the colour-mipmap texture on unit 0 and the units'
  // pictures modulating it on the others, labelled on the CPU (print_over).
  RgbImage test_window() override;
  void set_quality_texture(const RgbImage& level0) override;
  RgbImage draw(const PanelConfig& config, const SceneView& view, int width, int height,
                PanelTexture texture, double shift_x = 0.0, double shift_y = 0.0) override;
  // The draws on the CPU, each on every core.
  double time_draws(const PanelConfig& config, const SceneView& view, int width, int height,
                    int draws) override;
  // "the CPU's steady clock around the draws".
  std::string cost_clock() const override;

 private:
  // The draw of `config` with `texture` on config.unit, untimed.
  RgbImage measured_draw(const PanelConfig& config, const SceneView& view, int width, int height,
                         PanelTexture texture, double shift_x, double shift_y) const;
  RgbImage draw_units(const std::vector<FormulaUnit>& units, const PanelConfig& config,
                      const SceneView& view, int width, int height, double shift_x,
                      double shift_y) const;

  RunTimes& times_;
  const PlantedDefect defect_;
  const FormulaTexture colour_mip_;
  std::vector<FormulaTexture> unit_pictures_;
  std::unique_ptr<FormulaTexture> quality_;  // set by set_quality_texture
};
