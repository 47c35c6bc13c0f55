// Reading a rectangle of the frame back into an RgbImage with tightly packed rows.
#include "image/read_pixels.h"

#include "image/pixel_store.h"

RgbImage read_pixels(GLenum buffer, int x, int y, int width, int height) {
  RgbImage image(width, height);
  GLint previous_buffer = GL_BACK;
  glGetIntegerv(GL_READ_BUFFER, &previous_buffer);
  glReadBuffer(buffer);
  {
    const ScopedPixelStore packed_rows(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, image.width(), image.height(), GL_RGB, GL_UNSIGNED_BYTE, image.texels());
  }
  glReadBuffer(static_cast<GLenum>(previous_buffer));
  return image;
}
