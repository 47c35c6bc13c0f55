// A GL texture name that is generated on first use and given back on release.
#include "image/texture_object.h"

#include "image/gl_context.h"

TextureObject::~TextureObject() {
  if (gl_context_current()) release();
}

void TextureObject::bind() {
  if (!valid_) {
    glGenTextures(1, &name_);
    valid_ = true;
  }
  glBindTexture(target_, name_);
}

void TextureObject::release() {
  if (valid_) glDeleteTextures(1, &name_);
  valid_ = false;
}
