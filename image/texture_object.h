// A GL texture name that is generated on first use and given back on release, so that texture
// objects can live in process-wide storage built before any GL context exists.
#pragma once

#include <GL/gl.h>

#include "image/lazy_gl_name.h"

// Owns at most one texture name for one target. Constructing it makes no GL call. Every
// operation but construction needs the GL context current. Not copyable.
class TextureObject {
 public:
  // Releases the name when a GL context is current; with none there is nothing to delete from.
  virtual ~TextureObject();
  TextureObject(const TextureObject&) = delete;
  TextureObject& operator=(const TextureObject&) = delete;

  // Generates the name on the first call (glGenTextures) and binds it to target() on the active
  // unit; later calls only bind the same name.
  void bind();

  // Deletes the name if there is one. Safe to call any number of times; a later bind
  // generates a fresh name.
  void release();

  bool valid() const { return name_.valid(); }
  // The texture name; meaningful only while valid().
  GLuint name() const { return name_.name(); }
  GLenum target() const { return target_; }

 protected:
  explicit TextureObject(GLenum target) : target_(target) {}

 private:
  static GLuint generate();
  static void destroy(GLuint name);

  LazyGlName name_{generate, destroy};
  const GLenum target_;
};

// A texture object for GL_TEXTURE_2D.
class TextureObject2D : public TextureObject {
 public:
  TextureObject2D() : TextureObject(GL_TEXTURE_2D) {}
};
