// The plane turned about the viewing axis, for the report's angle sweep: the turn a trackball
// drag around the rim of the window gives.
#pragma once

#include "interact/quaternion.h"

// Turns the plane by `degrees` about the viewing axis for the object's lifetime, counter-clockwise
// on the screen for positive angles: the turn is composed before object_navigator's trackball
// rotation, in the screen's frame, as a drag of the trackball would compose it, so the plane
// turns about the trackball's centre. When it ends the rotation is as it was.
class PlaneTurn {
 public:
  explicit PlaneTurn(double degrees);
  ~PlaneTurn();
  PlaneTurn(const PlaneTurn&) = delete;
  PlaneTurn& operator=(const PlaneTurn&) = delete;

 private:
  const Quaternion saved_;
};
