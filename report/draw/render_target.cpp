// The report's framebuffer object, its entry points looked up through the extension layer.
#include "report/draw/render_target.h"

#include <GL/glext.h>

#include <algorithm>

#include "report/draw/gl_entry_points.h"

namespace {

// The framebuffer-object functions of OpenGL 3.0 and GL_ARB_framebuffer_object.
struct FramebufferFunctions {
  PFNGLGENFRAMEBUFFERSPROC gen_framebuffers;
  PFNGLDELETEFRAMEBUFFERSPROC delete_framebuffers;
  PFNGLBINDFRAMEBUFFERPROC bind_framebuffer;
  PFNGLGENRENDERBUFFERSPROC gen_renderbuffers;
  PFNGLDELETERENDERBUFFERSPROC delete_renderbuffers;
  PFNGLBINDRENDERBUFFERPROC bind_renderbuffer;
  PFNGLRENDERBUFFERSTORAGEPROC renderbuffer_storage;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebuffer_renderbuffer;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC check_framebuffer_status;
};

// The functions, or null where the driver has no framebuffer objects.
const FramebufferFunctions* framebuffer_functions() {
  static const FramebufferFunctions functions = {
      gl_entry_point<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers"),
      gl_entry_point<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers"),
      gl_entry_point<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer"),
      gl_entry_point<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers"),
      gl_entry_point<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers"),
      gl_entry_point<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer"),
      gl_entry_point<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage"),
      gl_entry_point<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer"),
      gl_entry_point<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus")};
  const bool offered = gl_offers(3, 0, {"GL_ARB_framebuffer_object"});
  const FramebufferFunctions& f = functions;
  const bool complete = f.gen_framebuffers && f.delete_framebuffers && f.bind_framebuffer &&
                        f.gen_renderbuffers && f.delete_renderbuffers && f.bind_renderbuffer &&
                        f.renderbuffer_storage && f.framebuffer_renderbuffer &&
                        f.check_framebuffer_status;
  return offered && complete ? &functions : nullptr;
}

}  // namespace

ReportFramebuffer::ReportFramebuffer(int width, int height) {
  const FramebufferFunctions* const f = framebuffer_functions();
  if (!f) return;
  GLint largest = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  width = std::min(width, int(largest));
  height = std::min(height, int(largest));
  f->gen_framebuffers(1, &framebuffer_);
  f->bind_framebuffer(GL_FRAMEBUFFER, framebuffer_);
  f->gen_renderbuffers(2, renderbuffers_);
  const GLenum formats[2] = {GL_RGBA8, GL_DEPTH_COMPONENT24};
  const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
  for (int i = 0; i < 2; ++i) {
    f->bind_renderbuffer(GL_RENDERBUFFER, renderbuffers_[i]);
    f->renderbuffer_storage(GL_RENDERBUFFER, formats[i], width, height);
    f->framebuffer_renderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, renderbuffers_[i]);
  }
  if (f->check_framebuffer_status(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    release();
    return;
  }
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  target_ = {GL_COLOR_ATTACHMENT0, width, height};
}

ReportFramebuffer::~ReportFramebuffer() { release(); }

void ReportFramebuffer::release() {
  if (framebuffer_ == 0) return;
  const FramebufferFunctions* const f = framebuffer_functions();
  f->bind_framebuffer(GL_FRAMEBUFFER, 0);
  f->delete_renderbuffers(2, renderbuffers_);
  f->delete_framebuffers(1, &framebuffer_);
  framebuffer_ = 0;
}
