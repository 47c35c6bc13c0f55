// Test helper: kestrel's own start-up and main loop, with one more interactor behind
// object_navigator that prints the navigator's state on standard output after every mouse
// button release. Usage: navigator_probe [switches]
#include <GL/glut.h>

#include <cstdio>

#include "app/startup.h"
#include "interact/interactor_list.h"
#include "interact/navigators.h"

namespace {

// Prints "trackball X Y Z W COUNT pan X Y Z dolly X Y Z".
class StateReporter : public Interactor {
 public:
  void mouse(int /*button*/, int state, int /*x*/, int /*y*/) override {
    if (state != GLUT_UP) return;
    const Quaternion& r = object_navigator.trackball.rotation;
    const Vector3& p = object_navigator.pan.translation;
    const Vector3& d = object_navigator.dolly.translation;
    std::printf("trackball %.6f %.6f %.6f %.6f %d pan %.6f %.6f %.6f dolly %.6f %.6f %.6f\n", r.x,
                r.y, r.z, r.w, r.mult_count, p.x, p.y, p.z, d.x, d.y, d.z);
    std::fflush(stdout);
  }
};

StateReporter reporter;

}  // namespace

int main(int argc, char** argv) {
  if (!start_test(argc, argv)) return 1;
  add_interactor(&reporter, true);
  glutMainLoop();
  return 0;
}
