// MouseInteractor's drag rules, seen through a pan: which press starts a drag, what a motion
// records, what a release does, and what a disabled interactor ignores.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "drag_test_support.h"
#include "interact/translation_interactors.h"

namespace {

bool starts_drag(int button, int required, int held, bool check_modifiers = true) {
  PanInteractor pan;
  pan.modifiers = required;
  pan.check_modifiers = check_modifiers;
  hold_modifiers(held);
  pan.mouse(button, GLUT_DOWN, 10, 20);
  return pan.active;
}

}  // namespace

TEST(MouseInteractor, APressStartsADragOnlyWithItsButtonAndExactlyItsModifiers) {
  EXPECT_TRUE(starts_drag(GLUT_LEFT_BUTTON, 0, 0));
  EXPECT_FALSE(starts_drag(GLUT_MIDDLE_BUTTON, 0, 0));
  EXPECT_FALSE(starts_drag(GLUT_LEFT_BUTTON, 0, GLUT_ACTIVE_SHIFT));
  EXPECT_TRUE(starts_drag(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, GLUT_ACTIVE_SHIFT));
  EXPECT_FALSE(
      starts_drag(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL));
  EXPECT_FALSE(starts_drag(GLUT_LEFT_BUTTON, GLUT_ACTIVE_CTRL, 0));
  EXPECT_TRUE(starts_drag(GLUT_LEFT_BUTTON, 0, GLUT_ACTIVE_CTRL, false));
}

TEST(MouseInteractor, ModifiersAreAskedForOnlyAtAPressThatCouldStartADrag) {
  PanInteractor pan;
  hold_modifiers(0);
  pan.mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
  pan.disable();
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
  pan.enable();
  pan.check_modifiers = false;
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
  EXPECT_TRUE(pan.active);
  EXPECT_EQ(modifier_queries(), 0);
  pan.check_modifiers = true;
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
  EXPECT_EQ(modifier_queries(), 1);
}

TEST(MouseInteractor, MotionRecordsTheStepWithUpwardsPositive) {
  PanInteractor pan;
  pan.motion(50, 50);
  EXPECT_EQ(pan.last_x, 0);
  hold_modifiers(0);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 20);
  EXPECT_EQ(pan.press_x, 10);
  EXPECT_EQ(pan.press_y, 20);
  pan.motion(15, 12);
  EXPECT_EQ(pan.delta_x, 5);
  EXPECT_EQ(pan.delta_y, 8);
  EXPECT_EQ(pan.last_x, 15);
  EXPECT_EQ(pan.last_y, 12);
  EXPECT_EQ(pan.press_x, 10);
  EXPECT_FLOAT_EQ(pan.translation.x, 0.05f);
  EXPECT_FLOAT_EQ(pan.translation.y, 0.08f);
}

TEST(MouseInteractor, AReleaseEndsTheDragWhateverTheModifiers) {
  PanInteractor pan;
  pan.modifiers = GLUT_ACTIVE_SHIFT;
  hold_modifiers(GLUT_ACTIVE_SHIFT);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
  pan.motion(20, 10);
  hold_modifiers(0);
  pan.mouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 20, 10);
  EXPECT_TRUE(pan.active);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_UP, 20, 10);
  EXPECT_FALSE(pan.active);
  EXPECT_EQ(pan.delta_x, 0);
  EXPECT_EQ(modifier_queries(), 0);
  pan.motion(40, 10);
  EXPECT_FLOAT_EQ(pan.translation.x, 0.1f);
}

TEST(MouseInteractor, AReleaseUpdatesOnlyAfterAZeroStep) {
  PanInteractor pan;
  hold_modifiers(0);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
  pan.motion(20, 10);
  EXPECT_EQ(take_redisplay_requests(), 1);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_UP, 20, 10);
  EXPECT_EQ(take_redisplay_requests(), 0);

  // A release without a drag is handled too: its step is zero.
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_UP, 20, 10);
  EXPECT_EQ(take_redisplay_requests(), 1);
  EXPECT_FLOAT_EQ(pan.translation.x, 0.1f);
}

TEST(MouseInteractor, ADisabledOneIgnoresTheMouseButRecordsTheWindowSize) {
  PanInteractor pan;
  hold_modifiers(0);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
  pan.disable();
  pan.motion(20, 20);
  pan.mouse(GLUT_LEFT_BUTTON, GLUT_UP, 20, 20);
  EXPECT_TRUE(pan.active);
  EXPECT_EQ(pan.last_x, 10);
  EXPECT_EQ(take_redisplay_requests(), 0);
  pan.reshape(640, 480);
  EXPECT_EQ(pan.window_width, 640);
  EXPECT_EQ(pan.window_height, 480);

  pan.enable();
  pan.motion(20, 20);
  EXPECT_EQ(take_redisplay_requests(), 1);
}
