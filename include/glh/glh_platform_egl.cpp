// The EGL side of the extension layer: entry points from eglGetProcAddress and the
// window-system extensions from the current display's EGL_EXTENSIONS.
#include <EGL/egl.h>

#include "glh/glh_window_systems.h"

namespace glh::egl {

GenericProc get_proc_address(const char* name) { return eglGetProcAddress(name); }

const char* extensions() {
  const EGLDisplay display = eglGetCurrentDisplay();
  if (display == EGL_NO_DISPLAY) return nullptr;
  return eglQueryString(display, EGL_EXTENSIONS);
}

}  // namespace glh::egl
