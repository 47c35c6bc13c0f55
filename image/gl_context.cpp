// Whether a GL context is current: one made through GLX for a window, or through EGL without one.
#include "image/gl_context.h"

#include <EGL/egl.h>
#include <GL/glx.h>

bool gl_context_current() {
  return glXGetCurrentContext() != nullptr || eglGetCurrentContext() != EGL_NO_CONTEXT;
}
