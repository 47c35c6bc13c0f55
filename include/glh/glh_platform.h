// The window-system side of the extension layer: the entry-point lookup and the window
// system's own extension string. The only file of the layer that knows which window system runs.
#pragma once

#include "glh/glh_genext.h"

namespace glh {

// Looks up one driver function by name. Replaceable, so that tests can play a driver that
// lacks an entry point; the default asks the window system (glXGetProcAddressARB).
using ProcLookup = GenericProc (*)(const char* name);
extern ProcLookup proc_lookup;

// Resolves one entry point of the table through `proc_lookup`. WGL-only names resolve to their
// GLX counterpart where one has the same meaning and signature, and to null otherwise.
GenericProc lookup_entry_point(const char* name);

// The window system's extension string for the current context, or null when there is none.
const char* window_system_extensions();

}  // namespace glh
