// The test panels: the per-frame split of the window, the filter state of every texture unit,
// and the labels and status lines.
#include "app/panels.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <string>
#include <vector>

#include "app/overlay_text.h"
#include "app/scoped_viewport.h"
#include "app/test_objects.h"
#include "app/test_state.h"
#include "glh/glh_extensions.h"
#include "interact/gl_transform.h"
#include "interact/navigators.h"

namespace {

// Loads the panels' projection, moved by (shift_x, shift_y) pixels of the current viewport, and
// pushes the model-view matrix.
void load_panel_projection(double shift_x, double shift_y) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (shift_x != 0.0 || shift_y != 0.0) {
    // A move in normalised device coordinates after the projection: 2 / size per pixel.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glTranslated(2.0 * shift_x / viewport[2], 2.0 * shift_y / viewport[3], 0.0);
  }
  gluPerspective(panel_fovy, panel_aspect, panel_z_near, panel_z_far);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
}

}  // namespace

PanelSetup test_panel_setup() {
  PanelSetup setup;
  setup.state = test_state;
  setup.colour_mip = &test_textures[first_color_mip_slot + test_state.threshold_index];
  for (int unit = 0; unit < png_texture_count; ++unit) setup.pictures[unit] = &test_textures[unit];
  setup.plane = &plane_list;
  setup.view = navigators_view();
  return setup;
}

void setup_texture_unit(int unit, float anisotropy, bool trilinear, const PanelSetup& setup) {
  TextureObject2D& texture =
      unit == setup.state.current_tmu ? *setup.colour_mip : *setup.pictures[unit];
  glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, unit == 0 ? GL_REPLACE : GL_MODULATE);
  texture.bind();
  glEnable(texture.target());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  trilinear ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_NEAREST);
  if (!setup.state.no_af)
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
}

void push_panel_matrices(const SceneView& view, double shift_x, double shift_y) {
  load_panel_projection(shift_x, shift_y);
  gl_apply_inverse_pose(view.camera);
  gl_apply_pose(view.object);
}

void draw_panel(float anisotropy, bool trilinear, const PanelSetup& setup, double shift_x,
                double shift_y) {
  push_panel_matrices(setup.view, shift_x, shift_y);
  const int units = setup.state.tmu_count;
  for (int unit = 0; unit < units; ++unit) setup_texture_unit(unit, anisotropy, trilinear, setup);
  setup.plane->call_list();
  for (int unit = 0; unit < units; ++unit) {
    glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    glDisable(GL_TEXTURE_2D);
  }
  glPopMatrix();
}

void draw_panels(OverlayFont font, const PanelSetup& setup) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const ScopedViewport window;
  const TestState& state = setup.state;
  const int columns = state.no_af ? 1 : 4;

  for (const Panel& panel : panels) {
    if (state.no_af && !panel.drawn_without_af) continue;
    const PanelViewport place = panel_viewport(panel, columns, window.width(), window.height());
    glViewport(place.x, place.y, place.width, place.height);
    draw_panel(panel.anisotropy, panel.trilinear, setup);
    const std::vector<std::string> lines =
        panel_text_lines(panel.trilinear, panel.anisotropy, state.current_tmu, state.tc,
                         2 * state.threshold_index);
    for (std::size_t line = 0; line < lines.size(); ++line)
      draw_text(lines[line].c_str(), panel_text_x,
                panel_label_y + static_cast<int>(line) * panel_line_spacing, place.width,
                place.height, font);
  }
}

void display_panels() {
  draw_panels(OverlayFont::glut, test_panel_setup());
  glutSwapBuffers();
}
