// The extension query and support check: does the driver behind the current GL context offer
// every extension of a list, with all of its entry points?
#pragma once

#include "glh/glh_genext.h"

namespace glh {

// The driver's GL extension string, one space, the window system's extension string, one space.
// Built by the first call of request_extensions and kept unchanged, never freed, afterwards.
extern char* combined_extension_string;

// The names that failed in the latest request_extensions call that was given a list, in list
// order, each followed by one space; empty when all passed. Null before the first such call.
extern char* unsupported_extensions;

// Checks every name of `list` (separated by spaces, tabs or newlines; the list itself is never
// modified) against the advertised extensions and loads the entry points of each advertised
// one. Returns 1 when every name is advertised and fully loaded, also for a null, empty or
// separators-only list; 0 when any name is not. Every name is tested and loaded, whatever
// failed before it. A null list only makes sure that combined_extension_string exists.
// A failed allocation prints "Error allocating memory in file ..., line ..." on standard output
// and ends the process with status -1. Needs a current GL context.
int request_extensions(const char* list);

// The support test for one name against `combined`: "GL_VERSION_1_2" passes when the driver's
// GL_VERSION does not begin with "1.0" or "1.1"; any other name passes when it occurs in
// `combined` followed by a space (a plain, case-sensitive substring search). An empty name never
// passes.
int extension_advertised(const char* name, const char* combined);

// The first position at or after `position` that is not a space, tab or newline.
const char* skip_separators(const char* position);

// The first position at or after `position` that holds a space, tab, newline or the terminator.
const char* skip_name(const char* position);

}  // namespace glh
