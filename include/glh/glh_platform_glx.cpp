// The GLX implementation of the extension layer's platform side: entry points come from
// glXGetProcAddressARB and the window-system extensions from glXQueryExtensionsString.
#include "glh/glh_platform.h"

#include <GL/glx.h>

#include <cstring>

namespace glh {

namespace {

GenericProc glx_get_proc_address(const char* name) {
  return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

// The WGL entry points that GLX offers with the same meaning and signature.
struct Counterpart {
  const char* wgl_name;
  const char* glx_name;
};
constexpr Counterpart glx_counterparts[] = {
    {"wglAllocateMemoryNV", "glXAllocateMemoryNV"},
    {"wglFreeMemoryNV", "glXFreeMemoryNV"},
};

}  // namespace

// Note that GLX answers a lookup of any name beginning with "gl" with a non-null address (a
// dispatch stub that the driver may never fill), so on this platform a non-null result says
// little: what really decides whether an extension is there is the extension string.
ProcLookup proc_lookup = glx_get_proc_address;

GenericProc lookup_entry_point(const char* name) {
  if (std::strncmp(name, "wgl", 3) != 0) return proc_lookup(name);
  for (const Counterpart& counterpart : glx_counterparts)
    if (std::strcmp(name, counterpart.wgl_name) == 0) return proc_lookup(counterpart.glx_name);
  return nullptr;
}

const char* window_system_extensions() {
  Display* const display = glXGetCurrentDisplay();
  if (display == nullptr) return nullptr;
  return glXQueryExtensionsString(display, DefaultScreen(display));
}

}  // namespace glh
