// What the report measures as the plane turns about the viewing axis: the effective anisotropy of
// each configuration at each angle, over the same disc of the panel.
#pragma once

#include <vector>

#include "scene/panel_config.h"

// The disc of a panel whose quads every angle of a sweep sums up: centred where the turn keeps
// the plane in place (the trackball's centre, the plane's origin) and as large as fits into the
// panel less a quad, so that every angle sees the same part of the plane in it.
struct TurnDisc {
  double x = 0.0, y = 0.0;  // window position of the centre
  double radius = 0.0;      // 0 where the centre is not in view
};

// One configuration at one angle: effective anisotropies 2^mean(major - level) over the quads of
// the disc, `major` being log2 of the footprint's true major axis (QuadLevels::major).
struct AngleSample {
  double degrees = 0.0;
  int quads = 0;
  double measured = 1.0;   // of the measured levels
  double formula = 1.0;    // of the reference: the extension's formula, Px and Py on screen axes
  double invariant = 1.0;  // of the rotation-invariant ideal, from the footprint's true axes
};

// One configuration over every angle of the sweep.
struct AngleSweep {
  PanelConfig config;
  std::vector<AngleSample> samples;  // in the order of the angles
};

