// A scoped GL pixel-unpack alignment, so that an upload can read tightly packed rows and leave
// the alignment as it found it.
#pragma once

#include <GL/gl.h>

// Sets GL_UNPACK_ALIGNMENT to `alignment` for its lifetime and restores the previous value when
// destroyed. Needs a current GL context for its whole lifetime.
class ScopedUnpackAlignment {
 public:
  explicit ScopedUnpackAlignment(GLint alignment) {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previous_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  }
  ~ScopedUnpackAlignment() { glPixelStorei(GL_UNPACK_ALIGNMENT, previous_); }

  ScopedUnpackAlignment(const ScopedUnpackAlignment&) = delete;
  ScopedUnpackAlignment& operator=(const ScopedUnpackAlignment&) = delete;

 private:
  GLint previous_ = 4;
};
