// How the report's pages write a cost: a median with its 95 % interval, and the configurations
// whose ratios did not settle.
#pragma once

#include <string>
#include <vector>

#include "report/model/draw_cost.h"

// "4.98 – 5.30": the interval's ends with `decimals` decimals, "–" for an end not measured.
std::string interval_text(const MedianInterval& value, int decimals);

// "5.12 (4.98 – 5.30)" with `decimals` decimals; the median alone where the interval was not
// measured, as in reports made before costs had intervals; "–" where the median was not either.
std::string median_interval_text(const MedianInterval& value, int decimals);

// Whether two intervals share no value, so that the medians they hold differ beyond the noise;
// false where either was not measured.
bool intervals_apart(const MedianInterval& a, const MedianInterval& b);

// Whether `cost` was timed in rounds and has a ratio, which did not settle.
bool unsettled(const DrawCost& cost);

// The configurations of `costs` timed in rounds whose ratio did not settle, by filter: "trilinear
// at AF 2 and 8; bilinear at AF 4"; empty where every ratio settled.
std::string unsettled_costs(const std::vector<DrawCost>& costs);
