// The test's start-up, step by step in its fixed order, and the hand-over to the main loop.
#include "app/startup.h"

#include <GL/glut.h>
#include <strings.h>

#include <cstdio>

#include "app/platform.h"
#include "glh/glh_extensions.h"

namespace {

constexpr const char* unsupported_message =
    "Required OpenGL extensions are not supported, cannot start";

constexpr int max_tmu_count = 4;

// Stands in for the panels: a cleared frame.
void display_cleared_frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}

// The toolkit sees only the program name: the switches are the test's own.
void open_window(const char* program_name, const TestState& state) {
  int toolkit_argc = 1;
  char* toolkit_argv[] = {const_cast<char*>(program_name), nullptr};
  glutInit(&toolkit_argc, toolkit_argv);
  glutInitWindowSize(state.no_af ? 256 : 1024, 512);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutCreateWindow("Kestrel");
}

int count_texture_units(const TestState& state) {
  GLint units = 1;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
  if (units > max_tmu_count) units = max_tmu_count;
  if (state.no_mt) units = 1;
  return units;
}

}  // namespace

void parse_switches(int argc, const char* const* argv, TestState& state) {
  struct Switch {
    const char* text;
    bool TestState::*flag;
  };
  static constexpr Switch switches[] = {
      {"-noaf", &TestState::no_af},
      {"-tc", &TestState::tc},
      {"-noaftrick", &TestState::no_af_trick},
      {"-nomt", &TestState::no_mt},
  };
  for (int i = 1; i < argc; ++i)
    for (const Switch& s : switches)
      if (strcasecmp(argv[i], s.text) == 0) state.*s.flag = true;
}

bool start_test(int argc, char** argv) {
  parse_switches(argc, argv, test_state);
  open_window(argc > 0 ? argv[0] : "kestrel", test_state);
  if (!glh::request_extensions(required_extensions)) {
    std::fprintf(stderr, "%s\n", unsupported_message);
    show_error_message("Error", unsupported_message);
    return false;
  }
  test_state.tmu_count = count_texture_units(test_state);
  glEnable(GL_DEPTH_TEST);
  glutDisplayFunc(display_cleared_frame);
  return true;
}

int run_test(int argc, char** argv) {
  if (!display_available()) {
    const char* const name = display_name();
    if (*name == '\0')
      std::fprintf(stderr, "kestrel: no X display (DISPLAY is not set). The test draws in a "
                           "window: run it from a desktop session.\n");
    else
      std::fprintf(stderr, "kestrel: cannot open the X display \"%s\". The test draws in a "
                           "window: run it from a desktop session.\n", name);
    return 1;
  }
  if (!start_test(argc, argv)) return 0;
  glutMainLoop();
  return 0;
}
