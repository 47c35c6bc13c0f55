// TrackballInteractor: the drag interactor that turns the scene about a centre, mapping each
// drag step onto a bump-shaped virtual trackball over the window.
#pragma once

#include "interact/mouse_interactor.h"
#include "interact/quaternion.h"
#include "interact/vector3.h"

class TrackballInteractor : public MouseInteractor {
 public:
  // Turns the latest step into `increment` and composes it before `rotation` (screen-space
  // rotation), then asks GLUT for a redisplay. A zero step only sets increment to
  // null_rotation, without a redisplay; a step too small to give an axis leaves rotation as it
  // is but still asks for one.
  void update() override;

  // Translate to centre, rotate, translate back; the inverse rotates by the conjugate.
  void apply_transform() const override;
  void apply_inverse_transform() const override;
  Matrix4 get_transform() const override;
  Matrix4 get_inverse_transform() const override;

  bool invert = false;                         // negates the angle of every step
  const Quaternion* follow_rotation = nullptr;  // turns the axis of every step when set
  Quaternion rotation = Quaternion::from_axis_angle({0.0f, 1.0f, 0.0f}, 0.0f);
  Vector3 centre;
  Quaternion increment = null_rotation;  // the rotation of the latest step
};
