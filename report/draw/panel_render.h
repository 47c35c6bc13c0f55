// One panel configuration set up on the real driver, and the textures the report adds.
#pragma once

#include <GL/gl.h>

#include "app/panels.h"
#include "app/scoped_viewport.h"
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

// The render target set up, for the object's lifetime, to draw the plane of `config`, seen in
// `view`, into the width × height pixels at its lower left corner as the test's panel draws it,
// with the plane and the units of `scene`: `picture`, or scene's colour-mipmap texture where none
// is given, on config.unit, its LOD bias config.lod_bias, and `neutral` on the other units in
// use. When it ends, the viewport and the texture's LOD bias are as they were. Needs the GL
// context current, 1 <= config.units <= scene.state.tmu_count and 0 <= config.unit < config.units.
class ConfigurationDrawing {
 public:
  ConfigurationDrawing(const PanelConfig& config, const SceneView& view, int width, int height,
                       const PanelSetup& scene, TextureObject2D& neutral,
                       TextureObject2D* picture = nullptr);
  ~ConfigurationDrawing();
  ConfigurationDrawing(const ConfigurationDrawing&) = delete;
  ConfigurationDrawing& operator=(const ConfigurationDrawing&) = delete;

  // Clears the colour and depth of the whole render target.
  void clear() const;
  // Draws the plane, without text, moved by (shift_x, shift_y) pixels.
  void draw(double shift_x = 0.0, double shift_y = 0.0) const;

 private:
  const PanelConfig config_;
  PanelSetup setup_;  // scene's, with the units, the textures and the view of `config`
  const ScopedViewport saved_viewport_;
  float saved_lod_bias_ = 0.0f;
};
