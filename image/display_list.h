// A GL display-list name that is generated on first use and given back on release, so that the
// list can live in process-wide storage built before any GL context exists.
#pragma once

#include <GL/gl.h>

#include "image/lazy_gl_name.h"

// Owns at most one display-list name. Constructing it makes no GL call. Every operation but
// construction needs the GL context current. Not copyable.
class DisplayList {
 public:
  DisplayList() = default;
  // Releases the name when a GL context is current; with none there is nothing to delete from.
  ~DisplayList();
  DisplayList(const DisplayList&) = delete;
  DisplayList& operator=(const DisplayList&) = delete;

  // Generates the name on the first call (glGenLists) and opens the list with glNewList in
  // `mode`; later calls reopen, and so recompile, the same name. The caller issues the list's
  // commands and ends it with glEndList.
  void new_list(GLenum mode);

  // Calls the list if it has a name; otherwise makes no GL call.
  void call_list() const;

  // Deletes the name if there is one. Safe to call any number of times; a later new_list
  // generates a fresh name.
  void release();

  bool valid() const { return name_.valid(); }
  // The list name; meaningful only while valid().
  GLuint name() const { return name_.name(); }

 private:
  static GLuint generate();
  static void destroy(GLuint name);

  LazyGlName name_{generate, destroy};
};
