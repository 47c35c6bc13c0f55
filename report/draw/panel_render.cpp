// One panel configuration set up through the test's own panel code.
#include "report/draw/panel_render.h"

#include <GL/gl.h>

#include "app/panels.h"
#include "app/test_objects.h"
#include "image/box_filter.h"
#include "image/upload_image.h"

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

void build_quality_texture(TextureObject2D& texture, const RgbImage& level0) {
  texture.bind();
  upload_mip_chain(mip_chain(level0));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glBindTexture(GL_TEXTURE_2D, 0);
}

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
  draw_panel(config_.anisotropy, config_.trilinear,
             {&state_, &picture_, &neutral_, &view_, shift_x, shift_y});
}

