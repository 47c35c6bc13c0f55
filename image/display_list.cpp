// A GL display-list name that is generated on first use and given back on release.
#include "image/display_list.h"

// The name's own destructor gives it back.
DisplayList::~DisplayList() = default;

GLuint DisplayList::generate() { return glGenLists(1); }

void DisplayList::destroy(GLuint name) { glDeleteLists(name, 1); }

void DisplayList::new_list(GLenum mode) { glNewList(name_.get(), mode); }

void DisplayList::call_list() const {
  if (name_.valid()) glCallList(name_.name());
}

void DisplayList::release() { name_.release(); }
