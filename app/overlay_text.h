// The overlay text of the panels: labels and status lines printed with GLUT's 8 × 13 bitmap font
// over whatever the panel shows, through GLUT in its window, or from the captured copy of the font
// in image/overlay_font.h where no GLUT window exists.
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

// Where the glyphs come from: GLUT's glutBitmapCharacter with GLUT_BITMAP_8_BY_13, which needs
// GLUT initialised (the interactive test's window), or the captured copy of the same font drawn
// with glBitmap, which needs only a GL context. Both give the same pixels.
enum class OverlayFont { glut, captured };

// Draws `text` with its first baseline starting at (x, y) in pixels from the upper left corner
// of an area of width × height pixels (the current viewport), in GL's current colour, on top of
// everything (the depth test is off while it draws and on again afterwards), in `font`. Leaves both
// matrices as they were and the matrix mode GL_MODELVIEW. Call it with every texture unit
// disabled. Text that starts outside the viewport is not drawn at all; long text is not wrapped.
void draw_text(const char* text, int x, int y, int width, int height, OverlayFont font);
