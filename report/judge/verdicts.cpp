// The verdicts of a report: AF that falls short of where it must reach, pictures that alias
// against the extension's formula, trilinear filtering that stops blending, AF levels that
// sample alike, AF that changes nothing, and units that AF does not reach.
#include "report/judge/verdicts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "base/text_format.h"
#include "report/measure/ideal_level.h"
#include "report/measure/panel_statistics.h"
#include "scene/scene.h"

namespace {

// Whether `quad` samples coarser than the isotropic level widened by `tolerance`.
// GL_LINEAR_MIPMAP_NEAREST samples whole levels: the bound is the whole level that the upper
// rounding of core GL's rule gives at the widened continuous level, and a measured level may
// stray from a whole one as far as the decoder's blends do.
bool coarser(const QuadLevels& quad, bool trilinear, double tolerance) {
  if (trilinear) return quad.measured > quad.isotropic_lambda + tolerance;
  const int coarsest =
      nearest_mip_level_rounded_up(quad.isotropic_lambda + tolerance, color_mip_max_level());
  return quad.measured > coarsest + blend_threshold;
}

Verdict reach(const PanelMeasurement& panel, double tolerance) {
  int decisive = 0, past = 0;
  for (const QuadLevels& quad : panel.quads) {
    if (!quad.decisive) continue;
    ++decisive;
    past += coarser(quad, panel.config.trilinear, tolerance);
  }
  const double share = decisive > 0 ? double(past) / decisive : 0.0;
  return {Rule::reach, configuration_label(panel.config), share <= bounds_failing_share, share,
          format_text("%.1f %% of %d decisive quads coarser than log2(Pmax) + %.2f, at most %.0f "
                      "%% allowed",
                      percent(share), decisive, tolerance, percent(bounds_failing_share))};
}

Verdict aliasing(const PanelQuality& quality) {
  const QualityFigures& formula = quality.formula;
  return {Rule::aliasing, configuration_label(quality.config), !shows_aliasing(quality),
          formula.flicker,
          format_text("%s times the flicker of the extension's formula as the plane moves, with "
                      "%s of its detail (aliasing above %g times its flicker); flicker %s and "
                      "detail %s against the ideal filter",
                      decimals_text(formula.flicker, 2).c_str(),
                      decimals_text(formula.detail, 2).c_str(), aliasing_flicker_limit,
                      decimals_text(quality.figures.flicker, 2).c_str(),
                      decimals_text(quality.figures.detail, 2).c_str())};
}

Verdict trilinear(const PanelMeasurement& panel) {
  const double share = blended_share(panel.quads, panel.levels, true);
  // A band of ±b around each level change blends in about 1.6 b of the pixels.
  const double band = std::min(share / (2.0 * (1.0 - 2.0 * blend_threshold)), 0.5);
  return {Rule::trilinear, configuration_label(panel.config), share >= trilinear_blend_share,
          share,
          format_text("%.1f %% of the decisive quads' pixels between level 0 and the coarsest "
                      "blend two levels, at least %.0f %% required: it blends within about "
                      "±%.2f of each level change, where the formula blends across the whole "
                      "level (±0.50)",
                      percent(share), percent(trilinear_blend_share), band)};
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

// An AF panel with effect against the AF panels of its filter next to it by level, `lower` and
// `higher`, either null where there is none.
Verdict level_honoured(const PanelMeasurement& panel, const PanelMeasurement* lower,
                       const PanelMeasurement* higher) {
  const std::string asked = format_text("AF %g", double(panel.config.anisotropy));
  std::vector<std::string> coinciding, compared;
  double least = std::numeric_limits<double>::infinity();  // of the differences judged
  for (const PanelMeasurement* other : {lower, higher}) {
    if (!other) continue;
    const double ideal = mean_reference_difference(panel, *other);
    if (ideal < af_effect_threshold) continue;
    const double measured = mean_level_difference(panel, *other);
    const std::string level = format_text("AF %g", double(other->config.anisotropy));
    least = std::min(least, measured);
    compared.push_back(
        format_text("%.2f from %s's (ideally %.2f)", measured, level.c_str(), ideal));
    if (measured < af_effect_threshold) coinciding.push_back(level);
  }
  if (compared.empty())
    return {Rule::level_honoured, configuration_label(panel.config), true, 0.0,
            format_text("no neighbouring AF level asks for levels %.2f or more apart from %s's",
                        af_effect_threshold, asked.c_str())};
  return {Rule::level_honoured, configuration_label(panel.config), coinciding.empty(), least,
          asked + (coinciding.empty() ? " samples levels of its own"
                                      : " samples the levels of " + join_words(coinciding)) +
              ": mean difference " + join_words(compared) +
              format_text(", the same under %.1f", af_effect_threshold)};
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
    case Rule::reach:
      return "reach";
    case Rule::aliasing:
      return "aliasing";
    case Rule::trilinear:
      return "trilinear";
    case Rule::level_honoured:
      return "level honoured";
    case Rule::bounds:
      return "bounds";
    case Rule::af_without_effect:
      return "AF without effect";
    case Rule::unit:
      return "unit";
  }
  return "";
}

bool judged(Rule rule) { return rule != Rule::bounds; }

std::string verdict_key(const Verdict& verdict) {
  return std::string(rule_name(verdict.rule)) + ": " + verdict.subject;
}

std::string verdict_id(const Verdict& verdict) {
  // The words of `text` in lower case joined by dashes, those of `dropped` left out.
  const auto dashed = [](const std::string& text, const std::string& dropped) {
    std::string joined, word;
    for (const char c : text + " ") {
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '.') {
        word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        continue;
      }
      if (!word.empty() && word != dropped) joined += (joined.empty() ? "" : "-") + word;
      word.clear();
    }
    return joined;
  };
  return dashed(rule_name(verdict.rule), "") + "/" + dashed(verdict.subject, "level");
}

const PanelQuality* aliasing_quality(const Report& report, const PanelMeasurement& panel) {
  const PanelQuality* quality = panel_quality(report, panel.config);
  if (!quality || std::isnan(quality->formula.flicker)) return nullptr;
  return quality;
}

std::vector<Verdict> judge_report(const Report& report) {
  std::vector<Verdict> verdicts;
  for (const PanelMeasurement& panel : report.panels)
    verdicts.push_back(reach(panel, report.tolerance));
  for (const PanelMeasurement& panel : report.panels) {
    if (const PanelQuality* quality = aliasing_quality(report, panel))
      verdicts.push_back(aliasing(*quality));
  }
  for (const PanelMeasurement& panel : report.panels)
    if (panel.config.trilinear) verdicts.push_back(trilinear(panel));
  std::vector<const PanelMeasurement*> with_effect;
  for (const PanelMeasurement& panel : report.panels) {
    if (panel.config.anisotropy == 1.0f) continue;
    const auto isotropic =
        std::find_if(report.panels.begin(), report.panels.end(), [&](const PanelMeasurement& p) {
          return p.config.trilinear == panel.config.trilinear && p.config.anisotropy == 1.0f;
        });
    if (isotropic == report.panels.end()) continue;
    verdicts.push_back(af_effect(panel, *isotropic));
    if (verdicts.back().pass) with_effect.push_back(&panel);
  }
  for (const PanelMeasurement* panel : with_effect) {
    const float own = panel->config.anisotropy;
    const PanelMeasurement *lower = nullptr, *higher = nullptr;
    for (const PanelMeasurement& other : report.panels) {
      const float level = other.config.anisotropy;
      if (other.config.trilinear != panel->config.trilinear || level == 1.0f) continue;
      if (level < own && (!lower || level > lower->config.anisotropy)) lower = &other;
      if (level > own && (!higher || level < higher->config.anisotropy)) higher = &other;
    }
    verdicts.push_back(level_honoured(*panel, lower, higher));
  }
  for (const UnitMeasurement& unit : report.units)
    if (unit.unit > 0) verdicts.push_back(unit_reach(unit));
  return verdicts;
}

std::size_t failed_count(const std::vector<Verdict>& verdicts) {
  return static_cast<std::size_t>(
      std::count_if(verdicts.begin(), verdicts.end(), [](const Verdict& v) { return !v.pass; }));
}

Outcome outcome(const Verdict& verdict) {
  if (verdict.expected_fail) return verdict.pass ? Outcome::fixed : Outcome::expected;
  return verdict.pass ? Outcome::pass : Outcome::fail;
}

std::size_t expected_failure_count(const std::vector<Verdict>& verdicts) {
  return static_cast<std::size_t>(std::count_if(
      verdicts.begin(), verdicts.end(), [](const Verdict& v) { return v.expected_fail; }));
}

bool unexpected(const Verdict& verdict) { return verdict.pass == verdict.expected_fail; }

std::size_t unexpected_count(const std::vector<Verdict>& verdicts) {
  return static_cast<std::size_t>(std::count_if(verdicts.begin(), verdicts.end(), unexpected));
}
