// What the drawing on GL asks of the driver beyond GL 1.x: whether it offers a feature, by its
// version or an extension, and the feature's entry points as their own pointer types. A lookup
// alone proves nothing (GLX answers every name), so the offer decides.
#pragma once

#include <initializer_list>

#include "glh/glh_platform.h"

// Whether the current context's GL_VERSION is `major`.`minor` or later, or it advertises one of
// `extensions`. Needs a current GL context whose extensions the extension layer has read.
bool gl_offers(int major, int minor, std::initializer_list<const char*> extensions);

// The entry point `name` through the extension layer, as `Function`; null where there is none.
template <typename Function>
Function gl_entry_point(const char* name) {
  return reinterpret_cast<Function>(glh::lookup_entry_point(name));
}
