// An earlier report, and a run compared with it as its baseline: each panel's figures and each
// verdict beside the baseline's, and whether the run regressed, improved or changed. Reading
// report.json back is the schema's (report/schema/stored_report.h); the comparison in words is
// the text's (report/text/regressions.h).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "report/judge/verdicts.h"
#include "report/model/report.h"

// A report as its report.json states it (read_stored_report).
struct StoredReport {
  std::string file;  // the report.json it was read from
  // Every member that report_schema.h lists: the driver, the settings, each panel's, each unit's
  // and each configuration's figures, and the image quality when the report holds it; no
  // pictures, no level maps and no quads.
  Report report;
  std::vector<Verdict> verdicts;
};

// A report's panels, their image quality and their costs by configuration label, and its
// verdicts by verdict_key, found without a search however many a file holds; where two share a
// label or key, the first. Points into the report and verdicts it was made of.
struct ReportIndex {
  std::map<std::string, const PanelMeasurement*> panels;
  std::map<std::string, const PanelQuality*> quality;
  std::map<std::string, const DrawCost*> costs;
  std::map<std::string, const Verdict*> verdicts;
};

ReportIndex index_of(const Report& report, const std::vector<Verdict>& verdicts);

// The entry of `entries` (an index's map) under `key`; null where there is none.
template <typename Entry>
const Entry* entry_at(const std::map<std::string, const Entry*>& entries, const std::string& key) {
  const auto found = entries.find(key);
  return found == entries.end() ? nullptr : found->second;
}

// Whether two figures are the same as report.json states them, to six significant digits.
bool same_figure(double a, double b);

// The settings that reports must share to be compared figure for figure.
enum class Setting {
  anisotropy_levels,  // the AF levels measured, which make the panels
  lod_bias,
  angles,
};

// One setting in which reports differ.
struct SettingDifference {
  Setting setting;
  std::string text;  // in words, with each report's value after its name
};

// Every setting in which `reports` differ, in the order of Setting, each report called by its
// name in `names` (one per report); values that agree to six significant digits are the same.
// Empty when they agree.
std::vector<SettingDifference> setting_differences(const std::vector<const Report*>& reports,
                                                   const std::vector<std::string>& names);

// The texts of `differences` joined as a person lists them.
std::string differences_text(const std::vector<SettingDifference>& differences);

// How far a figure may move before the comparison with the baseline counts it. The mean error is
// held to the run's tolerance. The effective anisotropy's distance from the formula's may move
// by a share of the formula's (10 %, where a driver's level arithmetic or a change of its
// footprint shows plainly). The PSNR may move by 1 dB: the picture's RMS difference from the
// ideal one by 12 %, about what the anisotropy's share is. The detail and flicker ratios may
// move by a tenth of the ideal filter's, below which a person hardly tells two pictures apart. A
// driver measures the same run after run to the last digit, so every limit lies far above what
// rounding moves.
inline constexpr double anisotropy_change_limit = 0.10;
inline constexpr double psnr_change_limit = 1.0;
inline constexpr double quality_ratio_change_limit = 0.10;

// What one comparison with the baseline looks at.
enum class Quantity {
  mean_error,       // a panel's; the ideal is 0
  rms_error,        // a panel's; shown beside the mean error, never counted on its own
  band_anisotropy,  // a panel's effective anisotropy in one distance band; the ideal is the
                    // formula's (the band's ideal anisotropy), in either direction
  psnr,             // a panel's image quality where both reports hold it; higher is better
  detail,           // likewise; the ideal is 1
  flicker,          // likewise; the ideal is 1, more shimmers and less blurs
  cost,             // an AF panel's cost against the isotropic draw, with its 95 % interval,
                    // where both timed it in min_cost_rounds or more; lower is better, and it
                    // moved only where the intervals do not overlap
  verdict,          // PASS is better than FAIL
};

// "mean_error", "rms_error", "band_anisotropy", "psnr", "detail", "flicker", "cost", "verdict".
const char* quantity_name(Quantity quantity);

// How a figure moved from the baseline's to the run's.
enum class Movement {
  unchanged,  // within its limit
  improved,   // nearer its ideal by more than its limit, or a verdict from FAIL to PASS
  regressed,  // further from its ideal by more than its limit, or a verdict from PASS to FAIL
  changed,    // moved by more than its limit, but neither nearer its ideal nor further from it
              // by as much: a mean error from one side of 0 to the other
};

// The movements that regressions.md and report.html list apart, in their order, each with the
// heading of its list.
struct MovementGroup {
  Movement movement;
  const char* heading;
};
inline constexpr MovementGroup movement_groups[] = {{Movement::regressed, "Regressions"},
                                                    {Movement::improved, "Improvements"},
                                                    {Movement::changed, "Changed"}};

// "unchanged", "improved", "regressed", "changed".
const char* movement_name(Movement movement);

// One figure of the run beside the baseline's.
struct Change {
  Quantity quantity;
  std::string subject;                      // the panel's label, or the verdict's subject
  Rule rule{};                              // of a verdict
  double near = 0.0, far = 0.0;             // the band of band_anisotropy
  double old_value = 0.0, new_value = 0.0;  // the figure: of a verdict, the one that decided
  MedianInterval old_cost, new_cost;        // of cost: the ratios with their intervals
  bool old_pass = true, new_pass = true;    // of a verdict
  Movement movement = Movement::unchanged;
};

// The run against its baseline.
struct BaselineComparison {
  std::string file;               // the baseline's report.json
  std::string baseline_renderer;  // the driver that made it
  // Where the baseline comes from elsewhere than the run, each in words with both values: its
  // renderer, its driver's version, the Kestrel that made it. Empty when it is the same.
  std::vector<std::string> other_origin;
  Provenance provenance;               // the run's
  double tolerance = 0.25;             // the run's, that the mean errors are held to
  std::vector<Change> changes;         // panel by panel in the run's order (mean error, RMS, each
                                       // band, the image quality), then the verdicts in the
                                       // run's order
  std::vector<std::string> unmatched;  // the run's panels and verdicts the baseline lacks
  std::vector<std::string> retired;    // the baseline's verdicts of rules no longer judged, left
                                       // out
};

// How many of the comparison's changes moved as `movement`.
std::size_t change_count(const BaselineComparison& comparison, Movement movement);

// Whether any of the comparison's changes regressed.
bool has_regressed(const BaselineComparison& comparison);

// "2 regressed, 1 improved": the changes that regressed, improved and changed, those there are;
// "no figure moved" when none did.
std::string movement_summary(const BaselineComparison& comparison);

// Compares `run` and its `verdicts` with `baseline`, made with the same settings: each panel
// with the baseline's panel of the same label (mean error, RMS, effective anisotropy in every
// distance band both hold, the image quality where both hold it, and the cost of each AF panel
// where both timed it in min_cost_rounds or more) and each verdict with the
// baseline's of the same rule and subject, each figure held to its limit above; the baseline's
// verdicts of rules no longer judged are listed apart.
BaselineComparison compare_with_baseline(const StoredReport& baseline, const Report& run,
                                         const std::vector<Verdict>& verdicts);
