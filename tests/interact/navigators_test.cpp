// NavigationInteractor: the three button layouts, camera mode, and the events passed on to
// its members.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <string>

#include "drag_test_support.h"
#include "interact/navigators.h"

namespace {

// Which members start a drag at a press of `button` with `held` modifiers: a string of
// t (trackball), p (pan) and d (dolly).
std::string drag_starters(int layout, int button, int held) {
  NavigationInteractor navigator(layout);
  hold_modifiers(held);
  navigator.mouse(button, GLUT_DOWN, 10, 10);
  return std::string(navigator.trackball.active ? "t" : "") + (navigator.pan.active ? "p" : "") +
         (navigator.dolly.active ? "d" : "");
}

constexpr int shift = GLUT_ACTIVE_SHIFT;
constexpr int ctrl = GLUT_ACTIVE_CTRL;
constexpr int left = GLUT_LEFT_BUTTON;
constexpr int middle = GLUT_MIDDLE_BUTTON;
constexpr int right = GLUT_RIGHT_BUTTON;

}  // namespace

TEST(NavigationInteractor, LayoutOneDragsWithTheLeftButtonAndExactModifiers) {
  EXPECT_EQ(drag_starters(1, left, 0), "t");
  EXPECT_EQ(drag_starters(1, left, shift), "p");
  EXPECT_EQ(drag_starters(1, left, ctrl), "d");
  EXPECT_EQ(drag_starters(1, left, shift | ctrl), "");
  EXPECT_EQ(drag_starters(1, middle, 0), "");
  EXPECT_EQ(drag_starters(1, right, ctrl), "");
}

TEST(NavigationInteractor, LayoutTwoPansWithTheMiddleButton) {
  EXPECT_EQ(drag_starters(2, left, 0), "t");
  EXPECT_EQ(drag_starters(2, middle, 0), "p");
  EXPECT_EQ(drag_starters(2, left, ctrl), "d");
  EXPECT_EQ(drag_starters(2, left, shift), "");
  EXPECT_EQ(drag_starters(2, middle, shift), "");
}

TEST(NavigationInteractor, LayoutThreeAndAnyOtherUseThreeButtons) {
  for (const int layout : {3, 0, 7}) {
    EXPECT_EQ(drag_starters(layout, left, 0), "t") << layout;
    EXPECT_EQ(drag_starters(layout, middle, 0), "p") << layout;
    EXPECT_EQ(drag_starters(layout, right, 0), "d") << layout;
    EXPECT_EQ(drag_starters(layout, right, ctrl), "") << layout;
  }
}

TEST(NavigationInteractor, CameraModeReversesAndFollowsTheTrackball) {
  NavigationInteractor navigator(1);
  EXPECT_FALSE(navigator.camera_mode);
  navigator.set_camera_mode(true);
  EXPECT_TRUE(navigator.camera_mode);
  EXPECT_TRUE(navigator.trackball.invert && navigator.pan.invert && navigator.dolly.invert);
  EXPECT_EQ(navigator.pan.follow_rotation, &navigator.trackball.rotation);
  EXPECT_EQ(navigator.dolly.follow_rotation, &navigator.trackball.rotation);
  EXPECT_EQ(navigator.trackball.follow_rotation, nullptr);

  // Switching it off keeps a rotation followed from elsewhere.
  const Quaternion elsewhere;
  navigator.dolly.follow_rotation = &elsewhere;
  navigator.set_camera_mode(false);
  EXPECT_FALSE(navigator.trackball.invert || navigator.pan.invert || navigator.dolly.invert);
  EXPECT_EQ(navigator.pan.follow_rotation, nullptr);
  EXPECT_EQ(navigator.dolly.follow_rotation, &elsewhere);
}

TEST(NavigationInteractor, CameraModePansAgainstTheDragAlongTheTurnedAxes) {
  NavigationInteractor navigator(1);
  navigator.set_camera_mode(true);
  hold_modifiers(shift);
  navigator.mouse(left, GLUT_DOWN, 100, 100);
  navigator.motion(110, 95);
  EXPECT_NEAR(navigator.pan.translation.x, -0.1f, 1e-6);
  EXPECT_NEAR(navigator.pan.translation.y, -0.05f, 1e-6);

  navigator.trackball.rotation = Quaternion::from_axis_angle({0, 0, 1}, 1.5707964f);
  navigator.motion(120, 95);
  EXPECT_NEAR(navigator.pan.translation.x, -0.1f, 1e-6);
  EXPECT_NEAR(navigator.pan.translation.y, -0.15f, 1e-6);
}

TEST(NavigationInteractor, EventsReachAllThreeMembers) {
  NavigationInteractor navigator(3);
  navigator.reshape(300, 200);
  EXPECT_EQ(navigator.trackball.window_width, 300);
  EXPECT_EQ(navigator.pan.window_width, 300);
  EXPECT_EQ(navigator.dolly.window_height, 200);

  hold_modifiers(0);
  navigator.mouse(middle, GLUT_DOWN, 10, 10);
  navigator.motion(20, 10);
  EXPECT_NEAR(navigator.pan.translation.x, 0.1f, 1e-6);

  navigator.disable();
  EXPECT_TRUE(navigator.enabled);
  EXPECT_FALSE(navigator.trackball.enabled || navigator.pan.enabled || navigator.dolly.enabled);
  navigator.motion(30, 10);
  EXPECT_NEAR(navigator.pan.translation.x, 0.1f, 1e-6);
  navigator.enable();
  EXPECT_TRUE(navigator.trackball.enabled && navigator.pan.enabled && navigator.dolly.enabled);
}

TEST(NavigationInteractor, AReleaseAfterATurnRedisplaysThroughPanAndDolly) {
  NavigationInteractor navigator(1);
  navigator.reshape(200, 100);
  hold_modifiers(0);
  navigator.mouse(left, GLUT_DOWN, 100, 50);
  navigator.motion(110, 50);
  EXPECT_EQ(take_redisplay_requests(), 1);
  navigator.mouse(left, GLUT_UP, 110, 50);
  // The trackball's last step was not zero; the pan's and the dolly's were.
  EXPECT_EQ(take_redisplay_requests(), 2);
  EXPECT_FALSE(navigator.trackball.active);
}
