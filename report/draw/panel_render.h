// One panel configuration set up on the real driver, and the textures the report adds.
#pragma once

#include <GL/gl.h>

#include "app/scoped_viewport.h"
#include "app/test_state.h"
#include "image/rgb_image.h"
#include "image/texture_object.h"
#include "interact/pose.h"
#include "scene/panel_config.h"

// Defines `texture` as one white texel: what the units other than the measured one carry, so
// that modulation leaves the measured unit's colours as they are. Needs the GL context current.
void build_neutral_texture(TextureObject2D& texture);

// Defines `texture` as `level0`, whose sides must be powers of two, with the mipmap chain the box
// filter makes of it (mip_chain), so that the driver's own mipmap generation plays no part.
// Needs the GL context current.
void build_quality_texture(TextureObject2D& texture, const RgbImage& level0);

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

