// The extension layer's platform side: which window system it asks, and the WGL names that
// have a GLX counterpart.
#include "glh/glh_platform.h"

#include <cstring>

#include "glh/glh_window_systems.h"

namespace glh {

namespace {

WindowSystem current_system = WindowSystem::glx;

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
ProcLookup proc_lookup = glx::get_proc_address;

void use_window_system(WindowSystem system) {
  current_system = system;
  proc_lookup = system == WindowSystem::egl ? egl::get_proc_address : glx::get_proc_address;
}

GenericProc lookup_entry_point(const char* name) {
  if (std::strncmp(name, "wgl", 3) != 0) return proc_lookup(name);
  if (current_system == WindowSystem::glx)
    for (const Counterpart& counterpart : glx_counterparts)
      if (std::strcmp(name, counterpart.wgl_name) == 0) return proc_lookup(counterpart.glx_name);
  return nullptr;
}

const char* window_system_extensions() {
  return current_system == WindowSystem::egl ? egl::extensions() : glx::extensions();
}

}  // namespace glh
