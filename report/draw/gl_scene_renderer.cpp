// The report's scene drawn through the test's panel code on the current GL context.
#include "report/draw/gl_scene_renderer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <string>

#include "app/plane.h"
#include "app/scoped_viewport.h"
#include "app/test_textures.h"
#include "image/read_pixels.h"
#include "report/draw/panel_render.h"
#include "scene/panel_layout.h"

namespace {

std::string gl_string(GLenum name) {
  const GLubyte* const text = glGetString(name);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

std::string gl_renderer_name() { return gl_string(GL_RENDERER); }

GlSceneRenderer::GlSceneRenderer(RunTimes& times, RenderTarget target, OverlayFont font,
                                 const TestState& state,
                                 const std::vector<RgbImage>& unit_pictures, const SceneView& view)
    : times_(times), target_(target), font_(font) {
  compile_plane(plane_, state.tmu_count);
  make_color_mip_texture(colour_mip_, ColorMipPattern(color_mip_size), 0, state);
  for (std::size_t unit = 0; unit < pictures_.size() && unit < unit_pictures.size(); ++unit)
    make_picture_texture(pictures_[unit], unit_pictures[unit], state);
  build_neutral_texture(neutral_);
  window_.state = state;
  window_.colour_mip = &colour_mip_;
  for (std::size_t unit = 0; unit < pictures_.size(); ++unit)
    window_.pictures[unit] = &pictures_[unit];
  window_.plane = &plane_;
  window_.view = view;
}

DriverInfo GlSceneRenderer::driver() const {
  DriverInfo info;
  info.vendor = gl_string(GL_VENDOR);
  info.renderer = gl_renderer_name();
  info.version = gl_string(GL_VERSION);
  glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &info.max_anisotropy);
  info.tmu_count = window_.state.tmu_count;
  return info;
}

RgbImage GlSceneRenderer::test_window() {
  const ScopedViewport saved;
  glViewport(0, 0, test_window_width, test_window_height);
  draw_panels(font_, window_);
  return read_pixels(target_.buffer, 0, 0, test_window_width, test_window_height);
}

void GlSceneRenderer::set_quality_texture(const RgbImage& level0) {
  build_quality_texture(quality_, level0);
}

RgbImage GlSceneRenderer::draw(const PanelConfig& config, const SceneView& view, int width,
                               int height, PanelTexture texture, double shift_x, double shift_y) {
  {
    const PhaseTimer timer(times_, &RunTimes::rendering);
    const ConfigurationDrawing drawing(config, view, width, height, window_, neutral_,
                                       texture == PanelTexture::quality ? &quality_ : nullptr);
    drawing.clear();
    drawing.draw(shift_x, shift_y);
    // Drawing may run behind the calls: finishing here charges it to rendering, not read-back.
    glFinish();
  }
  const PhaseTimer timer(times_, &RunTimes::read_back);
  return read_pixels(target_.buffer, 0, 0, width, height);
}

double GlSceneRenderer::time_draws(const PanelConfig& config, const SceneView& view, int width,
                                   int height, int draws) {
  const ConfigurationDrawing drawing(config, view, width, height, window_, neutral_);
  drawing.clear();
  // Each draw after the first lies at the same depths as the first: GL_LEQUAL lets it through.
  GLint depth_function = GL_LESS;
  glGetIntegerv(GL_DEPTH_FUNC, &depth_function);
  glDepthFunc(GL_LEQUAL);
  const double milliseconds = timer_.time([&drawing, draws] {
    for (int i = 0; i < draws; ++i) drawing.draw();
  });
  glDepthFunc(static_cast<GLenum>(depth_function));
  return milliseconds;
}

std::string GlSceneRenderer::cost_clock() const { return timer_.clock(); }
