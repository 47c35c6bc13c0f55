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

// The settings a panel is drawn with: the report's own, else the test's.
const TestState& state_of(const PanelDrawing& drawing) {
  return drawing.state ? *drawing.state : test_state;
}

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

void setup_texture_unit(int unit, float anisotropy, int trilinear, const PanelDrawing& drawing) {
  const TestState& state = state_of(drawing);
  TextureObject2D* const colour_mip = &test_textures[first_color_mip_slot + state.threshold_index];
  TextureObject2D& texture =
      unit == state.current_tmu
          ? *(drawing.selected_unit ? drawing.selected_unit : colour_mip)
          : *(drawing.other_units ? drawing.other_units : &test_textures[unit]);
  glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, unit == 0 ? GL_REPLACE : GL_MODULATE);
  texture.bind();
  glEnable(texture.target());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  trilinear ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_NEAREST);
  if (!state.no_af) glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
}

void push_panel_matrices(const SceneView& view, double shift_x, double shift_y) {
  load_panel_projection(shift_x, shift_y);
  gl_apply_inverse_pose(view.camera);
  gl_apply_pose(view.object);
}

void draw_panel(float anisotropy, int trilinear, const PanelDrawing& drawing) {
  if (drawing.view) {
    push_panel_matrices(*drawing.view, drawing.shift_x, drawing.shift_y);
  } else {
    load_panel_projection(drawing.shift_x, drawing.shift_y);
    camera_navigator.apply_inverse_transform();
    object_navigator.apply_transform();
  }
  const int units = state_of(drawing).tmu_count;
  for (int unit = 0; unit < units; ++unit) setup_texture_unit(unit, anisotropy, trilinear, drawing);
  plane_list.call_list();
  for (int unit = 0; unit < units; ++unit) {
    glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    glDisable(GL_TEXTURE_2D);
  }
  glPopMatrix();
}

void draw_panels(OverlayFont font) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const ScopedViewport window;
  const int columns = test_state.no_af ? 1 : 4;

  for (const Panel& panel : panels) {
    if (test_state.no_af && !panel.drawn_without_af) continue;
    const PanelViewport place = panel_viewport(panel, columns, window.width(), window.height());
    glViewport(place.x, place.y, place.width, place.height);
    draw_panel(panel.anisotropy, panel.trilinear);
    const std::vector<std::string> lines =
        panel_text_lines(panel.trilinear, panel.anisotropy, test_state.current_tmu, test_state.tc,
                         2 * test_state.threshold_index);
    for (std::size_t line = 0; line < lines.size(); ++line)
      draw_text(lines[line].c_str(), panel_text_x,
                panel_label_y + static_cast<int>(line) * panel_line_spacing, place.width,
                place.height, font);
  }
}

void display_panels() {
  draw_panels(OverlayFont::glut);
  glutSwapBuffers();
}
