// Records texture and display-list calls: defined in the test program, these come ahead of the
// driver's for every caller, and pass each call on to the driver's own, looked up behind them.
#include "gl_call_log.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <dlfcn.h>

namespace {

// Never destroyed: objects under test delete their names at exit, perhaps after this file's.
std::vector<GlCall>& calls = *new std::vector<GlCall>;

// The driver's function of the same name and type as ours.
template <typename Function>
Function* driver_function(Function*, const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

void record(const char* function, GLuint name) {
  calls.push_back({function, name, glXGetCurrentContext() != nullptr});
}

}  // namespace

const std::vector<GlCall>& gl_calls() { return calls; }

void clear_gl_calls() { calls.clear(); }

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures) {
  static auto* const driver = driver_function(&glGenTextures, "glGenTextures");
  driver(n, textures);
  for (GLsizei i = 0; i < n; ++i) record("GenTextures", textures[i]);
}

void glBindTexture(GLenum target, GLuint texture) {
  static auto* const driver = driver_function(&glBindTexture, "glBindTexture");
  record("BindTexture", texture);
  driver(target, texture);
}

void glDeleteTextures(GLsizei n, const GLuint* textures) {
  static auto* const driver = driver_function(&glDeleteTextures, "glDeleteTextures");
  for (GLsizei i = 0; i < n; ++i) record("DeleteTextures", textures[i]);
  driver(n, textures);
}

GLuint glGenLists(GLsizei range) {
  static auto* const driver = driver_function(&glGenLists, "glGenLists");
  const GLuint first = driver(range);
  record("GenLists", first);
  return first;
}

void glNewList(GLuint list, GLenum mode) {
  static auto* const driver = driver_function(&glNewList, "glNewList");
  record("NewList", list);
  driver(list, mode);
}

void glCallList(GLuint list) {
  static auto* const driver = driver_function(&glCallList, "glCallList");
  record("CallList", list);
  driver(list);
}

void glDeleteLists(GLuint list, GLsizei range) {
  static auto* const driver = driver_function(&glDeleteLists, "glDeleteLists");
  for (GLsizei i = 0; i < range; ++i)
    record("DeleteLists", list + static_cast<GLuint>(i));
  driver(list, range);
}

void glutBitmapCharacter(void* font, int character) {
  static auto* const toolkit = driver_function(&glutBitmapCharacter, "glutBitmapCharacter");
  record(font == GLUT_BITMAP_8_BY_13 ? "BitmapCharacter 8x13" : "BitmapCharacter",
         static_cast<GLuint>(character));
  toolkit(font, character);
}

}  // extern "C"
