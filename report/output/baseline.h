// An earlier report read back from its report.json, and a run compared with it as its baseline:
// each panel's figures and each verdict beside the baseline's, and whether the run regressed.
#pragma once

#include <string>
#include <vector>

#include "report/model/report.h"
#include "report/output/verdicts.h"

// A report as its report.json states it.
struct StoredReport {
  std::string file;  // the report.json it was read from
  // Every member that report_schema.h lists: the driver, the settings, each panel's, each unit's
  // and each configuration's figures, and the image quality when the report holds it; no
  // pictures, no level maps and no quads.
  Report report;
  std::vector<Verdict> verdicts;
};

// Reads `text` as the report.json at `file`. Returns false, with a message naming the file and
// the first member that is missing, of the wrong kind or out of range, or where the text stops
// being JSON, when it is no report of this program; `stored` is then unspecified.
bool parse_stored_report(const std::string& text, const std::string& file, StoredReport& stored,
                         std::string& error);

// Reads report.json in the folder `path`, or the file `path` when it is no folder, as
// parse_stored_report does, within the JSON reader's size limit. Returns false with a message
// naming the file when it is missing, unreadable, empty, too large, no JSON or not a report of
// this program.
bool read_stored_report(const std::string& path, StoredReport& stored, std::string& error);

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

// A run's effective anisotropy has fallen when it lies more than this share below the baseline's
// in a distance band.
inline constexpr double anisotropy_fall_limit = 0.10;

// What one comparison with the baseline looks at.
enum class Figure {
  mean_error,       // a panel's; regressed when it moved by more than the run's tolerance
  rms_error,        // a panel's; never regresses on its own
  band_anisotropy,  // a panel's effective anisotropy in one distance band; regressed when it
                    // fell by more than anisotropy_fall_limit
  verdict,          // regressed when it turned from pass to fail
};

// "mean_error", "rms_error", "band_anisotropy", "verdict".
const char* figure_name(Figure figure);

// One figure of the run beside the baseline's.
struct Change {
  Figure figure;
  std::string subject;                      // the panel's label, or the verdict's subject
  Rule rule = Rule::reach;                  // of a verdict
  double near = 0.0, far = 0.0;             // the band of band_anisotropy
  double old_value = 0.0, new_value = 0.0;  // the figure: of a verdict, the one that decided
  bool old_pass = true, new_pass = true;    // of a verdict
  bool regressed = false;
};

// The run against its baseline.
struct BaselineComparison {
  std::string file;                    // the baseline's report.json
  std::string baseline_renderer;       // the driver that made it
  double tolerance = 0.25;             // the run's, that the mean errors are held to
  std::vector<Change> changes;         // panel by panel in the run's order (mean error, RMS, each
                                       // band), then the verdicts in the run's order
  std::vector<std::string> unmatched;  // the run's panels and verdicts the baseline lacks
  std::vector<std::string> retired;    // the baseline's verdicts of rules no longer judged, left
                                       // out
  bool regressed = false;              // any change regressed
};

// Compares `run` and its `verdicts` with `baseline`, made with the same settings: each panel
// with the baseline's panel of the same label (mean error, RMS, and effective anisotropy in every
// distance band both hold) and each verdict with the baseline's of the same rule and subject;
// the baseline's verdicts of rules no longer judged are listed apart. Mean errors are held to
// run.tolerance.
BaselineComparison compare_with_baseline(const StoredReport& baseline, const Report& run,
                                         const std::vector<Verdict>& verdicts);

// regressions.md: the baseline, whether the run regressed and by what, and every figure beside
// the baseline's.
std::string regressions_markdown(const BaselineComparison& comparison);
