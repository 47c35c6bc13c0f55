// PanInteractor and DollyInteractor: the drag interactors that move the scene in the x/y plane
// and along z by 0.01 scene units per pixel of mouse motion.
#pragma once

#include "interact/mouse_interactor.h"
#include "interact/quaternion.h"
#include "interact/vector3.h"

// What the pan and the dolly share: an accumulated translation and how a step moves it.
class TranslationInteractor : public MouseInteractor {
 public:
  void apply_transform() const override;          // glTranslatef by translation
  void apply_inverse_transform() const override;  // glTranslatef by -translation
  Matrix4 get_transform() const override;
  Matrix4 get_inverse_transform() const override;

  bool invert = false;                         // reverses the sense of the motion
  const Quaternion* follow_rotation = nullptr;  // turns the motion when set; never owned
  Vector3 translation;
  float step = 0.01f;  // scene units per pixel

 protected:
  ~TranslationInteractor() = default;

  // Adds step × v to translation, or subtracts it when `subtract` differs from invert, v first
  // turned by follow_rotation when set; then asks GLUT for a redisplay.
  void move(Vector3 v, bool subtract);
};

class PanInteractor : public TranslationInteractor {
 public:
  // Moves by (delta_x, delta_y, 0): right and up by default.
  void update() override;
};

class DollyInteractor : public TranslationInteractor {
 public:
  // Moves by -(0, 0, delta_y): a drag upwards moves the scene away by default.
  void update() override;
};
