// The report's scene on an OpenGL driver: the test's own panel code drawing into the report's
// render target, read back and timed.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/overlay_text.h"
#include "app/panels.h"
#include "app/test_state.h"
#include "image/display_list.h"
#include "image/rgb_image.h"
#include "image/texture_object.h"
#include "image/unit_pictures.h"
#include "report/draw/gl_timer.h"
#include "report/draw/render_target.h"
#include "report/model/run_times.h"
#include "report/model/scene_renderer.h"

// GL_RENDERER of the current GL context.
std::string gl_renderer_name();

class GlSceneRenderer : public SceneRenderer {
 public:
  // Draws into `target` and reads back from it, adding the time of drawing to times.rendering and
  // of reading back to times.read_back, with objects of its own made as the test makes them under
  // `state` (its units, "-tc", "-noaftrick"): the plane, the colour-mipmap texture of colour
  // delta 0 and the units' pictures `unit_pictures` (read_unit_pictures). Labels the test's
  // window, seen in `view`, in `font` (GLUT's where the test's window exists, the captured one
  // without). Needs the GL context current and set up as the test sets it up (set_up_gl_state)
  // for the object's lifetime.
  GlSceneRenderer(RunTimes& times, RenderTarget target, OverlayFont font, const TestState& state,
                  const std::vector<RgbImage>& unit_pictures, const SceneView& view);
  GlSceneRenderer(const GlSceneRenderer&) = delete;
  GlSceneRenderer& operator=(const GlSceneRenderer&) = delete;

  // GL_VENDOR, GL_RENDERER, GL_VERSION, GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, and the units of
  // `state`.
  DriverInfo driver() const override;
  // draw_panels over the test window's size at the lower left corner of the target.
  RgbImage test_window() override;
  void set_quality_texture(const RgbImage& level0) override;
  // Drawn as ConfigurationDrawing draws, up to a glFinish, then read back with glReadPixels.
  RgbImage draw(const PanelConfig& config, const SceneView& view, int width, int height,
                PanelTexture texture, double shift_x = 0.0, double shift_y = 0.0) override;
  // The draws go into the render target through ConfigurationDrawing, timed by GlTimer.
  double time_draws(const PanelConfig& config, const SceneView& view, int width, int height,
                    int draws) override;
  std::string cost_clock() const override;

 private:
  RunTimes& times_;
  const RenderTarget target_;
  const OverlayFont font_;
  DisplayList plane_;
  TextureObject2D colour_mip_;                              // of colour delta 0
  std::array<TextureObject2D, unit_picture_count> pictures_;  // the units' own
  TextureObject2D neutral_;  // one white texel, on the units not measured
  TextureObject2D quality_;  // the picture of set_quality_texture, with its mipmap chain
  PanelSetup window_;        // the test's window as it starts, on the objects above
  GlTimer timer_;
};
