// A run against its baseline in words: each change's subject, figure and values, and
// regressions.md.
#include "report/text/regressions.h"

#include "base/text_format.h"
#include "report/judge/cost_intervals.h"
#include "report/text/provenance_text.h"

std::string change_subject(const Change& change) {
  return change.quantity == Quantity::verdict
             ? std::string(rule_name(change.rule)) + ": " + change.subject
             : change.subject;
}

std::string change_figure(const Change& change) {
  switch (change.quantity) {
    case Quantity::mean_error: return "mean error";
    case Quantity::rms_error: return "RMS error";
    case Quantity::band_anisotropy:
      return format_text("effective anisotropy at %g–%g", change.near, change.far);
    case Quantity::psnr: return "PSNR (dB)";
    case Quantity::detail: return "detail kept";
    case Quantity::flicker: return "flicker";
    case Quantity::cost: return "cost against isotropic";
    case Quantity::verdict: return "verdict";
  }
  return "";
}

std::string change_value(const Change& change, bool now) {
  if (change.quantity == Quantity::cost)
    return median_interval_text(now ? change.new_cost : change.old_cost, 2);
  const double value = now ? change.new_value : change.old_value;
  if (change.quantity != Quantity::verdict) return decimals_text(value, 3);
  return format_text("%s (%.3g)", (now ? change.new_pass : change.old_pass) ? "PASS" : "FAIL",
                     value);
}

namespace {

std::string movement_cell(Movement movement) {
  switch (movement) {
    case Movement::regressed: return "**regressed**";
    case Movement::improved: return "*improved*";
    case Movement::changed: return "changed";
    case Movement::unchanged: return "–";
  }
  return "";
}

// The table of the changes that moved as `movement`, or of every change without one.
std::string change_rows(const std::vector<Change>& changes, const Movement* movement) {
  std::string md =
      "| Panel or verdict | Figure | Baseline | This run | Moved |\n|---|---|---|---|---|\n";
  for (const Change& change : changes)
    if (!movement || change.movement == *movement)
      md += "| " + markdown_cell(change_subject(change)) + " | " + change_figure(change) + " | " +
            change_value(change, false) + " | " + change_value(change, true) + " | " +
            movement_cell(change.movement) + " |\n";
  return md;
}

}  // namespace

std::string change_name(const Change& change) {
  return change_subject(change) + ": " + change_figure(change);
}

std::string change_description(const Change& change) {
  return change_name(change) + " " + change_value(change, false) + " in the baseline, " +
         change_value(change, true) + " in this run";
}

std::string regressions_markdown(const BaselineComparison& comparison) {
  std::string md = "# Kestrel: this run against its baseline\n\n";
  md += "- Baseline: " + comparison.file + ", made on " + comparison.baseline_renderer + "\n";
  if (!comparison.other_origin.empty())
    md += "- **The baseline comes from elsewhere**: " + join_words(comparison.other_origin) +
          "\n";
  md += format_text("- Of %zu figures: %s\n", comparison.changes.size(),
                    movement_summary(comparison).c_str());
  md += provenance_markdown("This run", comparison.provenance);
  md += format_text(
      "\nA figure *regressed* when it lies further from its ideal than the baseline's by more than "
      "its limit, and *improved* when it lies nearer by as much; it *changed* when it moved by "
      "more than its limit while its distance from the ideal did not. A verdict regressed from "
      "PASS to FAIL and improved from FAIL to PASS. A panel's mean error (ideal 0) may move by "
      "%.2f levels (the run's tolerance); its effective anisotropy in a distance band (eye "
      "distances in scene units; ideally the extension's formula's, more being as wrong as "
      "less) by %.0f %% of the formula's; where both "
      "reports measured the image quality, its PSNR (higher is better) by %g dB and its detail "
      "kept and flicker (ideal 1) by %g. An AF panel's cost against the isotropic draw (lower is "
      "better) moved only where its 95 %% interval and the baseline's do not overlap. The RMS "
      "error is shown beside the mean error and never counted on its own.\n",
      comparison.tolerance, percent(anisotropy_change_limit), psnr_change_limit,
      quality_ratio_change_limit);
  for (const MovementGroup& section : movement_groups)
    if (change_count(comparison, section.movement) > 0)
      md += std::string("\n## ") + section.heading + "\n\n" +
            change_rows(comparison.changes, &section.movement);
  md += "\n## Every figure\n\n" + change_rows(comparison.changes, nullptr);
  if (!comparison.unmatched.empty()) {
    md += "\n## Not in the baseline\n\n";
    for (const std::string& subject : comparison.unmatched) md += "- " + subject + "\n";
  }
  if (!comparison.retired.empty()) {
    md += "\n## Not compared\n\nThe baseline's verdicts of rules this program no longer judges "
          "are left out of the comparison:\n\n";
    for (const std::string& subject : comparison.retired) md += "- " + subject + "\n";
  }
  return md;
}
