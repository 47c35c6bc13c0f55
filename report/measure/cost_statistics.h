// The figures of the cost measurement: the spread of a configuration's draw times, and each
// configuration's cost beside the isotropic draw of the same filter.
#pragma once

#include <functional>
#include <vector>

#include "report/model/draw_cost.h"

// The cost of `config` drawn by `draw_once`, which draws once and gives the draw's time in
// milliseconds: one draw that warms the driver up, then `repetitions` timed ones.
DrawCost timed_draws(const PanelConfig& config, int repetitions,
                     const std::function<double()>& draw_once);

// The median and quartiles of `times`, each by linear interpolation between the neighbouring
// ranks; all 0 for no times.
TimeSpread time_spread(std::vector<double> times);

// Sets the relative cost of every entry against the isotropic entry of its filter; entries
// whose filter has no isotropic entry, or one of median 0, keep a relative cost of 1.
void relate_to_isotropic(std::vector<DrawCost>& costs);
