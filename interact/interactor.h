// Interactor: the base of every event handler in the interactor list, one virtual operation per
// GLUT event kind, each doing nothing until a concrete interactor overrides it.
#pragma once

// Interactors are process-wide objects that live until exit and are never deleted through this
// base, so it has no virtual destructor.
class Interactor {
 public:
  virtual void display() {}
  virtual void idle() {}
  virtual void keyboard(unsigned char /*key*/, int /*x*/, int /*y*/) {}
  virtual void menu_status(int /*status*/, int /*x*/, int /*y*/) {}
  virtual void motion(int /*x*/, int /*y*/) {}
  virtual void mouse(int /*button*/, int /*state*/, int /*x*/, int /*y*/) {}
  virtual void passive_motion(int /*x*/, int /*y*/) {}
  virtual void reshape(int /*width*/, int /*height*/) {}
  virtual void special(int /*key*/, int /*x*/, int /*y*/) {}
  virtual void timer(int /*value*/) {}
  virtual void visibility(int /*state*/) {}
  virtual void enable() { enabled = true; }
  virtual void disable() { enabled = false; }

  // Whether a concrete interactor consults this is its own choice; the fan-out never does.
  bool enabled = true;

 protected:
  ~Interactor() = default;
};
