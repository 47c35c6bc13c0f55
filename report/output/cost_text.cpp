// Costs in words and figures.
#include "report/output/cost_text.h"

#include <cmath>

#include "report/output/text_format.h"

std::string median_interval_text(const MedianInterval& value, int decimals) {
  const std::string median = decimals_text(value.median, decimals);
  if (std::isnan(value.median) || std::isnan(value.low) || std::isnan(value.high)) return median;
  return median + " (" + decimals_text(value.low, decimals) + " – " +
         decimals_text(value.high, decimals) + ")";
}

bool intervals_apart(const MedianInterval& a, const MedianInterval& b) {
  return a.high < b.low || b.high < a.low;
}

std::vector<std::string> unsettled_costs(const std::vector<DrawCost>& costs) {
  std::vector<std::string> labels;
  for (const DrawCost& cost : costs)
    if (cost.rounds > 0 && !cost.settled && !std::isnan(cost.relative.median))
      labels.push_back(configuration_label(cost.config));
  return labels;
}
