// The verdicts of a report: the bounds of every decisive quad, AF that changes nothing, and
// units that AF does not reach.
#include "report/output/verdicts.h"

#include <algorithm>
#include <cmath>

#include "report/measure/ideal_level.h"
#include "report/measure/panel_statistics.h"
#include "report/model/scene.h"
#include "report/output/text_format.h"

namespace {

// Whether `quad` samples finer (-1) or coarser (+1) than its bounds widened by `tolerance`, or
// within them (0). GL_LINEAR_MIPMAP_NEAREST samples whole levels: the bounds are the whole levels
// that either rounding of core GL's rule gives at the widened continuous bounds, and a measured
// level may stray from a whole one as far as the decoder's blends do.
int out_of_bounds(const QuadLevels& quad, bool trilinear, double tolerance) {
  if (trilinear)
    return quad.measured < quad.extension_lambda - tolerance   ? -1
           : quad.measured > quad.isotropic_lambda + tolerance ? 1
                                                               : 0;
  const int max_level = color_mip_max_level();
  const int finest = nearest_mip_level(quad.extension_lambda - tolerance, max_level);
  const int coarsest = nearest_mip_level_rounded_up(quad.isotropic_lambda + tolerance, max_level);
  return quad.measured < finest - blend_threshold     ? -1
         : quad.measured > coarsest + blend_threshold ? 1
                                                      : 0;
}

Verdict bounds(const PanelMeasurement& panel, double tolerance) {
  int decisive = 0, finer = 0, coarser = 0;
  for (const QuadLevels& quad : panel.quads) {
    if (!quad.decisive) continue;
    ++decisive;
    const int side = out_of_bounds(quad, panel.config.trilinear, tolerance);
    finer += side < 0;
    coarser += side > 0;
  }
  const double share = decisive > 0 ? double(finer + coarser) / decisive : 0.0;
  return {Rule::bounds, configuration_label(panel.config), share <= bounds_failing_share, share,
          format_text("%.1f %% of %d decisive quads out of bounds (%.1f %% finer than "
                      "log2(Pmax / N) - %.2f, %.1f %% coarser than log2(Pmax) + %.2f), at most "
                      "%.0f %% allowed",
                      percent(share), decisive, percent(decisive ? double(finer) / decisive : 0),
                      tolerance, percent(decisive ? double(coarser) / decisive : 0), tolerance,
                      percent(bounds_failing_share))};
}

Verdict af_effect(const PanelMeasurement& panel, const PanelMeasurement& isotropic) {
  const double difference = mean_level_difference(panel, isotropic);
  const double asked = std::log2(panel.statistics.ideal_anisotropy);  // levels finer, on average
  // AF 2 asks for exactly one level where every footprint is twice as long as wide.
  const bool without_effect = difference < af_effect_threshold && asked >= 1.0 - 1e-3;
  return {Rule::af_without_effect, configuration_label(panel.config), !without_effect, difference,
          format_text("mean difference from the isotropic panel %.2f levels, where the "
                      "extension's formula asks for %.2f levels finer on average (fails under "
                      "%.1f where it asks for 1 or more)",
                      difference, asked, af_effect_threshold)};
}

Verdict unit_reach(const UnitMeasurement& unit) {
  const double difference = std::max(unit.trilinear_difference, unit.bilinear_difference);
  return {Rule::unit, format_text("unit %d", unit.unit), difference <= level_tolerance, difference,
          format_text("AF %g panels differ from unit 0's by %.3f (trilinear) and %.3f "
                      "(bilinear) levels on average, at most %.2f allowed",
                      double(unit_anisotropy), unit.trilinear_difference, unit.bilinear_difference,
                      level_tolerance)};
}

}  // namespace

const char* rule_name(Rule rule) {
  switch (rule) {
    case Rule::bounds:
      return "bounds";
    case Rule::af_without_effect:
      return "AF without effect";
    case Rule::unit:
      return "unit";
  }
  return "";
}

std::vector<Verdict> judge_report(const Report& report) {
  std::vector<Verdict> verdicts;
  for (const PanelMeasurement& panel : report.panels)
    verdicts.push_back(bounds(panel, report.tolerance));
  for (const PanelMeasurement& panel : report.panels) {
    if (panel.config.anisotropy == 1.0f) continue;
    const auto isotropic =
        std::find_if(report.panels.begin(), report.panels.end(), [&](const PanelMeasurement& p) {
          return p.config.trilinear == panel.config.trilinear && p.config.anisotropy == 1.0f;
        });
    if (isotropic != report.panels.end()) verdicts.push_back(af_effect(panel, *isotropic));
  }
  for (const UnitMeasurement& unit : report.units)
    if (unit.unit > 0) verdicts.push_back(unit_reach(unit));
  return verdicts;
}

std::size_t failed_count(const std::vector<Verdict>& verdicts) {
  return static_cast<std::size_t>(
      std::count_if(verdicts.begin(), verdicts.end(), [](const Verdict& v) { return !v.pass; }));
}
