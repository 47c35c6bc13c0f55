// The window-system side of the extension layer: which window system it asks (GLX or EGL), the
// entry-point lookup and the window system's own extension string.
#pragma once

#include "glh/glh_genext.h"

namespace glh {

// The window systems the layer can ask.
enum class WindowSystem { glx, egl };

// Makes the layer ask `system` from now on: proc_lookup becomes its lookup
// (glXGetProcAddressARB or eglGetProcAddress) and window_system_extensions its extension
// string. The layer asks GLX until this is called.
void use_window_system(WindowSystem system);

// Looks up one driver function by name. Replaceable, so that tests can play a driver that
// lacks an entry point; use_window_system sets it to the window system's own lookup.
using ProcLookup = GenericProc (*)(const char* name);
extern ProcLookup proc_lookup;

// Resolves one entry point of the table through `proc_lookup`. WGL-only names resolve, under
// GLX, to their GLX counterpart where one has the same meaning and signature, and to null
// otherwise.
GenericProc lookup_entry_point(const char* name);

// The extension string of the window system asked, for the current context's display, or null
// when there is none.
const char* window_system_extensions();

}  // namespace glh
