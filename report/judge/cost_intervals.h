// How the report's pages write a cost: a median with its 95 % interval, and the configurations
// whose ratios did not settle.
#pragma once

#include <string>
#include <vector>

#include "report/model/draw_cost.h"

// "5.12 (4.98 – 5.30)" with `decimals` decimals; the median alone where the interval was not
// measured, as in reports made before costs had intervals; "–" where the median was not either.
std::string median_interval_text(const MedianInterval& value, int decimals);

// Whether two intervals share no value, so that the medians they hold differ beyond the noise;
// false where either was not measured.
bool intervals_apart(const MedianInterval& a, const MedianInterval& b);

// The configurations of `costs` timed in rounds whose ratio did not settle, by filter: "trilinear
// at AF 2 and 8; bilinear at AF 4"; empty where every ratio settled.
std::string unsettled_costs(const std::vector<DrawCost>& costs);
