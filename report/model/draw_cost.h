// What anisotropic filtering costs as the report states it: each configuration's draw time and
// its ratio to the isotropic draw of the same filter, each a median over rounds with its 95 %
// interval.
#pragma once

#include <limits>

#include "scene/panel_config.h"

// The median of a set of samples and the 95 % interval around it, from their order statistics;
// NaN where not measured.
struct MedianInterval {
  double median = std::numeric_limits<double>::quiet_NaN();
  double low = std::numeric_limits<double>::quiet_NaN();
  double high = std::numeric_limits<double>::quiet_NaN();
};

// How far a cost ratio's interval may reach from its median, as a share of it, for the ratio to
// count as settled.
inline constexpr double cost_settle_share = 0.05;

// The cost of drawing one configuration, timed in rounds that draw every configuration once.
struct DrawCost {
  PanelConfig config;
  int rounds = 0;               // the rounds that timed it
  int draws = 0;                // the draws back to back in each timed batch
  MedianInterval milliseconds;  // one draw's time
  // One draw's time over the isotropic draw's of the same filter in the same round; NaN without
  // an isotropic configuration of its filter.
  MedianInterval relative;
  bool settled = false;  // the interval of `relative` lies within cost_settle_share of its median
};
