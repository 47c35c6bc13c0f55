// A GL object name that is generated on first use and given back on release, when a GL context
// is current to give it back to.
#include "image/lazy_gl_name.h"

#include "image/gl_context.h"

LazyGlName::~LazyGlName() {
  if (gl_context_current()) release();
}

GLuint LazyGlName::get() {
  if (!valid_) {
    name_ = generate_();
    valid_ = true;
  }
  return name_;
}

void LazyGlName::release() {
  if (valid_) destroy_(name_);
  valid_ = false;
}
