// Reading GL state and texture levels back in tests, so that checks see what the driver holds.
#pragma once

#include <GL/gl.h>

#include <array>

#include "image/pixel_store.h"
#include "image/rgb_image.h"

inline GLint gl_integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

// The viewport: x, y, width and height (glGetIntegerv of GL_VIEWPORT).
inline std::array<GLint, 4> gl_viewport() {
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  return viewport;
}

// A matrix of GL state, column-major (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX, ...).
inline std::array<GLfloat, 16> gl_matrix(GLenum which) {
  std::array<GLfloat, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

// A parameter of one level of the texture bound to GL_TEXTURE_2D.
inline GLint level_parameter(GLint level, GLenum parameter) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, parameter, &value);
  return value;
}

// The texels of one level of the texture bound to GL_TEXTURE_2D, rows tightly packed.
inline RgbImage read_level(GLint level) {
  RgbImage image(level_parameter(level, GL_TEXTURE_WIDTH),
                 level_parameter(level, GL_TEXTURE_HEIGHT));
  const ScopedPixelStore packed_rows(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, image.texels());
  return image;
}
