// What anisotropic filtering costs as the report states it: each configuration's draw time and
// its ratio to the isotropic draw of the same filter.
#pragma once

#include "report/model/panel_config.h"

// The median of a set of times and the quartiles around it, in milliseconds.
struct TimeSpread {
  double median = 0.0;
  double lower_quartile = 0.0, upper_quartile = 0.0;
};

// The cost of drawing one configuration.
struct DrawCost {
  PanelConfig config;
  int repetitions = 0;
  TimeSpread milliseconds;
  double relative = 1.0;  // the median over the isotropic median of the same filter
};

