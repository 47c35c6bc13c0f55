// The interaction framework without GL: math, the interactor list and walk, hooks and drags.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>

#include "drag_test_support.h"
#include "interact/angles.h"
#include "interact/callback_interactor.h"
#include "interact/glut_dispatch.h"
#include "interact/interactor_list.h"
#include "interact/navigators.h"
#include "math_expect.h"

namespace {

constexpr float quarter = float(pi / 2);
constexpr int left = GLUT_LEFT_BUTTON, middle = GLUT_MIDDLE_BUTTON, right = GLUT_RIGHT_BUTTON;
constexpr int shift = GLUT_ACTIVE_SHIFT, ctrl = GLUT_ACTIVE_CTRL;
const Quaternion about_z = Quaternion::from_axis_angle({0, 0, 1}, quarter);

// Summed in float, 4097² - 4095² and 2^24 + 1 - 2^24 would lose their low bits.
TEST(Vector3, ProductsAreSummedInDoublePrecisionAndShortVectorsKeptAsTheyAre) {
  expect_vector(cross({0, 4097, 4095}, {0, 4095, 4097}), {16384, 0, 0});
  EXPECT_EQ(dot({4096, 1, -4096}, {4096, 1, 4096}), 1.0f);
  Vector3 tiny{0, 0, 0.000005f}, small{0, 0.00002f, 0};
  EXPECT_EQ(tiny.normalize(), 0.000005f);
  small.normalize();
  expect_vector(tiny, {0, 0, 0.000005f});
  expect_vector(small, {0, 1, 0});
}

// Checked through rotate_vector, the matrix, and back through the conjugate.
TEST(Quaternion, RotationsTurnVectorsAboutTheirAxisByTheRightHandRule) {
  const std::tuple<Vector3, float, Vector3, Vector3> cases[] = {  // axis, angle, from, to
      {{0, 0, 1}, quarter, {1, 0, 0}, {0, 1, 0}},
      {{0, 2, 0}, quarter, {0, 0, 1}, {1, 0, 0}},  // an axis of any length
      {{1, 0, 0}, -quarter, {0, 1, 0}, {0, 0, -1}},
      {{1, 1, 1}, float(2 * pi / 3), {1, 0, 0}, {0, 1, 0}},
      {{0, 1, 0}, float(pi), {1, 2, 3}, {-1, 2, -3}}};
  for (const auto& [axis, angle, from, to] : cases) {
    const Quaternion q = Quaternion::from_axis_angle(axis, angle);
    expect_vector(q.rotate_vector(from), to);
    expect_vector(transformed(q.to_matrix(), from), to);
    expect_vector(q.conjugate().rotate_vector(to), from);
  }
}

// Rotations without a defined axis, or whose scalar part drifted just past ±1, stay finite.
TEST(Quaternion, DegenerateRotationsGiveTheIdentityOrAFiniteAngle) {
  for (const Vector3 axis : {Vector3{0, 0, 0}, Vector3{0, 0, 0.001f}}) {
    expect_quaternion(Quaternion::from_axis_angle(axis, 1), 0, 0, 0, 0);
    expect_matrix(Quaternion::from_axis_angle(axis, 1).to_matrix(), Matrix4{});
  }
  for (const float w : {1.0000001f, 1.0f, -1.0000001f})
    EXPECT_FLOAT_EQ(Quaternion({0, 0, 0, w, 0}).get_axis_angle().angle, w < 0 ? 2 * pi : 0);
}

// The right operand turns first, and a product with itself uses the old values of both.
TEST(Quaternion, ProductsTurnByTheRightOperandFirstAndRenormaliseAfter64) {
  Quaternion z_after_x = about_z, half = about_z, q;
  z_after_x.multiply(Quaternion::from_axis_angle({1, 0, 0}, quarter));
  expect_vector(z_after_x.rotate_vector({0, 1, 0}), {0, 0, 1});
  half.mult_count = 1;
  half.multiply(half);
  expect_vector(half.rotate_vector({1, 0, 0}), {-1, 0, 0});
  EXPECT_EQ(half.mult_count, 3);
  Quaternion step = Quaternion::from_axis_angle({0, 1, 0}, 0.01f);
  step.x *= 1.001f, step.y *= 1.001f, step.z *= 1.001f, step.w *= 1.001f;  // 0.1% too long
  for (int i = 1; i <= 64; ++i) q.multiply(step);
  EXPECT_EQ(q.mult_count, 64);
  EXPECT_GT(std::hypot(std::hypot(q.x, q.y), std::hypot(q.z, q.w)), 1.06);
  q.multiply(step);
  EXPECT_EQ(q.mult_count, 0);
  EXPECT_NEAR(std::hypot(std::hypot(q.x, q.y), std::hypot(q.z, q.w)), 1.0, 1e-6);
}

TEST(Matrix4, AProductWithItselfUsesTheOldValues) {
  Matrix4 quarter_z = about_z.to_matrix();
  quarter_z.multiply(quarter_z);
  expect_vector(transformed(quarter_z, {1, 2, 3}), {-1, -2, 3});
}

std::string events;               // what the recording interactors received, in order
std::function<void()> at_display;  // what the interactor 'm' does at a display event

template <typename... Ints>
void record(char who, const char* what, Ints... values) {
  events += std::string(1, who) + ":" + what;
  ((events += " " + std::to_string(values)), ...);
  events += ";";
}

// Records events under `name`; 'b' keeps keys from those behind, 'm' runs at_display on display.
template <char name>
CallbackInteractor recorder() {
  CallbackInteractor hooks;
  hooks.display_hook = [] {
    record(name, "display");
    if (name == 'm') at_display();
  };
  hooks.keyboard_hook = [](unsigned char key, int x, int y) {
    record(name, "keyboard", key, x, y);
    if (name == 'b') propagate = false;
  };
  hooks.reshape_hook = [](int width, int height) { record(name, "reshape", width, height); };
  hooks.special_hook = [](int key, int x, int y) { record(name, "special", key, x, y); };
  return hooks;
}

// An empty list and record; drags with played modifiers and counted redisplays, no X input.
class Interaction : public testing::Test {
 protected:
  void SetUp() override {
    interactors.clear();
    events.clear();
    at_display = nullptr;
    hold_modifiers(0);
  }

  CallbackInteractor a = recorder<'a'>(), b = recorder<'b'>(), c = recorder<'c'>();
};

TEST_F(Interaction, TheWalkGoesFrontToBackUntilAnInteractorStopsIt) {
  dispatch_display();
  add_interactor(&b, true);
  add_interactor(&c, true);
  add_interactor(&a, false);
  add_interactor(&b, true);  // moved to the back
  remove_interactor(&c);
  remove_interactor(&c);
  add_interactor(&c, false);
  EXPECT_EQ(interactors, (InteractorList{&c, &a, &b}));
  dispatch_reshape(8, 6);
  interactors = {&a, &b, &c};
  dispatch_keyboard('x', 1, 2);
  dispatch_special(3, 4, 5);
  EXPECT_EQ(events, "c:reshape 8 6;a:reshape 8 6;b:reshape 8 6;a:keyboard 120 1 2;"
                    "b:keyboard 120 1 2;a:special 3 4 5;b:special 3 4 5;c:special 3 4 5;");
}

// One that removes itself goes on safely; one added behind the current one gets it in turn.
TEST_F(Interaction, HandlersMayAddAndRemoveInteractorsDuringTheWalk) {
  CallbackInteractor m = recorder<'m'>();
  const std::pair<std::function<void()>, const char*> changes[] = {
      {[&] { remove_interactor(&a); }, ""},      // the one before it
      {[&] { add_interactor(&m, false); }, ""},  // itself, to the front
      {[&] { remove_interactor(&m); }, ""},      // itself
      {[&] { add_interactor(&a, true); }, ""},   // an earlier one, to the back
      {[&] { add_interactor(&b, true); }, "b:display;"}};
  for (const auto& [change, added] : changes) {
    at_display = change;
    interactors = {&a, &m, &c};
    events.clear();
    dispatch_display();
    EXPECT_EQ(events, std::string("a:display;m:display;c:display;") + added);
  }
}

// Modifiers are asked for only at a press that could start a drag. Steps count upwards positive; a
// zero step moves nothing but asks for a redisplay. A release ends the drag whatever the modifiers,
// updating only after a zero step. Disabled, it ignores the mouse but records the window size.
TEST_F(Interaction, ADragStartsAtItsPressAndFollowsEachStepUntilItsRelease) {
  PanInteractor pan;
  pan.modifiers = shift;
  hold_modifiers(shift);
  pan.mouse(right, GLUT_DOWN, 0, 0);
  pan.check_modifiers = false;
  pan.mouse(left, GLUT_DOWN, 10, 20);
  pan.check_modifiers = true;
  pan.motion(15, 12);
  pan.motion(15, 12);
  EXPECT_EQ(modifier_queries(), 0);
  EXPECT_EQ(take_redisplay_requests(), 2);
  expect_vector(pan.translation, {0.05f, 0.08f, 0});
  pan.disable();
  pan.motion(30, 30);
  pan.mouse(left, GLUT_UP, 30, 30);
  pan.reshape(640, 480);  // recorded all the same
  EXPECT_TRUE(pan.active && pan.window_height == 480);
  pan.enable();
  pan.mouse(left, GLUT_DOWN, 15, 12);
  pan.motion(16, 12);
  hold_modifiers(0);
  pan.mouse(middle, GLUT_UP, 16, 12);
  pan.mouse(left, GLUT_UP, 16, 12);
  EXPECT_EQ(take_redisplay_requests(), 0);
  pan.mouse(left, GLUT_UP, 16, 12);  // no drag: a zero step
  pan.motion(40, 10);
  EXPECT_EQ(take_redisplay_requests(), 1);
  EXPECT_EQ(modifier_queries(), 0);
  EXPECT_FALSE(pan.active);
  expect_vector(pan.translation, {0.06f, 0.08f, 0});
}

// A trackball over a 200 × 100 window, pressed at (x, y).
TrackballInteractor pressed_trackball(int x = 100, int y = 50, int width = 200, int height = 100) {
  TrackballInteractor trackball;
  trackball.reshape(width, height);
  trackball.mouse(left, GLUT_DOWN, x, y);
  return trackball;
}

// Five pixels from the middle of a 100-pixel-high window lift to a turn of about 0.1 radian.
TEST_F(Interaction, ATrackballTurnsAboutTheAxisAcrossTheDrag) {
  for (const auto& [x, y, axis] : {std::tuple{105, 50, Vector3{0, 1, 0}}, {100, 45, {-1, 0, 0}}}) {
    TrackballInteractor trackball = pressed_trackball();
    trackball.motion(x, y);
    expect_vector(trackball.rotation.get_axis_angle().axis, axis);
    EXPECT_NEAR(trackball.rotation.get_axis_angle().angle, 0.1f, 0.01f);
  }
  EXPECT_EQ(take_redisplay_requests(), 2);
}

// A zero step turns nothing and asks for no redisplay; near-degenerate steps stay finite.
TEST_F(Interaction, ATrackballStaysFiniteAndTurnsAboutItsCentre) {
  TrackballInteractor trackball = pressed_trackball();
  trackball.motion(105, 50);
  const Quaternion turned = trackball.rotation;
  trackball.motion(105, 50);
  expect_quaternion(trackball.increment, 0, 0, 0, 0);
  expect_quaternion(trackball.rotation, turned.x, turned.y, turned.z, turned.w);
  EXPECT_EQ(take_redisplay_requests(), 1);
  // On 4096 × 2048 this edge step's unit vectors dot to 1.0000001 in float, yet give an axis.
  TrackballInteractor edge = pressed_trackball(0, 259, 4096, 2048);
  edge.motion(1, 259);
  EXPECT_FLOAT_EQ(edge.rotation.w, 1.0f);
  TrackballInteractor flat = pressed_trackball(100, 50, 0, 0);  // a window without area
  for (int i = 1; i <= 65; ++i) flat.motion(i % 2 == 1 ? 105 : 100, 50);
  EXPECT_LE(std::abs(flat.rotation.w), 1.0f);
  trackball.centre = {1, 2, 3};
  expect_vector(transformed(trackball.get_transform(), {1, 2, 3}), {1, 2, 3});
  expect_vector(transformed(trackball.get_inverse_transform(), {1, 2, 3}), {1, 2, 3});
}

// Each layout (1 is the program's) binds each member to its button and exactly its modifiers: a
// drag right and up turns (t), pans (p) or dollies away (d).
TEST_F(Interaction, ANavigatorDragsTheMemberOfItsLayoutsButtonAndModifiers) {
  const struct {
    int layout, button, held;
    const char* moved;
  } cases[] = {{1, left, 0, "t"},      {1, left, shift, "p"},   {1, left, ctrl, "d"},
               {1, left, shift | ctrl, ""}, {1, middle, 0, ""}, {1, right, ctrl, ""},
               {2, middle, 0, "p"},    {2, left, ctrl, "d"},    {3, right, 0, "d"}};
  for (const auto& [layout, button, held, moved] : cases) {
    NavigationInteractor navigator(layout);
    hold_modifiers(held);
    navigator.reshape(300, 200);
    navigator.mouse(button, GLUT_DOWN, 150, 100);
    navigator.motion(160, 95);
    const std::string member = moved;
    EXPECT_EQ(navigator.trackball.rotation.mult_count, member == "t") << layout << button << held;
    expect_vector(navigator.pan.translation, member == "p" ? Vector3{0.1f, 0.05f, 0} : Vector3{});
    expect_vector(navigator.dolly.translation, member == "d" ? Vector3{0, 0, -0.05f} : Vector3{});
    EXPECT_EQ(navigator.dolly.window_width, 300);
  }
}

}  // namespace
