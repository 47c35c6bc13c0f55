// A scoped GL pixel-store setting, so that an upload or a read-back can use tightly packed rows
// and leave the setting as it found it.
#pragma once

#include <GL/gl.h>

// Sets the pixel-store parameter `name` (GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT, ...) to `value`
// for its lifetime and restores the previous value when destroyed. Needs a current GL context
// for its whole lifetime.
class ScopedPixelStore {
 public:
  ScopedPixelStore(GLenum name, GLint value) : name_(name) {
    glGetIntegerv(name_, &previous_);
    glPixelStorei(name_, value);
  }
  ~ScopedPixelStore() { glPixelStorei(name_, previous_); }

  ScopedPixelStore(const ScopedPixelStore&) = delete;
  ScopedPixelStore& operator=(const ScopedPixelStore&) = delete;

 private:
  const GLenum name_;
  GLint previous_ = 4;
};
