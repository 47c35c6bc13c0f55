// The driver's version and extensions, read for the features the report's drawing uses.
#include "report/draw/gl_entry_points.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

#include "glh/glh_extensions.h"

bool gl_offers(int major, int minor, std::initializer_list<const char*> extensions) {
  const char* const version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  const char* const dot = version ? std::strchr(version, '.') : nullptr;
  const int has_major = version ? std::atoi(version) : 0;
  const int has_minor = dot ? std::atoi(dot + 1) : 0;
  if (has_major > major || (has_major == major && has_minor >= minor)) return true;
  for (const char* extension : extensions)
    if (glh::extension_advertised(extension, glh::combined_extension_string)) return true;
  return false;
}
