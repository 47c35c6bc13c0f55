// The report: every measurement of one run on one driver, and what they show in plain words.
#pragma once

#include <string>
#include <vector>

#include "report/driver_info.h"
#include "report/panel_measurement.h"

// The AF 8 panels measured once per texture unit in use, against unit 0.
struct UnitMeasurement {
  int unit = 0;
  PanelMeasurement trilinear, bilinear;
  // The mean |level difference| from unit 0 over the quads both measured.
  double trilinear_difference = 0.0, bilinear_difference = 0.0;
  bool matches_unit_0 = true;  // both differences within level_tolerance
};

struct Report {
  DriverInfo driver;
  int panel_width = 0, panel_height = 0;
  std::vector<PanelMeasurement> panels;  // the eight panels, in the order of the panel table
  std::vector<UnitMeasurement> units;    // one per unit in use, unit 0 first
};

// The anisotropy of the per-unit measurements.
inline constexpr float unit_anisotropy = 8.0f;

// The mean |level difference| between the quads of `a` and the same quads of `b`, over the quads
// that both measured; 0 when there are none.
double mean_level_difference(const PanelMeasurement& a, const PanelMeasurement& b);

// Measures the eight panels with one unit, then the AF 8 panels once per unit in use, each
// `width` × `height` pixels, writing a progress line per measurement to standard error. Needs
// the test started.
Report measure_report(int width, int height);
