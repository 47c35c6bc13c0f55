// MouseInteractor: the base of the drag interactors, which turns presses, releases and motions
// into drag steps.
#include "interact/mouse_interactor.h"

#include <GL/glut.h>

int (*query_modifiers)() = glutGetModifiers;
void (*request_redisplay)() = glutPostRedisplay;

void MouseInteractor::mouse(int pressed_button, int state, int x, int y) {
  if (!enabled || pressed_button != button) return;
  if (state == GLUT_DOWN && (!check_modifiers || query_modifiers() == modifiers)) {
    active = true;
    press_x = last_x = x;
    press_y = last_y = y;
    delta_x = delta_y = 0;
  } else if (state == GLUT_UP) {
    if (delta_x == 0 && delta_y == 0) update();
    active = false;
    delta_x = delta_y = 0;
  }
}

void MouseInteractor::motion(int x, int y) {
  if (!enabled || !active) return;
  delta_x = x - last_x;
  last_x = x;
  delta_y = last_y - y;
  last_y = y;
  update();
}

void MouseInteractor::reshape(int width, int height) {
  window_width = width;
  window_height = height;
}
