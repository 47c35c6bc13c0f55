// MouseInteractor: the base of the drag interactors. It decides from the button and the
// modifier keys whether a press starts a drag and records the step of every motion.
#pragma once

#include "interact/interactor.h"
#include "interact/matrix4.h"

// The two GLUT services of the drag interactors. glutGetModifiers answers only inside GLUT's
// own input callbacks and glutPostRedisplay needs a shown GLUT window, so tests that drive the
// interactors without real X input put their own in.

// The modifier keys held at the current mouse event, a mask of GLUT_ACTIVE_SHIFT and
// GLUT_ACTIVE_CTRL: glutGetModifiers.
extern int (*query_modifiers)();

// Asks for the window to be drawn again: glutPostRedisplay.
extern void (*request_redisplay)();

class MouseInteractor : public Interactor {
 public:
  // When enabled: a press of `button` starts a drag if check_modifiers is false or the held
  // modifiers equal `modifiers` exactly (queried only then); a release of `button` ends any
  // drag, first calling update when the latest step was zero, whatever the modifiers.
  void mouse(int pressed_button, int state, int x, int y) override;

  // When enabled and dragging: records the step (delta_y positive upwards) and calls update,
  // also for a zero step.
  void motion(int x, int y) override;

  // Records the window size, enabled or not.
  void reshape(int width, int height) override;

  // Multiply the current GL matrix by the transform or its inverse.
  virtual void apply_transform() const = 0;
  virtual void apply_inverse_transform() const = 0;

  virtual Matrix4 get_transform() const = 0;
  virtual Matrix4 get_inverse_transform() const = 0;

  // Folds the latest step (delta_x, delta_y) into the transform.
  virtual void update() {}

  int button = 0;  // GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON or GLUT_RIGHT_BUTTON
  bool check_modifiers = true;
  int modifiers = 0;
  bool active = false;  // a drag is in progress
  int press_x = 0;
  int press_y = 0;
  int last_x = 0;  // GLUT window coordinates: origin top left, y down
  int last_y = 0;
  int delta_x = 0;  // new x - previous x
  int delta_y = 0;  // previous y - new y: positive upwards
  int window_width = 0;
  int window_height = 0;

 protected:
  ~MouseInteractor() = default;
};
