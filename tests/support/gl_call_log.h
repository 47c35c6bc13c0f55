// A record of the calls that make, use and delete texture and display-list names and of the
// bitmap font's characters, each passed on to the driver or toolkit, which still do the work.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

// One call: the function without "gl" ("GenTextures", ...), the name it made or took, and whether
// a context was current on the thread; glutBitmapCharacter is "BitmapCharacter 8x13" with
// GLUT_BITMAP_8_BY_13, else "BitmapCharacter", the character code as the name.
struct GlCall {
  std::string function;
  GLuint name;
  bool context_current;

  bool operator==(const GlCall& other) const {
    return function == other.function && name == other.name &&
           context_current == other.context_current;
  }
};

// The calls recorded since the last clear_gl_calls, oldest first.
const std::vector<GlCall>& gl_calls();
void clear_gl_calls();
