// The window systems behind the extension layer's platform side, each in a file of its own:
// how each looks up an entry point and where its extension string comes from.
#pragma once

#include "glh/glh_genext.h"

namespace glh {

namespace glx {
GenericProc get_proc_address(const char* name);  // glXGetProcAddressARB
const char* extensions();  // glXQueryExtensionsString of the current display, or null
}  // namespace glx

namespace egl {
GenericProc get_proc_address(const char* name);  // eglGetProcAddress
const char* extensions();  // eglQueryString of the current display, or null
}  // namespace egl

}  // namespace glh
