// One panel configuration drawn through the test's own panel code and read back.
#include "report/draw/panel_render.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/panels.h"
#include "app/test_objects.h"
#include "image/read_pixels.h"
#include "image/upload_image.h"
#include "report/draw/render_target.h"
#include "report/draw/run_times.h"
#include "report/measure/parallel_for.h"

namespace {

// The colour-mipmap texture of colour delta 0, the one the report measures with.
TextureObject2D& measured_texture() { return test_textures[first_color_mip_slot]; }

// Sets the LOD bias of `texture` and returns the one it had, leaving the binding of the active
// unit as it was.
float exchange_lod_bias(TextureObject2D& texture, float bias) {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  texture.bind();
  GLfloat previous = 0.0f;
  glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, &previous);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, bias);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  return previous;
}

}  // namespace

void build_neutral_texture(TextureObject2D& texture) {
  RgbImage white(1, 1);
  white.texel(0, 0) = {255, 255, 255};
  texture.bind();
  upload_image(white, false);
  glBindTexture(texture.target(), 0);
}

ConfigurationDrawing::ConfigurationDrawing(const PanelConfig& config, const SceneView& view,
                                           int width, int height, TextureObject2D& neutral,
                                           TextureObject2D* picture)
    : config_(config),
      view_(view),
      neutral_(neutral),
      picture_(picture ? *picture : measured_texture()),
      state_(test_state) {
  state_.tmu_count = config.units;
  state_.current_tmu = config.unit;
  state_.threshold_index = 0;  // colour delta 0: flat level colours
  glViewport(0, 0, width, height);
  saved_lod_bias_ = exchange_lod_bias(picture_, config.lod_bias);
}

ConfigurationDrawing::~ConfigurationDrawing() {
  exchange_lod_bias(picture_, saved_lod_bias_);
}

void ConfigurationDrawing::clear() const { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void ConfigurationDrawing::draw(double shift_x, double shift_y) const {
  draw_panel(config_.anisotropy, config_.trilinear, {&state_, &picture_, &neutral_, &view_, shift_x, shift_y});
}

RgbImage render_configuration(const PanelConfig& config, const SceneView& view, int width,
                              int height, TextureObject2D& neutral, TextureObject2D* picture,
                              double shift_x, double shift_y) {
  {
    const PhaseTimer timer(&RunTimes::rendering);
    const ConfigurationDrawing drawing(config, view, width, height, neutral, picture);
    drawing.clear();
    drawing.draw(shift_x, shift_y);
    // Drawing may run behind the calls: finishing here charges it to rendering, not read-back.
    glFinish();
  }
  const PhaseTimer timer(&RunTimes::read_back);
  return read_pixels(render_target.buffer, 0, 0, width, height);
}

std::vector<PanelMeasurement> measure_configurations(const std::vector<PanelConfig>& configs,
                                                     const SceneView& view, int width,
                                                     int height, TextureObject2D& neutral,
                                                     bool announce) {
  std::vector<RgbImage> pixels;
  for (const PanelConfig& config : configs) {
    if (announce)
      std::fprintf(stderr, "kestrel-report: measuring %s on unit %d of %d\n",
                   configuration_label(config).c_str(), config.unit, config.units);
    pixels.push_back(render_configuration(config, view, width, height, neutral));
  }
  const PhaseTimer timer(&RunTimes::analysis);
  const PanelGeometry geometry = panel_geometry(view, width, height);
  std::vector<PanelMeasurement> measured(configs.size());
  parallel_for(static_cast<int>(configs.size()), [&](int i) {
    measured[i] = measure_pixels(configs[i], pixels[i], geometry, color_mip_max_level());
  });
  return measured;
}
