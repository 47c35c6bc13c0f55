// The overlay text of the panels: labels and status lines printed with the 8 × 13 bitmap font
// of app/overlay_font.h over whatever the panel shows, with or without a GLUT window.
#pragma once

#include <GL/gl.h>

// Pushes the projection and the model-view matrix and loads the identity into both for its
// lifetime, for drawing in window terms; pops both when it ends, leaving GL_MODELVIEW current.
class ScopedIdentityMatrices {
 public:
  ScopedIdentityMatrices() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
  }
  ~ScopedIdentityMatrices() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }
  ScopedIdentityMatrices(const ScopedIdentityMatrices&) = delete;
  ScopedIdentityMatrices& operator=(const ScopedIdentityMatrices&) = delete;
};

// Draws `text` with its first baseline starting at (x, y) in pixels from the upper left corner
// of an area of width × height pixels (the current viewport), in GL's current colour, on top of
// everything (the depth test is off while it draws and on again afterwards). Leaves both
// matrices as they were and the matrix mode GL_MODELVIEW. Call it with every texture unit
// disabled. Text that starts outside the viewport is not drawn at all; long text is not wrapped.
void draw_text(const char* text, int x, int y, int width, int height);
