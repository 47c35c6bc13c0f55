// The GLUT callbacks of the interaction framework: one per event kind, each offering its event
// to the listed interactors in list order.
#include "interact/glut_dispatch.h"

#include <GL/glut.h>

#include "interact/interactor_list.h"

namespace {

// The walk of every event: front to back, while `propagate` holds. The position is re-read
// after each call, so an operation must not remove its own interactor.
template <typename... Params, typename... Args>
void walk_interactors(void (Interactor::*operation)(Params...), Args... args) {
  propagate = true;
  for (std::size_t i = 0; i < interactors.size() && propagate; ++i)
    (interactors[i]->*operation)(args...);
}

}  // namespace

void install_glut_callbacks() {
  glutDisplayFunc(dispatch_display);
  glutIdleFunc(nullptr);
  glutKeyboardFunc(dispatch_keyboard);
  glutMenuStatusFunc(dispatch_menu_status);
  glutMotionFunc(dispatch_motion);
  glutMouseFunc(dispatch_mouse);
  glutPassiveMotionFunc(dispatch_passive_motion);
  glutReshapeFunc(dispatch_reshape);
  glutSpecialFunc(dispatch_special);
  glutVisibilityFunc(dispatch_visibility);
}

void dispatch_display() { walk_interactors(&Interactor::display); }

void dispatch_keyboard(unsigned char key, int x, int y) {
  walk_interactors(&Interactor::keyboard, key, x, y);
}

void dispatch_menu_status(int status, int x, int y) {
  walk_interactors(&Interactor::menu_status, status, x, y);
}

void dispatch_motion(int x, int y) { walk_interactors(&Interactor::motion, x, y); }

void dispatch_mouse(int button, int state, int x, int y) {
  walk_interactors(&Interactor::mouse, button, state, x, y);
}

void dispatch_passive_motion(int x, int y) {
  walk_interactors(&Interactor::passive_motion, x, y);
}

void dispatch_reshape(int width, int height) {
  walk_interactors(&Interactor::reshape, width, height);
}

void dispatch_special(int key, int x, int y) { walk_interactors(&Interactor::special, key, x, y); }

void dispatch_visibility(int state) { walk_interactors(&Interactor::visibility, state); }
