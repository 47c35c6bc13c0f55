// A GL texture name that is generated on first use and given back on release.
#include "image/texture_object.h"

// The name's own destructor gives it back.
TextureObject::~TextureObject() = default;

GLuint TextureObject::generate() {
  GLuint name = 0;
  glGenTextures(1, &name);
  return name;
}

void TextureObject::destroy(GLuint name) { glDeleteTextures(1, &name); }

void TextureObject::bind() { glBindTexture(target_, name_.get()); }

void TextureObject::release() { name_.release(); }
