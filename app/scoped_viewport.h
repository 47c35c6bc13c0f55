// A scoped GL viewport: code that draws into parts of the window saves the viewport it found and
// leaves it so, however it returns.
#pragma once

#include <GL/gl.h>

// Reads the current viewport when constructed and sets it back when destroyed. Needs a current
// GL context for its whole lifetime.
class ScopedViewport {
 public:
  ScopedViewport() { glGetIntegerv(GL_VIEWPORT, saved_); }
  ~ScopedViewport() { glViewport(saved_[0], saved_[1], saved_[2], saved_[3]); }

  ScopedViewport(const ScopedViewport&) = delete;
  ScopedViewport& operator=(const ScopedViewport&) = delete;

  // The viewport found at construction.
  int width() const { return saved_[2]; }
  int height() const { return saved_[3]; }

 private:
  GLint saved_[4] = {};
};
