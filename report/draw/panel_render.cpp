// One panel configuration set up through the test's own panel code.
#include "report/draw/panel_render.h"

#include <GL/gl.h>

#include "image/box_filter.h"
#include "image/upload_image.h"

namespace {

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
                                           int width, int height, const PanelSetup& scene,
                                           TextureObject2D& neutral, TextureObject2D* picture)
    : config_(config), setup_(scene) {
  setup_.state.tmu_count = config.units;
  setup_.state.current_tmu = config.unit;
  if (picture) setup_.colour_mip = picture;
  setup_.pictures.fill(&neutral);
  setup_.view = view;
  glViewport(0, 0, width, height);
  saved_lod_bias_ = exchange_lod_bias(*setup_.colour_mip, config.lod_bias);
}

ConfigurationDrawing::~ConfigurationDrawing() {
  exchange_lod_bias(*setup_.colour_mip, saved_lod_bias_);
}

void ConfigurationDrawing::clear() const { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void ConfigurationDrawing::draw(double shift_x, double shift_y) const {
  draw_panel(config_.anisotropy, config_.trilinear, setup_, shift_x, shift_y);
}
