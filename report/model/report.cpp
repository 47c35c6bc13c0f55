// The AF levels of a run, and the image quality of a panel.
#include "report/model/report.h"

#include <algorithm>

std::vector<float> anisotropy_levels(const std::vector<float>& asked, float max_anisotropy) {
  std::vector<float> levels = asked;
  if (levels.empty()) {
    levels = {1.0f, 2.0f, 4.0f, 8.0f};
    if (max_anisotropy > 8.0f) levels.push_back(max_anisotropy);
  }
  levels.push_back(1.0f);
  for (float& level : levels) level = std::min(level, std::max(max_anisotropy, 1.0f));
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  return levels;
}


const PanelQuality* panel_quality(const Report& report, const PanelConfig& config) {
  for (const PanelQuality& quality : report.quality.panels)
    if (quality.config.trilinear == config.trilinear &&
        quality.config.anisotropy == config.anisotropy)
      return &quality;
  return nullptr;
}
