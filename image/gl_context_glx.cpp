// The GLX answer to whether a GL context is current on the calling thread.
#include "image/gl_context.h"

#include <GL/glx.h>

bool gl_context_current() { return glXGetCurrentContext() != nullptr; }
