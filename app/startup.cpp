// The test's start-up, step by step in its fixed order, and the hand-over to the main loop.
#include "app/startup.h"

#include <GL/freeglut.h>
#include <strings.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/panels.h"
#include "app/plane.h"
#include "app/platform.h"
#include "app/test_objects.h"
#include "app/test_textures.h"
#include "glh/glh_extensions.h"
#include "image/rgb_image.h"
#include "image/unit_pictures.h"
#include "interact/callback_interactor.h"
#include "interact/glut_dispatch.h"
#include "interact/interactor_list.h"
#include "interact/navigators.h"
#include "interact/perspective_reshaper.h"

namespace {

constexpr const char* unsupported_message =
    "Required OpenGL extensions are not supported, cannot start";

constexpr int max_tmu_count = 4;

int count_texture_units(const TestState& state) {
  GLint units = 1;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
  if (units > max_tmu_count) units = max_tmu_count;
  if (state.no_mt) units = 1;
  return units;
}

// Slots 0-3: the pictures of units 0-3, all four whatever tmu_count is.
void create_png_textures(const TestState& state, std::vector<std::string>* unread) {
  const std::vector<RgbImage> pictures = read_unit_pictures(unread);
  for (int unit = 0; unit < png_texture_count; ++unit)
    make_picture_texture(test_textures[unit], pictures[unit], state);
}

// The sixteen colour-mipmap textures of colour delta 0, 2, ..., 30, sharing one pattern.
void create_color_mip_textures(const TestState& state) {
  const ColorMipPattern pattern(color_mip_size);
  for (int k = 0; k < color_mip_texture_count; ++k)
    make_color_mip_texture(test_textures[first_color_mip_slot + k], pattern, 2 * k, state);
}

// Zeroes the r coordinate on every unit in use; the matrices never change afterwards. The last
// unit in use stays active.
void set_texture_matrices(int tmu_count) {
  for (int unit = 0; unit < tmu_count; ++unit) {
    glh::glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(1.0f, 1.0f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
  }
}

}  // namespace

// The camera stays where it is (it receives no events); left drags turn, pan (Shift) and dolly
// (Ctrl) the plane, which starts tilted back at the viewing distance. The list order is the
// order in which every event reaches the interactors.
void configure_interactors(const TestState& state) {
  callback_interactor.keyboard_hook = handle_key;
  camera_navigator.set_button_layout(1);
  camera_navigator.set_camera_mode(true);
  object_navigator.set_button_layout(1);
  const Pose start = start_view(state.zoom).object;
  object_navigator.pan.translation = start.pan;
  object_navigator.dolly.translation = start.dolly;
  object_navigator.trackball.rotation = start.rotation;
  add_interactor(&callback_interactor, true);
  add_interactor(&perspective_reshaper, true);
  add_interactor(&object_navigator, true);
}

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

void open_test_window(const char* program_name, const TestState& state) {
  // The toolkit sees only the program name: the switches are the test's own.
  int toolkit_argc = 1;
  char* toolkit_argv[] = {const_cast<char*>(program_name), nullptr};
  glutInit(&toolkit_argc, toolkit_argv);
  glutInitWindowSize(state.no_af ? test_window_width / 4 : test_window_width, test_window_height);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutCreateWindow("Kestrel");
}

bool set_up_gl_state(TestState& state, bool message_box) {
  if (!glh::request_extensions(required_extensions)) {
    std::fprintf(stderr, "%s\n", unsupported_message);
    if (message_box) show_error_message("Error", unsupported_message);
    return false;
  }
  state.tmu_count = count_texture_units(state);
  glEnable(GL_DEPTH_TEST);
  set_texture_matrices(state.tmu_count);
  return true;
}

bool start_test(int argc, char** argv, bool message_box,
                std::vector<std::string>* unread_pictures) {
  parse_switches(argc, argv, test_state);
  open_test_window(argc > 0 ? argv[0] : "kestrel", test_state);
  if (!set_up_gl_state(test_state, message_box)) return false;
  create_png_textures(test_state, unread_pictures);
  create_color_mip_textures(test_state);
  compile_plane(plane_list, test_state.tmu_count);
  // The toolkit destroys the window and its GL context when the window is closed and, from its
  // own exit handler, when the process ends: its close hook gives the names back first.
  glutCloseFunc(release_test_objects);
  install_glut_callbacks();
  configure_interactors(test_state);
  create_menu();
  glutDisplayFunc(display_panels);  // replaces the framework's display callback
  return true;
}

int run_test(int argc, char** argv) {
  if (!display_available()) {
    std::fprintf(stderr,
                 "kestrel: %s. The test draws in a window: run it from a desktop session.\n",
                 display_problem().c_str());
    return 1;
  }
  if (!start_test(argc, argv)) return 0;
  glutMainLoop();
  return 0;
}
