// The driver's strings and advertised limits, asked of the current GL context.
#include "report/draw/driver_info.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "app/test_state.h"

namespace {

std::string gl_string(GLenum name) {
  const GLubyte* const text = glGetString(name);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

DriverInfo query_driver_info() {
  DriverInfo info;
  info.vendor = gl_string(GL_VENDOR);
  info.renderer = gl_string(GL_RENDERER);
  info.version = gl_string(GL_VERSION);
  glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &info.max_anisotropy);
  info.tmu_count = test_state.tmu_count;
  return info;
}
