// A GL object name that is generated on first use and given back on release, with a GL context
// current: what the texture and display-list objects hold, each with its own kind of name.
#pragma once

#include <GL/gl.h>

// Owns at most one name of the kind that `generate` makes and `destroy` deletes (one name a
// call). Constructing it makes no GL call; every operation but construction needs the GL
// context current. Not copyable.
class LazyGlName {
 public:
  using Generate = GLuint (*)();
  using Destroy = void (*)(GLuint name);

  LazyGlName(Generate generate, Destroy destroy) : generate_(generate), destroy_(destroy) {}
  // Releases the name when a GL context is current; with none there is nothing to delete from.
  ~LazyGlName();
  LazyGlName(const LazyGlName&) = delete;
  LazyGlName& operator=(const LazyGlName&) = delete;

  // The name, generated on the first call and after a release.
  GLuint get();

  // Deletes the name if there is one. Safe to call any number of times.
  void release();

  bool valid() const { return valid_; }
  // The name; meaningful only while valid().
  GLuint name() const { return name_; }

 private:
  const Generate generate_;
  const Destroy destroy_;
  bool valid_ = false;
  GLuint name_ = 0;
};
