// The plane turned about the viewing axis, for the report's angle sweep: the turn a trackball
// drag around the rim of the window gives.
#pragma once

#include "interact/pose.h"

// `view` with the plane turned by `degrees` about the viewing axis, counter-clockwise on the
// screen for positive angles: the turn is composed before the object's rotation, in the
// screen's frame, as a drag of the trackball would compose it, so the plane turns about the
// trackball's centre.
SceneView turned_view(const SceneView& view, double degrees);
