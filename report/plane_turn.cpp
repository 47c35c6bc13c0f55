// The plane turned about the viewing axis through object_navigator's trackball.
#include "report/plane_turn.h"

#include "interact/navigators.h"

namespace {

constexpr double pi = 3.14159265358979323846;

}  // namespace

PlaneTurn::PlaneTurn(double degrees) : saved_(object_navigator.trackball.rotation) {
  Quaternion turned =
      Quaternion::from_axis_angle({0.0f, 0.0f, 1.0f}, static_cast<float>(degrees * pi / 180.0));
  turned.multiply(saved_);
  object_navigator.trackball.rotation = turned;
}

PlaneTurn::~PlaneTurn() { object_navigator.trackball.rotation = saved_; }
