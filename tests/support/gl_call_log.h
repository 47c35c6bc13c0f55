// A record of the GL calls that make, use and delete texture and display-list names, and of the
// characters GLUT's bitmap font draws. The test program defines those functions itself: each call
// is recorded, then passed on to the driver or the toolkit, which still do the work.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

// One recorded call: the function's name without "gl" ("GenTextures", "BindTexture",
// "DeleteTextures", "GenLists", "NewList", "CallList", "DeleteLists"), the one name it made or
// took, and whether a GL context was current on the calling thread. glutBitmapCharacter is
// recorded as "BitmapCharacter 8x13" with GLUT_BITMAP_8_BY_13, else "BitmapCharacter", the
// character code as the name.
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
