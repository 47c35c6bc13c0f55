// Test helper: kestrel's own start-up and main loop, with one more interactor at the end of the
// list that prints the test's state on standard output, so that scripts can follow what real X
// input did. Usage: state_probe [switches]
//
// Each line is "EVENT trackball X Y Z W COUNT pan X Y Z dolly X Y Z tmu N threshold N zoom Z",
// EVENT being "key" after every key, "release" after every mouse button release, and "change"
// when the state changed otherwise (a menu choice), seen by a 20 ms poll.
#include <GL/glut.h>

#include <cstdio>
#include <string>

#include "app/startup.h"
#include "app/test_state.h"
#include "interact/interactor_list.h"
#include "interact/navigators.h"

namespace {

std::string state_line() {
  const Quaternion& r = object_navigator.trackball.rotation;
  const Vector3& p = object_navigator.pan.translation;
  const Vector3& d = object_navigator.dolly.translation;
  char line[512];
  std::snprintf(line, sizeof line,
                "trackball %.6f %.6f %.6f %.6f %d pan %.6f %.6f %.6f dolly %.6f %.6f %.6f "
                "tmu %d threshold %d zoom %.7f",
                r.x, r.y, r.z, r.w, r.mult_count, p.x, p.y, p.z, d.x, d.y, d.z,
                test_state.current_tmu, test_state.threshold_index, test_state.zoom);
  return line;
}

std::string last_reported;

void report(const char* event) {
  last_reported = state_line();
  std::printf("%s %s\n", event, last_reported.c_str());
  std::fflush(stdout);
}

class StateReporter : public Interactor {
 public:
  void keyboard(unsigned char, int, int) override { report("key"); }
  void mouse(int, int state, int, int) override {
    if (state == GLUT_UP) report("release");
  }
};

StateReporter reporter;

void poll_for_changes(int) {
  if (state_line() != last_reported) report("change");
  glutTimerFunc(20, poll_for_changes, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (!start_test(argc, argv)) return 1;
  add_interactor(&reporter, true);
  last_reported = state_line();
  glutTimerFunc(20, poll_for_changes, 0);
  glutMainLoop();
  return 0;
}
