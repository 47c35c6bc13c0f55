// The settings two reports must share, and a run held to its baseline figure by figure.
#include "report/judge/baseline.h"

#include <algorithm>
#include <cmath>

#include "base/text_format.h"
#include "report/judge/cost_intervals.h"
#include "report/measure/cost_measurement.h"
#include "scene/panel_config.h"

namespace {

bool same_figures(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same_figure);
}

// "the angles (a: 0, 45; b: 0, 90)" when the reports' `values` of one setting differ.
void add_difference(std::vector<SettingDifference>& differences, Setting setting, const char* words,
                    const std::vector<std::string>& names,
                    const std::vector<std::vector<double>>& values) {
  if (std::all_of(values.begin(), values.end(),
                  [&](const std::vector<double>& v) { return same_figures(v, values.front()); }))
    return;
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i)
    text += (i ? "; " : "") + names[i] + ": " +
            (values[i].empty() ? std::string("none") : number_list(values[i]));
  differences.push_back({setting, std::string(words) + " (" + text + ")"});
}

// How a figure moved from `old_value` to `new_value` when `distance` gives its distance from the
// ideal and it may move by `limit`. A figure not measured (NaN) on either side, or infinite on
// both, moves nowhere.
Movement movement(double old_value, double new_value, double limit, double (*distance)(double)) {
  const double further = distance(new_value) - distance(old_value);
  if (further > limit) return Movement::regressed;
  if (-further > limit) return Movement::improved;
  return std::fabs(new_value - old_value) > limit ? Movement::changed : Movement::unchanged;
}

double from_zero(double value) { return std::fabs(value); }
double from_one(double value) { return std::fabs(value - 1.0); }
// Of a figure where higher is better.
double below(double value) { return -value; }

Change change_of(Quantity quantity, const std::string& subject, double old_value,
                 double new_value, Movement moved) {
  Change change;
  change.quantity = quantity;
  change.subject = subject;
  change.old_value = old_value;
  change.new_value = new_value;
  change.movement = moved;
  return change;
}

// The levels of the panel `label` in both reports: its mean error held to `tolerance`, its RMS
// error beside it, and its effective anisotropy in each distance band both hold, held to the
// formula's value in either direction, as more anisotropy than asked for is an AF level ignored,
// not an improvement.
void add_level_changes(std::vector<Change>& changes, const std::string& label,
                       const PanelStatistics& was, const PanelStatistics& is, double tolerance) {
  changes.push_back(change_of(Quantity::mean_error, label, was.mean_error, is.mean_error,
                              movement(was.mean_error, is.mean_error, tolerance, from_zero)));
  changes.push_back(
      change_of(Quantity::rms_error, label, was.rms_error, is.rms_error, Movement::unchanged));
  for (const DistanceBand& band : is.bands)
    for (const DistanceBand& old_band : was.bands) {
      if (!same_figure(band.near, old_band.near) || !same_figure(band.far, old_band.far))
        continue;
      Change change = change_of(
          Quantity::band_anisotropy, label, old_band.measured_anisotropy,
          band.measured_anisotropy,
          movement(old_band.measured_anisotropy / old_band.ideal_anisotropy,
                   band.measured_anisotropy / band.ideal_anisotropy, anisotropy_change_limit,
                   from_one));
      change.near = band.near;
      change.far = band.far;
      changes.push_back(change);
    }
}

// A verdict beside the baseline's of the same rule and subject: from PASS to FAIL it regressed,
// from FAIL to PASS it improved.
Change verdict_change(const Verdict& old, const Verdict& verdict) {
  Change change = change_of(Quantity::verdict, verdict.subject, old.value, verdict.value,
                            old.pass == verdict.pass ? Movement::unchanged
                            : verdict.pass           ? Movement::improved
                                                     : Movement::regressed);
  change.rule = verdict.rule;
  change.old_pass = old.pass;
  change.new_pass = verdict.pass;
  return change;
}

// The image quality of the panel `label` in both reports, where both hold it.
void add_quality_changes(std::vector<Change>& changes, const std::string& label,
                         const PanelQuality* old_panel, const PanelQuality* panel) {
  if (!old_panel || !panel) return;
  const QualityFigures *old = &old_panel->figures, *now = &panel->figures;
  const struct {
    Quantity quantity;
    double QualityFigures::*value;
    double limit;
    double (*distance)(double);
  } figures[] = {
      {Quantity::psnr, &QualityFigures::psnr, psnr_change_limit, below},
      {Quantity::detail, &QualityFigures::detail, quality_ratio_change_limit, from_one},
      {Quantity::flicker, &QualityFigures::flicker, quality_ratio_change_limit, from_one}};
  for (const auto& f : figures)
    changes.push_back(change_of(f.quantity, label, old->*f.value, now->*f.value,
                                movement(old->*f.value, now->*f.value, f.limit, f.distance)));
}

// The cost of the AF panel `label` in both reports, where both timed it in enough rounds for a
// 95 % interval: it moved only where the intervals do not overlap, as any narrower limit would
// count noise.
void add_cost_change(std::vector<Change>& changes, const std::string& label, const DrawCost* old,
                     const DrawCost* now) {
  const auto comparable = [](const DrawCost* cost) {
    return cost && cost->config.anisotropy != 1.0f && cost->rounds >= min_cost_rounds &&
           !std::isnan(cost->relative.low);
  };
  if (!comparable(old) || !comparable(now)) return;
  const bool moved = intervals_apart(old->relative, now->relative);
  Change change = change_of(Quantity::cost, label, old->relative.median, now->relative.median,
                            !moved ? Movement::unchanged
                            : now->relative.median > old->relative.median ? Movement::regressed
                                                                          : Movement::improved);
  change.old_cost = old->relative;
  change.new_cost = now->relative;
  changes.push_back(change);
}

// "the renderer (baseline: a; this run: b)" where the baseline's `old` differs from the run's.
void add_origin(std::vector<std::string>& differences, const char* what, const std::string& old,
                const std::string& now) {
  if (old != now)
    differences.push_back(std::string(what) + " (baseline: " + (old.empty() ? "unknown" : old) +
                          "; this run: " + now + ")");
}

}  // namespace

bool same_figure(double a, double b) {
  // Six significant digits round by at most half a unit of the sixth.
  return std::fabs(a - b) <= 1e-5 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

std::vector<SettingDifference> setting_differences(const std::vector<const Report*>& reports,
                                                   const std::vector<std::string>& names) {
  std::vector<std::vector<double>> levels, biases, angles;
  for (const Report* report : reports) {
    levels.emplace_back(report->anisotropy_levels.begin(), report->anisotropy_levels.end());
    biases.push_back({double(report->lod_bias)});
    angles.push_back(report->angles);
  }
  std::vector<SettingDifference> differences;
  add_difference(differences, Setting::anisotropy_levels, "the AF levels", names, levels);
  add_difference(differences, Setting::lod_bias, "the LOD bias", names, biases);
  add_difference(differences, Setting::angles, "the angles", names, angles);
  return differences;
}

std::string differences_text(const std::vector<SettingDifference>& differences) {
  std::vector<std::string> texts;
  for (const SettingDifference& difference : differences) texts.push_back(difference.text);
  return join_words(texts);
}

const char* quantity_name(Quantity quantity) {
  switch (quantity) {
    case Quantity::mean_error: return "mean_error";
    case Quantity::rms_error: return "rms_error";
    case Quantity::band_anisotropy: return "band_anisotropy";
    case Quantity::psnr: return "psnr";
    case Quantity::detail: return "detail";
    case Quantity::flicker: return "flicker";
    case Quantity::cost: return "cost";
    case Quantity::verdict: return "verdict";
  }
  return "";
}

const char* movement_name(Movement movement) {
  switch (movement) {
    case Movement::unchanged: return "unchanged";
    case Movement::improved: return "improved";
    case Movement::regressed: return "regressed";
    case Movement::changed: return "changed";
  }
  return "";
}

std::size_t change_count(const BaselineComparison& comparison, Movement movement) {
  return static_cast<std::size_t>(
      std::count_if(comparison.changes.begin(), comparison.changes.end(),
                    [&](const Change& change) { return change.movement == movement; }));
}

bool has_regressed(const BaselineComparison& comparison) {
  return change_count(comparison, Movement::regressed) > 0;
}

std::string movement_summary(const BaselineComparison& comparison) {
  std::string text;
  for (const MovementGroup& group : movement_groups)
    if (const std::size_t n = change_count(comparison, group.movement))
      text += format_text("%s%zu %s", text.empty() ? "" : ", ", n, movement_name(group.movement));
  return text.empty() ? "no figure moved" : text;
}

ReportIndex index_of(const Report& report, const std::vector<Verdict>& verdicts) {
  ReportIndex index;
  for (const PanelMeasurement& panel : report.panels)
    index.panels.emplace(configuration_label(panel.config), &panel);
  for (const PanelQuality& panel : report.quality.panels)
    index.quality.emplace(configuration_label(panel.config), &panel);
  for (const DrawCost& cost : report.costs)
    index.costs.emplace(configuration_label(cost.config), &cost);
  for (const Verdict& verdict : verdicts) index.verdicts.emplace(verdict_key(verdict), &verdict);
  return index;
}

BaselineComparison compare_with_baseline(const StoredReport& baseline, const Report& run,
                                         const std::vector<Verdict>& verdicts) {
  BaselineComparison c;
  c.file = baseline.file;
  c.baseline_renderer = baseline.report.driver.renderer;
  add_origin(c.other_origin, "the renderer", baseline.report.driver.renderer,
             run.driver.renderer);
  add_origin(c.other_origin, "the driver version", baseline.report.driver.version,
             run.driver.version);
  add_origin(c.other_origin, "the Kestrel version", baseline.report.provenance.kestrel_version,
             run.provenance.kestrel_version);
  c.provenance = run.provenance;
  c.tolerance = run.tolerance;
  const ReportIndex was = index_of(baseline.report, baseline.verdicts), is = index_of(run, {});
  for (const PanelMeasurement& panel : run.panels) {
    const std::string label = configuration_label(panel.config);
    const PanelMeasurement* const old = entry_at(was.panels, label);
    if (!old) {
      c.unmatched.push_back(label);
      continue;
    }
    add_level_changes(c.changes, label, old->statistics, panel.statistics, c.tolerance);
    add_quality_changes(c.changes, label, entry_at(was.quality, label),
                        entry_at(is.quality, label));
    add_cost_change(c.changes, label, entry_at(was.costs, label), entry_at(is.costs, label));
  }
  for (const Verdict& verdict : verdicts) {
    const Verdict* const old = entry_at(was.verdicts, verdict_key(verdict));
    if (!old)
      c.unmatched.push_back(verdict_key(verdict));
    else
      c.changes.push_back(verdict_change(*old, verdict));
  }
  for (const Verdict& old : baseline.verdicts)
    if (!judged(old.rule)) c.retired.push_back(verdict_key(old));
  return c;
}
