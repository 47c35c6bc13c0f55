// Text over a picture: the picture drawn into the back buffer, the overlay font over it, and the
// frame read back.
#include "report/picture_text.h"

#include <GL/gl.h>

#include "app/overlay_text.h"
#include "image/pixel_store.h"
#include "image/read_pixels.h"

RgbImage print_over(const RgbImage& picture, const std::vector<PlacedText>& texts) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glViewport(0, 0, picture.width(), picture.height());
  glDisable(GL_DEPTH_TEST);
  // The raster position of the lower left corner of the viewport.
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRasterPos2f(-1.0f, -1.0f);
  {
    const ScopedPixelStore packed_rows(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(picture.width(), picture.height(), GL_RGB, GL_UNSIGNED_BYTE, picture.texels());
  }
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);

  glColor3f(1.0f, 1.0f, 1.0f);
  for (const PlacedText& text : texts)
    draw_text(text.text.c_str(), text.x, text.y, picture.width(), picture.height());
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  glEnable(GL_DEPTH_TEST);
  return read_pixels(GL_BACK, 0, 0, picture.width(), picture.height());
}
