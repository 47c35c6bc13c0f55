// The overlay text of the panels: a pixel-exact orthographic set-up and GLUT's bitmap font.
#include "app/overlay_text.h"

#include <GL/glu.h>
#include <GL/glut.h>

void draw_text(const char* text, int x, int y, int width, int height) {
  glDisable(GL_DEPTH_TEST);
  {
    const ScopedIdentityMatrices window_terms;
    // Pixels of the area, y downward.
    glMatrixMode(GL_PROJECTION);
    gluOrtho2D(0, width, height, 0);
    glMatrixMode(GL_MODELVIEW);
    glRasterPos2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y));
    for (const char* c = text; *c != '\0'; ++c)
      glutBitmapCharacter(GLUT_BITMAP_8_BY_13, static_cast<unsigned char>(*c));
  }
  glEnable(GL_DEPTH_TEST);
}
