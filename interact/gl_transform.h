// The two calls that hand the interactors' translations and rotations to OpenGL; both multiply
// the current GL matrix and need a current GL context.
#pragma once

#include "interact/pose.h"
#include "interact/quaternion.h"
#include "interact/vector3.h"

// glTranslatef by v.
void gl_translate(const Vector3& v);

// glRotatef by the axis and angle (in degrees) of q's get_axis_angle.
void gl_rotate(const Quaternion& q);

// gl_translate(centre), gl_rotate(q), gl_translate(-centre): q about `centre`.
void gl_rotate_about(const Vector3& centre, const Quaternion& q);

// The calls that multiply by pose_transform(pose) and by pose_inverse_transform(pose), factor
// by factor.
void gl_apply_pose(const Pose& pose);
void gl_apply_inverse_pose(const Pose& pose);
