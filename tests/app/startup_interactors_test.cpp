// The start-up's interaction framework on the real driver: the interactors listed in their
// order and configured, and the window's own reshape reaching them through GLUT.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

#include "app/startup.h"
#include "interact/callback_interactor.h"
#include "interact/interactor_list.h"
#include "interact/navigators.h"
#include "interact/perspective_reshaper.h"
#include "start_test_support.h"

namespace {

}  // namespace

TEST(StartUpInteractors, ListedInEventOrder) {
  START_TEST_OR_SKIP();
  EXPECT_EQ(interactors, (InteractorList{&callback_interactor, &perspective_reshaper,
                                         &object_navigator}));
}

TEST(StartUpInteractors, ObjectNavigatorStartsTiltedBackAtTheViewingDistance) {
  START_TEST_OR_SKIP();
  const NavigationInteractor& n = object_navigator;
  EXPECT_FALSE(n.camera_mode);
  EXPECT_EQ(n.trackball.button, GLUT_LEFT_BUTTON);
  EXPECT_EQ(n.trackball.modifiers, 0);
  EXPECT_EQ(n.pan.button, GLUT_LEFT_BUTTON);
  EXPECT_EQ(n.pan.modifiers, GLUT_ACTIVE_SHIFT);
  EXPECT_EQ(n.dolly.button, GLUT_LEFT_BUTTON);
  EXPECT_EQ(n.dolly.modifiers, GLUT_ACTIVE_CTRL);
  EXPECT_EQ(n.dolly.translation.z, -3.5f);
  EXPECT_EQ(n.pan.translation.x, 0.0f);
  EXPECT_EQ(n.pan.translation.y, 0.05f);
  // sin and cos of -37.5 degrees: the -75 degree tilt about x, one product old.
  EXPECT_NEAR(n.trackball.rotation.x, -0.6087614f, 1e-6);
  EXPECT_EQ(n.trackball.rotation.y, 0.0f);
  EXPECT_EQ(n.trackball.rotation.z, 0.0f);
  EXPECT_NEAR(n.trackball.rotation.w, 0.7933533f, 1e-6);
  EXPECT_EQ(n.trackball.rotation.mult_count, 1);
}

TEST(StartUpInteractors, CameraNavigatorIsInCameraModeAndUnmoved) {
  START_TEST_OR_SKIP();
  const NavigationInteractor& n = camera_navigator;
  EXPECT_TRUE(n.camera_mode);
  EXPECT_TRUE(n.trackball.invert && n.pan.invert && n.dolly.invert);
  EXPECT_EQ(n.pan.follow_rotation, &n.trackball.rotation);
  EXPECT_EQ(n.pan.modifiers, GLUT_ACTIVE_SHIFT);
  EXPECT_EQ(n.trackball.rotation.w, 1.0f);
  EXPECT_EQ(n.dolly.translation.z, 0.0f);
}

TEST(StartUpInteractors, TheWindowsReshapeReachesReshaperAndNavigator) {
  START_TEST_OR_SKIP();
  for (int turn = 0; turn < 1000 && perspective_reshaper.width == 0; ++turn) {
    glutMainLoopEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(perspective_reshaper.width, 1024);
  EXPECT_EQ(perspective_reshaper.height, 512);
  EXPECT_EQ(perspective_reshaper.aspect, 2.0f);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 1024, 512}));
  EXPECT_EQ(object_navigator.trackball.window_width, 1024);
  EXPECT_EQ(object_navigator.dolly.window_height, 512);
}
