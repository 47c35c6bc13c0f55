// Where the report draws and reads back: a framebuffer object of its own, whatever the window
// system, or the window's back buffer on a driver without framebuffer objects.
#pragma once

#include <GL/gl.h>

// The buffer every drawing of the report goes to and is read back from, and its size.
struct RenderTarget {
  GLenum buffer = GL_BACK;  // GL_COLOR_ATTACHMENT0 while a ReportFramebuffer is bound
  int width = 0, height = 0;
};

// The window's back buffer, width × height pixels: the target where the driver has no
// framebuffer objects and there is a window.
inline RenderTarget window_back_buffer(int width, int height) { return {GL_BACK, width, height}; }

// A framebuffer object of RGBA8 colour and 24-bit depth, width × height pixels or as near as the
// driver's largest renderbuffer allows, bound for drawing and reading for its lifetime, when the
// driver has framebuffer objects (OpenGL 3.0 or GL_ARB_framebuffer_object); otherwise nothing
// changes and bound() is false. Needs a current
// GL context for its whole lifetime; when it ends the window's framebuffer is bound again.
class ReportFramebuffer {
 public:
  ReportFramebuffer(int width, int height);
  ~ReportFramebuffer();
  ReportFramebuffer(const ReportFramebuffer&) = delete;
  ReportFramebuffer& operator=(const ReportFramebuffer&) = delete;

  bool bound() const { return framebuffer_ != 0; }
  // Where it draws: GL_COLOR_ATTACHMENT0 and its size, while bound.
  RenderTarget target() const { return target_; }

 private:
  void release();  // unbinds and deletes whatever was made

  GLuint framebuffer_ = 0;
  GLuint renderbuffers_[2] = {0, 0};  // colour, depth
  RenderTarget target_;
};
