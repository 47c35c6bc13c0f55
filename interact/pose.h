// Where the navigators hold the scene, as plain values: a pose per navigator and the view they
// make together, so that whoever draws or measures a panel can be handed one explicitly.
#pragma once

#include "interact/matrix4.h"
#include "interact/quaternion.h"
#include "interact/vector3.h"

// One navigator's transform in parts: the scene turned by `rotation` about `centre`, then
// dollied, then panned.
struct Pose {
  Vector3 pan, dolly, centre;
  Quaternion rotation;
};

// The camera's pose, whose inverse comes first, and the object's.
struct SceneView {
  Pose camera, object;
};

// T(centre) R T(-centre): the rotation `rotation` about `centre`.
Matrix4 rotation_about(const Vector3& centre, const Quaternion& rotation);

// T(pan) T(dolly) T(centre) R T(-centre), and its exact inverse, multiplied in the same order
// as the GL calls that apply them.
Matrix4 pose_transform(const Pose& pose);
Matrix4 pose_inverse_transform(const Pose& pose);
