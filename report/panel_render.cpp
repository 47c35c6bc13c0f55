// One panel configuration drawn through the test's own panel code and read back.
#include "report/panel_render.h"

#include <GL/gl.h>

#include "app/panels.h"
#include "app/test_objects.h"
#include "app/test_state.h"
#include "image/read_pixels.h"
#include "image/upload_image.h"

int color_mip_max_level() {
  int level = 0;
  for (int size = color_mip_size; size > 1; size /= 2) ++level;
  return level;
}

void build_neutral_texture(TextureObject2D& texture) {
  RgbImage white(1, 1);
  white.texel(0, 0) = {255, 255, 255};
  texture.bind();
  upload_image(white, false);
  glBindTexture(texture.target(), 0);
}

RgbImage render_configuration(const PanelConfig& config, int width, int height,
                              TextureObject2D& neutral) {
  const TestState saved = test_state;
  test_state.tmu_count = config.units;
  test_state.current_tmu = config.unit;
  test_state.threshold_index = 0;  // colour delta 0: flat level colours
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_panel(config.anisotropy, config.trilinear, &neutral);
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  test_state = saved;
  return read_pixels(GL_BACK, 0, 0, width, height);
}

PanelMeasurement measure_configuration(const PanelConfig& config, int width, int height,
                                       TextureObject2D& neutral) {
  return measure_pixels(config, render_configuration(config, width, height, neutral),
                        test_panel_geometry(width, height), color_mip_max_level());
}
