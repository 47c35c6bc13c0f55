// A GL display-list name that is generated on first use and given back on release.
#include "image/display_list.h"

#include "image/gl_context.h"

DisplayList::~DisplayList() {
  if (gl_context_current()) release();
}

void DisplayList::new_list(GLenum mode) {
  if (!valid_) {
    name_ = glGenLists(1);
    valid_ = true;
  }
  glNewList(name_, mode);
}

void DisplayList::call_list() const {
  if (valid_) glCallList(name_);
}

void DisplayList::release() {
  if (valid_) glDeleteLists(name_, 1);
  valid_ = false;
}
