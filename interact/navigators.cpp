// NavigationInteractor: a trackball, a pan and a dolly held together, and the two process-wide
// navigators of the scene.
#include "interact/navigators.h"

#include <GL/glut.h>

#include "interact/gl_transform.h"

namespace {

struct Binding {
  int button;
  int modifiers;
};

struct ButtonLayout {
  Binding trackball, pan, dolly;
};

constexpr ButtonLayout layout_shift_ctrl = {{GLUT_LEFT_BUTTON, 0},
                                             {GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT},
                                             {GLUT_LEFT_BUTTON, GLUT_ACTIVE_CTRL}};
constexpr ButtonLayout layout_middle_ctrl = {
    {GLUT_LEFT_BUTTON, 0}, {GLUT_MIDDLE_BUTTON, 0}, {GLUT_LEFT_BUTTON, GLUT_ACTIVE_CTRL}};
constexpr ButtonLayout layout_three_buttons = {
    {GLUT_LEFT_BUTTON, 0}, {GLUT_MIDDLE_BUTTON, 0}, {GLUT_RIGHT_BUTTON, 0}};

void bind(MouseInteractor& member, const Binding& binding) {
  member.button = binding.button;
  member.modifiers = binding.modifiers;
}

}  // namespace

NavigationInteractor camera_navigator(3);
NavigationInteractor object_navigator(3);

NavigationInteractor::NavigationInteractor(int layout) {
  set_button_layout(layout);
  camera_mode = false;
}

void NavigationInteractor::motion(int x, int y) {
  for (MouseInteractor* member : members) member->motion(x, y);
}

void NavigationInteractor::mouse(int button, int state, int x, int y) {
  for (MouseInteractor* member : members) member->mouse(button, state, x, y);
}

void NavigationInteractor::reshape(int width, int height) {
  for (MouseInteractor* member : members) member->reshape(width, height);
}

void NavigationInteractor::enable() {
  for (MouseInteractor* member : members) member->enable();
}

void NavigationInteractor::disable() {
  for (MouseInteractor* member : members) member->disable();
}

void NavigationInteractor::set_button_layout(int layout) {
  const ButtonLayout& chosen = layout == 1   ? layout_shift_ctrl
                               : layout == 2 ? layout_middle_ctrl
                                             : layout_three_buttons;
  bind(trackball, chosen.trackball);
  bind(pan, chosen.pan);
  bind(dolly, chosen.dolly);
}

void NavigationInteractor::set_camera_mode(bool on) {
  camera_mode = on;
  trackball.invert = pan.invert = dolly.invert = on;
  follow_trackball(pan, on);
  follow_trackball(dolly, on);
}

void NavigationInteractor::follow_trackball(TranslationInteractor& member, bool on) {
  if (on)
    member.follow_rotation = &trackball.rotation;
  else if (member.follow_rotation == &trackball.rotation)
    member.follow_rotation = nullptr;
}

Pose NavigationInteractor::pose() const {
  return {pan.translation, dolly.translation, trackball.centre, trackball.rotation};
}

void NavigationInteractor::apply_transform() const { gl_apply_pose(pose()); }

void NavigationInteractor::apply_inverse_transform() const { gl_apply_inverse_pose(pose()); }

Matrix4 NavigationInteractor::get_transform() const { return pose_transform(pose()); }

Matrix4 NavigationInteractor::get_inverse_transform() const {
  return pose_inverse_transform(pose());
}

SceneView navigators_view() { return {camera_navigator.pose(), object_navigator.pose()}; }
