// Drawing one panel configuration on the real driver and reading it back for measurement.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "app/scoped_viewport.h"
#include "app/test_state.h"
#include "image/texture_object.h"
#include "report/measure/panel_measurement.h"

// Defines `texture` as one white texel: what the units other than the measured one carry, so
// that modulation leaves the measured unit's colours as they are. Needs the GL context current.
void build_neutral_texture(TextureObject2D& texture);

// The test set up, for the object's lifetime, to draw the plane of `config`, seen in `view`,
// into the width × height pixels at the lower left corner of the render target as the test's
// panel draws it, with `picture`, or the colour-mipmap texture of colour delta 0 when none is
// given, on config.unit, its LOD bias config.lod_bias, and `neutral` on the other units in use,
// without changing test_state. When it ends, the viewport and the texture's LOD bias are as they
// were. Needs the test started (start_test) and 1 <= config.units <= test_state.tmu_count,
// 0 <= config.unit < config.units.
class ConfigurationDrawing {
 public:
  ConfigurationDrawing(const PanelConfig& config, const SceneView& view, int width, int height,
                       TextureObject2D& neutral, TextureObject2D* picture = nullptr);
  ~ConfigurationDrawing();
  ConfigurationDrawing(const ConfigurationDrawing&) = delete;
  ConfigurationDrawing& operator=(const ConfigurationDrawing&) = delete;

  // Clears the colour and depth of the whole render target.
  void clear() const;
  // Draws the plane, without text, moved by (shift_x, shift_y) pixels.
  void draw(double shift_x = 0.0, double shift_y = 0.0) const;

 private:
  const PanelConfig config_;
  const SceneView view_;
  TextureObject2D& neutral_;
  TextureObject2D& picture_;
  TestState state_;  // the test's settings with the units and texture of `config`
  const ScopedViewport saved_viewport_;
  float saved_lod_bias_ = 0.0f;
};

// Clears, draws the plane of `config` alone (ConfigurationDrawing, with `picture` when given,
// moved by (shift_x, shift_y) pixels) and reads it back.
RgbImage render_configuration(const PanelConfig& config, const SceneView& view, int width,
                              int height, TextureObject2D& neutral,
                              TextureObject2D* picture = nullptr, double shift_x = 0.0,
                              double shift_y = 0.0);

// Draws each of `configs` seen in `view` one after the other (render_configuration), announcing
// each on standard error first when `announce` is set, then measures their pixels
// (measure_pixels with the panel geometry of `view`) on every core. In the order of `configs`.
std::vector<PanelMeasurement> measure_configurations(const std::vector<PanelConfig>& configs,
                                                     const SceneView& view, int width,
                                                     int height, TextureObject2D& neutral,
                                                     bool announce = false);
