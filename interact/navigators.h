// NavigationInteractor: a trackball, a pan and a dolly held together, with their buttons and
// modifier keys, and the two process-wide navigators of the scene.
#pragma once

#include "interact/interactor.h"
#include "interact/pose.h"
#include "interact/trackball_interactor.h"
#include "interact/translation_interactors.h"

class NavigationInteractor : public Interactor {
 public:
  // Builds the members with set_button_layout(layout) and camera mode off.
  explicit NavigationInteractor(int layout);
  NavigationInteractor(const NavigationInteractor&) = delete;
  NavigationInteractor& operator=(const NavigationInteractor&) = delete;

  // Each passes the call on to trackball, pan and dolly, in this order.
  void motion(int x, int y) override;
  void mouse(int button, int state, int x, int y) override;
  void reshape(int width, int height) override;
  void enable() override;
  void disable() override;

  // Sets the button and required modifiers of each member, nothing else:
  //   1: trackball left; pan left + Shift; dolly left + Ctrl
  //   2: trackball left; pan middle;       dolly left + Ctrl
  //   any other: trackball left; pan middle; dolly right
  // Modifiers not named must not be held.
  void set_button_layout(int layout);

  // On: every member inverts its sense, and pan and dolly follow the trackball's rotation.
  // Off: no member inverts, and pan and dolly stop following that rotation (a rotation
  // followed from elsewhere is kept).
  void set_camera_mode(bool on);

  // Multiplies the current GL matrix by T(pan) T(dolly) T(centre) R T(-centre): the scene is
  // turned about the centre first, then dollied and panned.
  void apply_transform() const;

  // The exact inverse of apply_transform.
  void apply_inverse_transform() const;

  // The parts of the transform as values.
  Pose pose() const;
  // The matrices that apply_transform and apply_inverse_transform multiply by.
  Matrix4 get_transform() const;
  Matrix4 get_inverse_transform() const;

  bool camera_mode = false;
  TrackballInteractor trackball;
  PanInteractor pan;
  DollyInteractor dolly;

 private:
  void follow_trackball(TranslationInteractor& member, bool on);

  // The members in the order every event reaches them.
  MouseInteractor* const members[3] = {&trackball, &pan, &dolly};
};

// Never in the interactor list: its transform stays the identity, and each panel applies its
// inverse before the object's transform.
extern NavigationInteractor camera_navigator;

// In the interactor list: left drags turn, pan and dolly the textured plane.
extern NavigationInteractor object_navigator;

// The view the two navigators make now.
SceneView navigators_view();
