// The overlay text of the panels: a pixel-exact orthographic set-up, then the glyphs through GLUT
// or from the captured font.
#include "app/overlay_text.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include "image/overlay_font.h"

namespace {

// The captured glyphs: packed rows, high bit first, whatever the caller set.
void draw_captured_glyphs(const char* text) {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (const char* c = text; *c != '\0'; ++c)
    glBitmap(overlay_glyph_width, overlay_glyph_height, 0.0f, overlay_glyph_descent,
             overlay_glyph_width, 0.0f, overlay_font[static_cast<unsigned char>(*c)]);
  glPopClientAttrib();
}

}  // namespace

void draw_text(const char* text, int x, int y, int width, int height, OverlayFont font) {
  glDisable(GL_DEPTH_TEST);
  {
    const ScopedIdentityMatrices window_terms;
    // Pixels of the area, y downward.
    glMatrixMode(GL_PROJECTION);
    gluOrtho2D(0, width, height, 0);
    glMatrixMode(GL_MODELVIEW);
    glRasterPos2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y));
    if (font == OverlayFont::captured) {
      draw_captured_glyphs(text);
    } else {
      for (const char* c = text; *c != '\0'; ++c)
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, static_cast<unsigned char>(*c));
    }
  }
  glEnable(GL_DEPTH_TEST);
}
