// The GLUT callbacks of the interaction framework: one per event kind, each offering its event
// to the listed interactors in list order.
#include "interact/glut_dispatch.h"

#include <GL/glut.h>

#include <algorithm>
#include <vector>

#include "interact/interactor_list.h"

namespace {

// The walk of every event: front to back, while `propagate` holds. A handler may add or remove
// interactors, itself included, so the walk keeps no position in the list: each step looks up
// the frontmost interactor not offered the event yet. Lists hold a handful of interactors.
template <typename... Params, typename... Args>
void walk_interactors(void (Interactor::*operation)(Params...), Args... args) {
  propagate = true;
  std::vector<Interactor*> offered;
  const auto not_offered = [&offered](Interactor* interactor) {
    return std::find(offered.begin(), offered.end(), interactor) == offered.end();
  };
  while (propagate) {
    const auto next = std::find_if(interactors.begin(), interactors.end(), not_offered);
    if (next == interactors.end()) return;
    Interactor* const interactor = *next;
    offered.push_back(interactor);
    (interactor->*operation)(args...);
  }
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
