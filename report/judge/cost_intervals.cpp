// Costs in words and figures.
#include "report/judge/cost_intervals.h"

#include <cmath>

#include "base/text_format.h"
#include "scene/panel_config.h"

std::string interval_text(const MedianInterval& value, int decimals) {
  return decimals_text(value.low, decimals) + " – " + decimals_text(value.high, decimals);
}

std::string median_interval_text(const MedianInterval& value, int decimals) {
  const std::string median = decimals_text(value.median, decimals);
  if (std::isnan(value.median) || std::isnan(value.low) || std::isnan(value.high)) return median;
  return median + " (" + interval_text(value, decimals) + ")";
}

bool intervals_apart(const MedianInterval& a, const MedianInterval& b) {
  return a.high < b.low || b.high < a.low;
}

bool unsettled(const DrawCost& cost) {
  return cost.rounds > 0 && !cost.settled && !std::isnan(cost.relative.median);
}

std::string unsettled_costs(const std::vector<DrawCost>& costs) {
  std::string text;
  for (const bool trilinear : {true, false}) {
    std::vector<std::string> levels;
    for (const DrawCost& cost : costs)
      if (cost.config.trilinear == trilinear && unsettled(cost))
        levels.push_back(format_text("%g", double(cost.config.anisotropy)));
    if (!levels.empty())
      text += (text.empty() ? "" : "; ") + std::string(filter_name(trilinear)) + " at AF " +
              join_words(levels);
  }
  return text;
}
