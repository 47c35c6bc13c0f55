// PerspectiveReshaper: the interactor that keeps the GL viewport on the whole window and loads
// a perspective projection with the window's aspect ratio at every reshape.
#include "interact/perspective_reshaper.h"

#include <GL/gl.h>
#include <GL/glu.h>

PerspectiveReshaper perspective_reshaper;

void PerspectiveReshaper::reshape(int new_width, int new_height) {
  width = new_width;
  height = new_height;
  if (enabled) apply();
}

void PerspectiveReshaper::apply() {
  // GLUT reports a height of 0 for a minimised window: the aspect would be infinite or undefined
  // and the projection degenerate, so the last good one stays until the window has area again.
  if (width <= 0 || height <= 0) return;
  aspect = float(width) / float(height);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fovy, aspect, z_near, z_far);
  glMatrixMode(GL_MODELVIEW);
}
