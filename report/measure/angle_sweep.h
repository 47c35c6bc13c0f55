// The angle dependence of a driver's filtering: the effective anisotropy of one configuration
// with the plane turned about the viewing axis, beside what the extension's formula and the
// rotation-invariant ideal give for the same quads.
#pragma once

#include <vector>

#include "report/measure/panel_geometry.h"
#include "report/measure/panel_measurement.h"
#include "report/model/angle_sweep.h"

// The disc of a panel with `geometry`.
TurnDisc turn_disc(const PanelGeometry& geometry);

// Sums up the quads of `measurement`, the plane turned by `degrees`, whose centres lie inside
// `disc`. Without such quads every anisotropy is 1.
AngleSample angle_sample(double degrees, const PanelMeasurement& measurement, const TurnDisc& disc);
