// The GLX side of the extension layer: entry points from glXGetProcAddressARB and the
// window-system extensions from glXQueryExtensionsString.
#include <GL/glx.h>

#include "glh/glh_window_systems.h"

namespace glh::glx {

GenericProc get_proc_address(const char* name) {
  return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

const char* extensions() {
  Display* const display = glXGetCurrentDisplay();
  if (display == nullptr) return nullptr;
  return glXQueryExtensionsString(display, DefaultScreen(display));
}

}  // namespace glh::glx
