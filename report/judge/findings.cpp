// The plain-words findings of a report, each derived from its numbers by a fixed rule.
#include "report/judge/findings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "base/text_format.h"
#include "report/judge/cost_intervals.h"
#include "report/judge/verdicts.h"
#include "report/measure/panel_statistics.h"

namespace {

// The panels of one filter (measurements, or image qualities): the isotropic one and those with
// AF on.
template <typename Panel>
struct FilterRow {
  const Panel* isotropic = nullptr;
  std::vector<const Panel*> with_af;

  std::vector<const Panel*> all() const {
    std::vector<const Panel*> panels = with_af;
    if (isotropic) panels.insert(panels.begin(), isotropic);
    return panels;
  }
};
using PanelRow = FilterRow<PanelMeasurement>;
using QualityRow = FilterRow<PanelQuality>;

template <typename Panel>
FilterRow<Panel> filter_row(const std::vector<Panel>& panels, bool trilinear) {
  FilterRow<Panel> row;
  for (const Panel& panel : panels) {
    if (panel.config.trilinear != trilinear) continue;
    if (panel.config.anisotropy == 1.0f)
      row.isotropic = &panel;
    else
      row.with_af.push_back(&panel);
  }
  return row;
}

// Whether the isotropic panels sample the levels core GL asks for.
Finding isotropic_levels(const PanelRow& trilinear, const PanelRow& bilinear) {
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

Finding trilinear_blending(const PanelRow& row) {
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
Finding anisotropy_effect(const PanelRow& row, bool trilinear) {
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

// The panels of a notable share of quads finer than the extension allows whose picture was
// measured and shows no aliasing, by label.
std::string finer_but_clean(const Report& report) {
  std::vector<std::string> panels;
  for (const PanelMeasurement& panel : report.panels) {
    const PanelQuality* quality = aliasing_quality(report, panel);
    if (panel.statistics.sharper_share > notable_share && quality && !shows_aliasing(*quality))
      panels.push_back(configuration_label(panel.config));
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

// The entries of `entries` (sweeps or costs) with the weakest and with the strongest AF of one
// filter above isotropic; both null when the filter has none above isotropic.
template <typename Entry>
std::pair<const Entry*, const Entry*> af_extremes(const std::vector<Entry>& entries,
                                                  bool trilinear) {
  std::pair<const Entry*, const Entry*> found{nullptr, nullptr};
  for (const Entry& entry : entries) {
    if (entry.config.trilinear != trilinear || entry.config.anisotropy <= 1.0f) continue;
    if (!found.first || entry.config.anisotropy < found.first->config.anisotropy)
      found.first = &entry;
    if (!found.second || entry.config.anisotropy > found.second->config.anisotropy)
      found.second = &entry;
  }
  return found;
}

// The entry of `entries` with the strongest AF of one filter; null when it has none above
// isotropic.
template <typename Entry>
const Entry* strongest_af(const std::vector<Entry>& entries, bool trilinear) {
  return af_extremes(entries, trilinear).second;
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
      costs.push_back(format_text("%s times the isotropic draw with %s at AF %g",
                                  median_interval_text(strongest->relative, 2).c_str(),
                                  filter_description(trilinear).c_str(),
                                  double(strongest->config.anisotropy)));
  }
  if (costs.empty()) return "";
  return "Drawing the plane takes " + join_words(costs) +
         format_text(" (medians of %d rounds, with their 95 %% intervals).",
                     report.costs.front().rounds);
}

// Of each filter whose weakest and strongest AF levels both settled, those whose cost ratios
// the noise cannot tell apart: "AF 16 costs as much as AF 2 with trilinear filtering". Empty
// where every such pair differs beyond its intervals.
std::string af_cost_alike(const Report& report) {
  std::vector<std::string> alike;
  for (const bool trilinear : {true, false}) {
    const auto [weakest, strongest] = af_extremes(report.costs, trilinear);
    if (strongest && strongest != weakest && strongest->settled && weakest->settled &&
        !intervals_apart(strongest->relative, weakest->relative))
      alike.push_back(format_text("AF %g costs as much as AF %g with %s",
                                  double(strongest->config.anisotropy),
                                  double(weakest->config.anisotropy),
                                  filter_description(trilinear).c_str()));
  }
  if (alike.empty()) return "";
  return join_words(alike) + ": their cost ratios' 95 % intervals overlap.";
}

// "isotropic" or "AF 8", a panel's level among those of one filter.
std::string level_words(const PanelConfig& config) {
  return config.anisotropy == 1.0f ? std::string("isotropic")
                                   : format_text("AF %g", double(config.anisotropy));
}

// The panel of `panels` that keeps most detail among those whose detail kept is at most `limit`:
// of the panels within detail_resolution of the highest, the lowest AF level, which costs least.
// Null when none is within the limit.
// Of `panels`, those free of aliasing alone with `clean_only`, the one whose detail kept lies
// within detail_resolution of the highest at the lowest AF level; null when none is.
const PanelQuality* most_detailed(const std::vector<const PanelQuality*>& panels,
                                  bool clean_only) {
  const auto counted = [clean_only](const PanelQuality& panel) {
    return !clean_only || !shows_aliasing(panel);
  };
  double highest = -std::numeric_limits<double>::infinity();
  for (const PanelQuality* panel : panels)
    if (counted(*panel)) highest = std::max(highest, panel->figures.detail);
  const PanelQuality* most = nullptr;
  for (const PanelQuality* panel : panels)
    if (counted(*panel) && panel->figures.detail >= highest - detail_resolution &&
        (!most || panel->config.anisotropy < most->config.anisotropy))
      most = panel;
  return most;
}

// Which level of one filter keeps most detail, and whether that detail is aliasing.
Finding most_detail(const QualityRow& row, bool trilinear) {
  const std::vector<const PanelQuality*> panels = row.all();
  const std::string head = "With " + filter_description(trilinear);
  // A panel's detail kept, against the isotropic panel's where that is another panel.
  const auto detail = [&](const PanelQuality& panel) {
    std::string text = "the " + level_words(panel.config) + " panel (" +
                       decimals_text(panel.figures.detail, 2) +
                       " of the ideal filter's local contrast";
    if (row.isotropic && row.isotropic != &panel)
      text += ", against " + decimals_text(row.isotropic->figures.detail, 2) + " isotropic";
    return text + ")";
  };
  const PanelQuality* most = most_detailed(panels, false);
  if (!shows_aliasing(*most))
    return {Fact::most_detail,
            head + " " + detail(*most) + " keeps most detail, without aliasing."};
  const PanelQuality* faithful = most_detailed(panels, true);
  return {Fact::most_detail_aliased,
          head + " the most detailed picture, " + detail(*most) +
              format_text(", flickers %s times as much as the extension's formula: that is "
                          "aliasing, not detail. ",
                          decimals_text(most->formula.flicker, 2).c_str()) +
              (faithful ? "Without aliasing " + detail(*faithful) + " keeps most."
                        : format_text("No level keeps its flicker within %g times the "
                                      "formula's.",
                                      aliasing_flicker_limit))};
}

// The panels that flicker more than flicker_limit times the ideal filter over the plane or in a
// distance band, each with those bands and the worst of them.
Finding flicker(const QualityReport& quality) {
  std::vector<std::string> flickering;
  double highest = 0.0;  // of all panels and bands, said when none passes the limit
  for (const PanelQuality& panel : quality.panels) {
    highest = std::max(highest, panel.figures.flicker);
    std::vector<std::string> bands;
    const QualityBand* worst = nullptr;
    for (const QualityBand& band : panel.bands) {
      highest = std::max(highest, band.figures.flicker);
      if (band.figures.flicker <= flicker_limit) continue;
      bands.push_back(format_text("%g–%g", band.near, band.far));
      if (!worst || band.figures.flicker > worst->figures.flicker) worst = &band;
    }
    if (!worst && panel.figures.flicker <= flicker_limit) continue;
    std::string text = configuration_label(panel.config) + " (" +
                       decimals_text(panel.figures.flicker, 2) + " over the plane";
    if (worst)
      text += (bands.size() > 1 ? "; at " + join_words(bands) + ", up to " : std::string("; ")) +
              decimals_text(worst->figures.flicker, 2) +
              format_text(" at %g–%g", worst->near, worst->far);
    flickering.push_back(text + ")");
  }
  if (flickering.empty())
    return {Fact::none_flickers,
            format_text("No panel flickers more than %g times as much as the ideal filter as the "
                        "plane moves, over the plane or at any distance (%.2f at most).",
                        flicker_limit, highest)};
  std::string list;
  for (const std::string& panel : flickering) list += (list.empty() ? "" : "; ") + panel;
  return {Fact::flickers,
          format_text("More than %g times the ideal filter's flicker, so that the picture "
                      "shimmers as the plane moves, in ",
                      flicker_limit) +
              list + " (distances from the eye in scene units)."};
}

// "AF 8 (detail 1.21, flicker 2.40)"
std::string quality_words(const PanelQuality& panel) {
  return level_words(panel.config) + " (detail " + decimals_text(panel.figures.detail, 2) +
         ", flicker " + decimals_text(panel.figures.flicker, 2) + ")";
}

// What AF buys with one filter against its isotropic panel: detail with aliasing, detail
// without, or none.
Finding af_trade(const QualityRow& row, bool trilinear) {
  const std::string head = "With " + filter_description(trilinear);
  const QualityFigures& isotropic = row.isotropic->figures;
  std::vector<std::string> aliasing;
  std::vector<const PanelQuality*> gaining;
  for (const PanelQuality* panel : row.with_af) {
    if (shows_aliasing(*panel) && !shows_aliasing(*row.isotropic))
      aliasing.push_back(quality_words(*panel));
    if (!shows_aliasing(*panel) && panel->figures.detail > isotropic.detail + detail_resolution)
      gaining.push_back(panel);
  }
  if (!aliasing.empty())
    return {Fact::af_buys_aliasing,
            format_text("%s AF brings aliasing that the isotropic panel does not show, more "
                        "than %g times the flicker of the extension's formula, at ",
                        head.c_str(), aliasing_flicker_limit) +
                join_words(aliasing) + "; the isotropic panel keeps within it (flicker " +
                decimals_text(row.isotropic->formula.flicker, 2) + " times the formula's)."};
  if (!gaining.empty()) {
    const PanelQuality* most = most_detailed(gaining, false);
    return {
        Fact::af_buys_detail,
        format_text("%s AF buys detail cleanly: the %s panel keeps %s of the ideal filter's "
                    "local contrast against the isotropic panel's %s, without aliasing (%s "
                    "times the flicker of the extension's formula, at most %g allowed).",
                    head.c_str(), level_words(most->config).c_str(),
                    decimals_text(most->figures.detail, 2).c_str(),
                    decimals_text(isotropic.detail, 2).c_str(),
                    decimals_text(most->formula.flicker, 2).c_str(), aliasing_flicker_limit)};
  }
  std::vector<std::string> levels;
  for (const PanelQuality* panel : row.all()) levels.push_back(quality_words(*panel));
  return {Fact::af_buys_nothing,
          format_text("%s AF buys no detail: no AF panel keeps more of the ideal filter's "
                      "local contrast than the isotropic panel without aliasing (above %g times "
                      "the flicker of the extension's formula): ",
                      head.c_str(), aliasing_flicker_limit) +
              join_words(levels) + "."};
}

// Which panels sample finer levels than the extension allows, and which of those stay clean.
Finding sharper_levels(const Report& report) {
  const std::string sharper =
      notable_panels(report, [](const PanelStatistics& s) { return s.sharper_share; });
  const std::string clean = finer_but_clean(report);
  const std::string clean_sentence =
      clean.empty() ? ""
                    : format_text(" The pictures of %s stay clean all the same (at most %g "
                                  "times the flicker of the extension's formula): there the "
                                  "driver takes more samples than asked for, at their cost, "
                                  "without aliasing.",
                                  clean.c_str(), aliasing_flicker_limit);
  return sharper.empty()
             ? Finding{Fact::none_sharper,
                       "No panel samples finer levels than the extension allows."}
             : Finding{Fact::sharper, format_text("Finer levels than the extension allows, more "
                                                  "than %.2f below log2(Pmax / N), in a share "
                                                  "of the quads of ",
                                                  level_tolerance) +
                                          sharper + "." + clean_sentence};
}

// Which panels sample notably blurrier levels than the reference.
Finding blurrier_levels(const Report& report) {
  const std::string blurrier =
      notable_panels(report, [](const PanelStatistics& s) { return s.blurrier_share; });
  return blurrier.empty()
             ? Finding{Fact::none_blurrier,
                       format_text("No panel is more than %.1f levels blurrier than the "
                                   "reference.",
                                   blurry_threshold)}
             : Finding{Fact::blurrier, format_text("More than %.1f levels blurrier than the "
                                                   "reference in a share of the quads of ",
                                                   blurry_threshold) +
                                           blurrier + "."};
}

// The findings of the image quality: the most detailed panel of each filter, the flicker, and
// what AF buys each filter.
void add_quality_findings(const Report& report, std::vector<Finding>& findings) {
  // A picture without local contrast or flicker in the ideal filter's view leaves the ratios
  // unmeasured (NaN): there is nothing to say of them.
  const auto detail_measured = [](const PanelQuality* panel) {
    return !std::isnan(panel->figures.detail);
  };
  const QualityRow quality[] = {filter_row(report.quality.panels, true),
                                filter_row(report.quality.panels, false)};
  for (const QualityRow& row : quality) {
    const std::vector<const PanelQuality*> panels = row.all();
    if (std::any_of(panels.begin(), panels.end(), detail_measured))
      findings.push_back(most_detail(row, &row == &quality[0]));
  }
  if (std::any_of(report.quality.panels.begin(), report.quality.panels.end(),
                  [](const PanelQuality& panel) { return !std::isnan(panel.figures.flicker); }))
    findings.push_back(flicker(report.quality));
  for (const QualityRow& row : quality)
    if (row.isotropic && detail_measured(row.isotropic) && !row.with_af.empty())
      findings.push_back(af_trade(row, &row == &quality[0]));
}

}  // namespace

std::vector<Finding> describe_findings(const Report& report) {
  std::vector<Finding> findings;
  const PanelRow trilinear = filter_row(report.panels, true);
  const PanelRow bilinear = filter_row(report.panels, false);
  if (trilinear.isotropic || bilinear.isotropic)
    findings.push_back(isotropic_levels(trilinear, bilinear));
  if (trilinear.isotropic && !trilinear.with_af.empty())
    findings.push_back(trilinear_blending(trilinear));
  for (const PanelRow* row : {&trilinear, &bilinear})
    if (row->isotropic && !row->with_af.empty())
      findings.push_back(anisotropy_effect(*row, row == &trilinear));
  findings.push_back(sharper_levels(report));
  findings.push_back(blurrier_levels(report));
  findings.push_back(units_reached(report));
  for (const bool trilinear : {true, false}) {
    const AngleSweep* strongest = strongest_af(report.angle_sweeps, trilinear);
    if (strongest && strongest->samples.size() > 1)
      findings.push_back(angle_dependence(*strongest, isotropic_sweep(report, trilinear)));
  }
  const std::string cost = af_cost(report);
  if (!cost.empty()) findings.push_back({Fact::af_cost, cost});
  const std::string cost_alike = af_cost_alike(report);
  if (!cost_alike.empty()) findings.push_back({Fact::af_cost_alike, cost_alike});
  if (!report.quality.panels.empty()) add_quality_findings(report, findings);
  return findings;
}
