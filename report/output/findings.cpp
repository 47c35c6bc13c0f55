// The plain-words findings of a report, each derived from its numbers by a fixed rule.
#include "report/output/findings.h"

#include <algorithm>
#include <cmath>

#include "app/panels.h"
#include "report/output/text_format.h"

namespace {

// The panels of one filter: the isotropic one and those with AF on.
struct FilterRow {
  const PanelMeasurement* isotropic = nullptr;
  std::vector<const PanelMeasurement*> with_af;
};

FilterRow filter_row(const Report& report, bool trilinear) {
  FilterRow row;
  for (const PanelMeasurement& panel : report.panels) {
    if (panel.config.trilinear != trilinear) continue;
    if (panel.config.anisotropy == 1.0f)
      row.isotropic = &panel;
    else
      row.with_af.push_back(&panel);
  }
  return row;
}

// Whether the isotropic panels sample the levels core GL asks for.
Finding isotropic_levels(const FilterRow& trilinear, const FilterRow& bilinear) {
  std::string right, wrong;
  for (const PanelMeasurement* panel : {trilinear.isotropic, bilinear.isotropic}) {
    if (!panel) continue;
    const PanelStatistics& s = panel->statistics;
    std::string& list =
        std::fabs(s.mean_error) <= level_tolerance && s.p95_abs_error <= blurry_threshold ? right
                                                                                          : wrong;
    list +=
        format_text("%s%s: mean error %+.2f, 95 %% of quads within %.2f", list.empty() ? "" : "; ",
                    filter_name(panel->config.trilinear), s.mean_error, s.p95_abs_error);
  }
  if (wrong.empty())
    return {Fact::isotropic_right,
            "Without AF the driver samples the levels core GL asks for (" + right + ")."};
  return {Fact::isotropic_strays,
          "Without AF the driver strays from the levels core GL asks for (" + wrong + ")."};
}

Finding trilinear_blending(const FilterRow& row) {
  std::vector<std::string> hard;
  double most_blended = 0.0;
  for (const PanelMeasurement* panel : row.with_af) {
    most_blended = std::max(most_blended, panel->statistics.blended_share);
    if (panel->statistics.blended_share < notable_share)
      hard.push_back(format_text("AF %g", double(panel->config.anisotropy)));
  }
  const double isotropic = row.isotropic->statistics.blended_share;
  if (isotropic < notable_share)
    return {
        Fact::never_blends,
        format_text(
            "Trilinear filtering does not blend levels even without AF: %.1f %% of the isotropic "
            "panel's pixels are blends of two levels.",
            percent(isotropic))};
  if (hard.empty())
    return {
        Fact::blends_with_af,
        format_text("Trilinear filtering blends neighbouring levels with AF on as well (%.0f %% of "
                    "pixels are blends in the isotropic panel, up to %.0f %% with AF).",
                    percent(isotropic), percent(most_blended))};
  return {
      Fact::stops_blending_with_af,
      format_text("Trilinear filtering stops blending levels once AF is on: the trilinear %s "
                  "panels sample one whole level per pixel, so they show hard bands like the "
                  "bilinear panels (%.0f %% of pixels are blends in the isotropic panel, %.1f %% "
                  "at most with AF).",
                  join_words(hard).c_str(), percent(isotropic), percent(most_blended))};
}

// AF without effect, or AF whose level makes no difference, for one filter.
Finding anisotropy_effect(const FilterRow& row, bool trilinear) {
  double from_isotropic = 0.0, between_levels = 0.0;
  for (const PanelMeasurement* panel : row.with_af) {
    from_isotropic = std::max(from_isotropic, mean_level_difference(*panel, *row.isotropic));
    for (const PanelMeasurement* other : row.with_af)
      between_levels = std::max(between_levels, mean_level_difference(*panel, *other));
  }
  if (from_isotropic <= level_tolerance)
    return {Fact::af_without_effect,
            format_text("AF has no effect with %s: the AF panels sample the same levels as the "
                        "isotropic one (mean difference %.2f levels at most).",
                        filter_description(trilinear).c_str(), from_isotropic)};
  const PanelMeasurement* strongest = row.with_af.back();
  if (row.with_af.size() > 1 && between_levels <= level_tolerance)
    return {
        Fact::af_level_no_difference,
        format_text("With %s the anisotropy asked for makes no difference: AF %g to %g sample the "
                    "same levels (mean difference %.2f at most), an effective anisotropy of %.1f "
                    "over the whole plane.",
                    filter_description(trilinear).c_str(),
                    double(row.with_af.front()->config.anisotropy),
                    double(strongest->config.anisotropy), between_levels,
                    strongest->statistics.effective_anisotropy)};
  return {
      Fact::af_grows,
      format_text("With %s AF works and grows with the anisotropy asked for: effective anisotropy "
                  "%.1f over the whole plane at AF %g, %.1f ideally.",
                  filter_description(trilinear).c_str(), strongest->statistics.effective_anisotropy,
                  double(strongest->config.anisotropy), strongest->statistics.ideal_anisotropy)};
}

// The panels whose share (sharper or blurrier) is notable, as "label (N %)".
template <typename Share>
std::string notable_panels(const Report& report, Share share) {
  std::vector<std::string> panels;
  for (const PanelMeasurement& panel : report.panels) {
    const double value = share(panel.statistics);
    if (value > notable_share)
      panels.push_back(
          format_text("%s (%.0f %%)", configuration_label(panel.config).c_str(), percent(value)));
  }
  return join_words(panels);
}

Finding units_reached(const Report& report) {
  if (report.units.size() < 2)
    return {Fact::one_unit,
            "Only one texture unit was measured, so whether AF reaches the others is unknown."};
  std::vector<std::string> differing;
  for (const UnitMeasurement& unit : report.units)
    if (!unit.matches_unit_0)
      differing.push_back(format_text("unit %d (mean difference %.2f trilinear, %.2f bilinear)",
                                      unit.unit, unit.trilinear_difference,
                                      unit.bilinear_difference));
  if (differing.empty())
    return {
        Fact::every_unit,
        format_text("AF reaches every texture unit: at AF %g units 1 to %d sample the same levels "
                    "as unit 0.",
                    double(unit_anisotropy), static_cast<int>(report.units.size()) - 1)};
  return {Fact::units_differ,
          format_text("AF does not reach every texture unit alike: at AF %g %s sample other levels "
                      "than unit 0.",
                      double(unit_anisotropy), join_words(differing).c_str())};
}

// True when `sweep` measured the same effective anisotropy as `isotropic` at every turn.
bool same_at_every_turn(const AngleSweep& sweep, const AngleSweep& isotropic) {
  if (sweep.samples.size() != isotropic.samples.size()) return false;
  for (std::size_t i = 0; i < sweep.samples.size(); ++i)
    if (std::abs(std::log2(sweep.samples[i].measured / isotropic.samples[i].measured)) >
        level_tolerance)
      return false;
  return true;
}

// Whether the strongest AF level of one filter filters every direction alike. With an isotropic
// sweep of the same filter to compare, an AF curve that lies on it is named for what it is: AF
// without effect, whatever the direction does to the core level.
Finding angle_dependence(const AngleSweep& sweep, const AngleSweep* isotropic) {
  const auto by_measured = [](const AngleSample& a, const AngleSample& b) {
    return a.measured < b.measured;
  };
  const auto by_formula = [](const AngleSample& a, const AngleSample& b) {
    return a.formula < b.formula;
  };
  const auto [lowest, highest] =
      std::minmax_element(sweep.samples.begin(), sweep.samples.end(), by_measured);
  const auto [formula_low, formula_high] =
      std::minmax_element(sweep.samples.begin(), sweep.samples.end(), by_formula);
  const std::string head =
      format_text("With %s at AF %g", filter_description(sweep.config.trilinear).c_str(),
                  double(sweep.config.anisotropy));
  if (isotropic != nullptr && same_at_every_turn(sweep, *isotropic))
    return {
        Fact::af_without_effect_turned,
        format_text(
            "%s AF has no effect at any turn from %g to %g degrees: its curve lies on the "
            "isotropic "
            "one (%.1f to %.1f), so what changes with the direction is the core isotropic level.",
            head.c_str(), sweep.samples.front().degrees, sweep.samples.back().degrees,
            lowest->measured, highest->measured)};
  if (highest->measured <= lowest->measured * std::exp2(level_tolerance))
    return {
        Fact::direction_alike,
        format_text(
            "%s the driver filters every direction alike: an effective anisotropy of %.1f to %.1f "
            "at every turn from %g to %g degrees.",
            head.c_str(), lowest->measured, highest->measured, sweep.samples.front().degrees,
            sweep.samples.back().degrees)};
  return {
      Fact::direction_dependent,
      format_text(
          "%s the effective anisotropy depends on the direction: %.1f at %g degrees, %.1f at %g "
          "degrees. The extension's formula alone allows %.1f to %.1f over the same turns, the "
          "rotation-invariant ideal %.1f.",
          head.c_str(), highest->measured, highest->degrees, lowest->measured, lowest->degrees,
          formula_low->formula, formula_high->formula, highest->invariant)};
}

// The entry of `entries` (sweeps or costs) with the strongest AF of one filter; null when the
// filter has none above isotropic.
template <typename Entry>
const Entry* strongest_af(const std::vector<Entry>& entries, bool trilinear) {
  const Entry* strongest = nullptr;
  for (const Entry& entry : entries)
    if (entry.config.trilinear == trilinear && entry.config.anisotropy > 1.0f &&
        (!strongest || entry.config.anisotropy > strongest->config.anisotropy))
      strongest = &entry;
  return strongest;
}

// The isotropic sweep of one filter, or null when there is none.
const AngleSweep* isotropic_sweep(const Report& report, bool trilinear) {
  for (const AngleSweep& sweep : report.angle_sweeps)
    if (sweep.config.trilinear == trilinear && sweep.config.anisotropy == 1.0f) return &sweep;
  return nullptr;
}

// What the strongest AF level of each filter costs against the isotropic draw.
std::string af_cost(const Report& report) {
  std::vector<std::string> costs;
  for (const bool trilinear : {true, false}) {
    const DrawCost* strongest = strongest_af(report.costs, trilinear);
    if (strongest)
      costs.push_back(format_text("%.2f times the isotropic draw with %s at AF %g",
                                  strongest->relative, filter_description(trilinear).c_str(),
                                  double(strongest->config.anisotropy)));
  }
  if (costs.empty()) return "";
  return "Drawing the plane takes " + join_words(costs) + " (medians of " +
         std::to_string(report.costs.front().repetitions) + " draws).";
}

}  // namespace

std::vector<Finding> describe_findings(const Report& report) {
  std::vector<Finding> findings;
  const FilterRow trilinear = filter_row(report, true);
  const FilterRow bilinear = filter_row(report, false);
  if (trilinear.isotropic || bilinear.isotropic)
    findings.push_back(isotropic_levels(trilinear, bilinear));
  if (trilinear.isotropic && !trilinear.with_af.empty())
    findings.push_back(trilinear_blending(trilinear));
  for (const FilterRow* row : {&trilinear, &bilinear})
    if (row->isotropic && !row->with_af.empty())
      findings.push_back(anisotropy_effect(*row, row == &trilinear));
  const std::string sharper =
      notable_panels(report, [](const PanelStatistics& s) { return s.sharper_share; });
  findings.push_back(
      sharper.empty()
          ? Finding{Fact::none_sharper, "No panel samples finer levels than the extension allows."}
          : Finding{Fact::sharper, format_text("Finer levels than the extension allows, more than "
                                               "%.2f below log2(Pmax / N), in a share of the "
                                               "quads of ",
                                               level_tolerance) +
                                       sharper + "."});
  const std::string blurrier =
      notable_panels(report, [](const PanelStatistics& s) { return s.blurrier_share; });
  findings.push_back(
      blurrier.empty()
          ? Finding{Fact::none_blurrier,
                    format_text("No panel is more than %.1f levels blurrier than the reference.",
                                blurry_threshold)}
          : Finding{Fact::blurrier, format_text("More than %.1f levels blurrier than the "
                                                "reference in a share of the quads of ",
                                                blurry_threshold) +
                                        blurrier + "."});
  findings.push_back(units_reached(report));
  for (const bool trilinear : {true, false}) {
    const AngleSweep* strongest = strongest_af(report.angle_sweeps, trilinear);
    if (strongest && strongest->samples.size() > 1)
      findings.push_back(angle_dependence(*strongest, isotropic_sweep(report, trilinear)));
  }
  const std::string cost = af_cost(report);
  if (!cost.empty()) findings.push_back({Fact::af_cost, cost});
  return findings;
}
