// The user's controls of the test: key handling and the pop-up menu built on it.
#include "app/controls.h"

#include <GL/glut.h>

#include "app/test_state.h"
#include "interact/navigators.h"

namespace {

constexpr int max_threshold_index = 15;
constexpr double zoom_step = 0.1;

// Steps `value` by `delta` unless that would leave [low, high].
void step_within(int& value, int delta, int low, int high) {
  if (value + delta >= low && value + delta <= high) value += delta;
}

// The zoom is kept in single precision: each step is taken in double precision and rounded.
void step_zoom(double delta) { test_state.zoom = static_cast<float>(test_state.zoom + delta); }

struct MenuEntry {
  const char* text;
  unsigned char key;
};

int create_submenu(const MenuEntry (&entries)[2]) {
  const int menu = glutCreateMenu(handle_menu);
  for (const MenuEntry& entry : entries) glutAddMenuEntry(entry.text, entry.key);
  return menu;
}

}  // namespace

void handle_key(unsigned char key, int, int) {
  switch (key) {
    case 'e': step_within(test_state.current_tmu, +1, 0, test_state.tmu_count - 1); break;
    case 'd': step_within(test_state.current_tmu, -1, 0, test_state.tmu_count - 1); break;
    case 'w': step_within(test_state.threshold_index, +1, 0, max_threshold_index); break;
    case 's': step_within(test_state.threshold_index, -1, 0, max_threshold_index); break;
    case 'q': step_zoom(-zoom_step); break;
    case 'a': step_zoom(+zoom_step); break;
    default: break;
  }
  object_navigator.dolly.translation.z = -test_state.zoom;
  glutPostRedisplay();
}

void handle_menu(int value) { handle_key(static_cast<unsigned char>(value), 0, 0); }

void create_menu() {
  const int tmu_menu = create_submenu({{"increase current TMU index [e]", 'e'},
                                       {"decrease current TMU index [d]", 'd'}});
  const int threshold_menu = create_submenu({{"increase color delta threshold [w]", 'w'},
                                             {"decrease color delta threshold [s]", 's'}});
  const int zoom_menu = create_submenu({{"zoom in [q]", 'q'}, {"zoom out [a]", 'a'}});
  glutCreateMenu(handle_menu);
  glutAddSubMenu("TMU", tmu_menu);
  glutAddSubMenu("Color delta threshold", threshold_menu);
  glutAddSubMenu("Zoom", zoom_menu);
  glutAttachMenu(GLUT_RIGHT_BUTTON);
}
