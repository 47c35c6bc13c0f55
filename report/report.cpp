// One run of measurements: the eight panels on one unit, then the AF 8 panels on every unit.
#include "report/report.h"

#include <cmath>
#include <cstdio>

#include "app/panels.h"
#include "report/panel_render.h"

namespace {

PanelMeasurement measure(const PanelConfig& config, int width, int height,
                         TextureObject2D& neutral) {
  std::fprintf(stderr, "kestrel-report: measuring %s on unit %d of %d\n",
               configuration_label(config).c_str(), config.unit, config.units);
  return measure_configuration(config, width, height, neutral);
}

}  // namespace

double mean_level_difference(const PanelMeasurement& a, const PanelMeasurement& b) {
  double sum = 0.0;
  int count = 0;
  for (const QuadLevels& quad : a.quads) {
    if (quad.x + 1 >= b.levels.width() || quad.y + 1 >= b.levels.height() ||
        !b.levels.quad_resolved(quad.x, quad.y))
      continue;
    sum += std::fabs(quad.measured - b.levels.quad_level(quad.x, quad.y));
    ++count;
  }
  return count > 0 ? sum / count : 0.0;
}

Report measure_report(int width, int height) {
  Report report;
  report.driver = query_driver_info();
  report.panel_width = width;
  report.panel_height = height;
  TextureObject2D neutral;
  build_neutral_texture(neutral);
  for (const Panel& panel : panels)
    report.panels.push_back(
        measure({panel.trilinear, panel.anisotropy, 0, 1}, width, height, neutral));
  const int units = report.driver.tmu_count;
  for (int unit = 0; unit < units; ++unit) {
    UnitMeasurement m;
    m.unit = unit;
    m.trilinear = measure({true, unit_anisotropy, unit, units}, width, height, neutral);
    m.bilinear = measure({false, unit_anisotropy, unit, units}, width, height, neutral);
    if (unit > 0) {
      const UnitMeasurement& first = report.units.front();
      m.trilinear_difference = mean_level_difference(m.trilinear, first.trilinear);
      m.bilinear_difference = mean_level_difference(m.bilinear, first.bilinear);
      m.matches_unit_0 =
          m.trilinear_difference <= level_tolerance && m.bilinear_difference <= level_tolerance;
    }
    report.units.push_back(std::move(m));
  }
  return report;
}
