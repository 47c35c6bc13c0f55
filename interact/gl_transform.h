// The two calls that hand the interactors' translations and rotations to OpenGL; both multiply
// the current GL matrix and need a current GL context.
#pragma once

#include "interact/quaternion.h"
#include "interact/vector3.h"

// glTranslatef by v.
void gl_translate(const Vector3& v);

// glRotatef by the axis and angle (in degrees) of q's get_axis_angle.
void gl_rotate(const Quaternion& q);
