// Test helper (state_probe [switches]): kestrel with a last interactor printing "EVENT state_line"
// after each "key", button "release", or other "change" a 20 ms poll sees, for scripts to follow.
#include <GL/glut.h>

#include <cstdio>
#include <string>

#include "app/startup.h"
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

struct StateReporter : Interactor {
  void keyboard(unsigned char, int, int) override { report("key"); }
  void mouse(int, int state, int, int) override {
    if (state == GLUT_UP) report("release");
  }
} reporter;

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
}
