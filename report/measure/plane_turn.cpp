// The plane turned about the viewing axis through object_navigator's trackball.
#include "report/measure/plane_turn.h"

#include "interact/angles.h"
#include "interact/navigators.h"

PlaneTurn::PlaneTurn(double degrees) : saved_(object_navigator.trackball.rotation) {
  Quaternion turned =
      Quaternion::from_axis_angle({0.0f, 0.0f, 1.0f}, static_cast<float>(radians(degrees)));
  turned.multiply(saved_);
  object_navigator.trackball.rotation = turned;
}

PlaneTurn::~PlaneTurn() { object_navigator.trackball.rotation = saved_; }
