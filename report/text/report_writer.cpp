// The report's text files, built from the measurements.
#include "report/text/report_writer.h"

#include "base/text_format.h"
#include "report/judge/cost_intervals.h"
#include "report/measure/cost_measurement.h"
#include "report/measure/image_quality.h"
#include "report/text/provenance_text.h"
#include "scene/panel_config.h"

namespace {

std::string panel_row(const PanelMeasurement& panel) {
  const PanelStatistics& s = panel.statistics;
  return format_text(
      "| %s | %d / %d | %+.3f | %.3f | %.3f | %.1f %% | %.1f %% | %.1f %% | %.2f (%.2f) | "
      "%d / %d / %d |\n",
      configuration_label(panel.config).c_str(), s.decisive_quads, s.quads, s.mean_error,
      s.rms_error,
      s.p95_abs_error, percent(s.blurrier_share), percent(s.sharper_share),
      percent(s.blended_share), s.effective_anisotropy, s.ideal_anisotropy, s.background_pixels,
      s.undecodable_pixels, s.unresolved_pixels);
}

// The head of a table of one row per panel and one column per distance band of
// distance_band_edges.
std::string distance_head() {
  std::string header = "| Panel |", rule = "|---|";
  for (std::size_t i = 0; i + 1 < std::size(distance_band_edges); ++i) {
    header += format_text(" %g–%g |", distance_band_edges[i], distance_band_edges[i + 1]);
    rule += "---|";
  }
  return header + "\n" + rule + "\n";
}

// A panel's row of such a table: cell(band) for the band of `bands` that starts at each edge,
// "–" where none does (a band without pixels or quads is left out of a panel's bands).
template <typename Band, typename Cell>
std::string distance_row(const PanelConfig& config, const std::vector<Band>& bands, Cell cell) {
  std::string row = "| " + configuration_label(config) + " |";
  for (std::size_t i = 0; i + 1 < std::size(distance_band_edges); ++i) {
    const Band* found = nullptr;
    for (const Band& band : bands)
      if (band.near == distance_band_edges[i]) found = &band;
    row += " " + (found ? cell(*found) : std::string("–")) + " |";
  }
  return row + "\n";
}

std::string band_section(const Report& report, const char* heading) {
  std::string md = std::string(heading) + " Effective anisotropy by distance\n\n";
  md +=
      "Measured (ideal) effective anisotropy of the decisive quads whose centres lie the given "
      "distance in front of the eye, in scene units (the plane's quads are 2 units wide).\n\n";
  md += distance_head();
  for (const PanelMeasurement& panel : report.panels)
    md += distance_row(panel.config, panel.statistics.bands, [](const DistanceBand& band) {
      return format_text("%.2f (%.2f)", band.measured_anisotropy, band.ideal_anisotropy);
    });
  return md;
}

std::string unit_section(const Report& report, const char* heading) {
  std::string md = std::string(heading) + " Texture units\n\n";
  md += format_text(
      "The AF %g panels once per unit in use: the colour-mipmap texture on that unit, a "
      "white texel on the others. Effective anisotropy per unit; units match when their "
      "levels differ from unit 0's by %.2f at most on average.\n\n",
      double(unit_anisotropy), level_tolerance);
  md += format_text(
      "| Unit | trilinear AF %g | bilinear AF %g | difference from unit 0 (levels) | "
      "matches unit 0 |\n|---|---|---|---|---|\n",
      double(unit_anisotropy), double(unit_anisotropy));
  for (const UnitMeasurement& unit : report.units)
    md += format_text("| %d | %.2f | %.2f | %.3f / %.3f | %s |\n", unit.unit,
                      unit.trilinear.statistics.effective_anisotropy,
                      unit.bilinear.statistics.effective_anisotropy, unit.trilinear_difference,
                      unit.bilinear_difference, unit.matches_unit_0 ? "yes" : "**no**");
  return md;
}

std::vector<double> levels_of(const Report& report) {
  return {report.anisotropy_levels.begin(), report.anisotropy_levels.end()};
}

// Empty when the run had no warnings.
std::string warning_section(const Report& report, const char* heading) {
  if (report.warnings.empty()) return "";
  std::string md = std::string(heading) + " Warnings\n\n";
  for (const std::string& warning : report.warnings) md += "- " + warning + "\n";
  return md +
         "\nThe unit pictures show in panels.png alone: every measurement draws a white texel on "
         "the units it does not measure, so no figure below depends on them.\n";
}

std::string driver_lines(const Report& report) {
  return format_text("- Vendor: %s\n- Renderer: %s\n- Version: %s\n", report.driver.vendor.c_str(),
                     report.driver.renderer.c_str(), report.driver.version.c_str()) +
         format_text("- Maximum anisotropy advertised: %g\n- Texture units tested: %d\n",
                     double(report.driver.max_anisotropy), report.driver.tmu_count) +
         "- Platform: " + report.context + "\n";
}

std::string settings_lines(const Report& report) {
  std::string md = format_text(
      "- Panels of %d × %d pixels, measured with the colour-mipmap texture of colour "
      "delta 0 (levels white, red, green, blue, white, …)\n",
      report.panel_width, report.panel_height);
  md += "- AF levels measured: " + number_list(levels_of(report)) + "\n";
  md += format_text("- Texture LOD bias (GL_TEXTURE_LOD_BIAS) of every measurement: %g\n",
                    double(report.lod_bias));
  md += "- Turns about the viewing axis, in degrees: " + number_list(report.angles) + "\n";
  if (!report.costs.empty() && report.costs.front().rounds > 0)
    md += format_text("- Draws timed by %s, in %d rounds\n", report.cost_clock.c_str(),
                      report.costs.front().rounds);
  return md;
}

// What the verdicts' rules hold each subject to, in a sentence.
std::string verdict_rules(double tolerance) {
  return format_text(
      "*Reach*: at most %.0f %% of a panel's decisive quads more than %.2f levels coarser than "
      "log2(Pmax); *aliasing*: the picture flickers at most %g times as much as the extension's "
      "formula drawn on the CPU (the reference renderer), judged where the image quality was "
      "measured; *trilinear*: a trilinear panel blends two levels in at least %.0f %% of its "
      "decisive quads' pixels; *level honoured*: an AF panel with effect on other levels than "
      "the AF levels next to it where their ideal levels differ; *AF without effect*: an AF "
      "panel on the isotropic panel's levels where the extension asks for finer ones; *unit*: "
      "AF panels on every unit as on unit 0.\n",
      percent(bounds_failing_share), tolerance, aliasing_flicker_limit,
      percent(trilinear_blend_share));
}

// A verdict's result, against what was expected of it.
const char* verdict_result(const Verdict& verdict) {
  switch (outcome(verdict)) {
    case Outcome::pass: return "PASS";
    case Outcome::fail: return "**FAIL**";
    case Outcome::expected: return "FAIL (expected)";
    case Outcome::fixed: return "**FIXED** (expected to fail)";
  }
  return "";
}

std::string verdict_section(const std::vector<Verdict>& verdicts, double tolerance,
                            const char* heading) {
  const std::size_t passed = verdicts.size() - failed_count(verdicts);
  const std::size_t expected_failures = expected_failure_count(verdicts);
  std::string md =
      format_text("%s Verdicts\n\n%zu of %zu pass", heading, passed, verdicts.size());
  if (expected_failures > 0)
    md += format_text("; %zu listed as expected to fail, %zu results unexpected", expected_failures,
                      unexpected_count(verdicts));
  md += ". " + verdict_rules(tolerance) + "\n| Id | Verdict | Figure |\n|---|---|---|\n";
  for (const Verdict& verdict : verdicts)
    md += "| `" + verdict_id(verdict) + "` | " + verdict_result(verdict) + " | " +
          markdown_cell(verdict.reason) + " |\n";
  return md;
}

std::string findings_list(const std::vector<Finding>& findings) {
  std::string md;
  for (const Finding& finding : findings) md += "- " + finding.text + "\n";
  return md;
}

std::string panel_section(const Report& report, const char* heading) {
  std::string md = std::string(heading) + " Panels\n\n";
  md += format_text(
      "Every figure is taken over the *decisive* quads: those whose reference level lies "
      "strictly between level 0 and the coarsest level, where a driver's choice can be wrong "
      "(near the viewer the reference is clamped to level 0 and any driver is right). "
      "Errors are measured − reference level per 2 × 2 quad. *Blurrier*: more than %.1f "
      "levels above the reference; *sharper*: more than %.2f levels below the finest "
      "level the extension allows; *blended*: pixels more than %.1f from a whole level. "
      "Effective anisotropy is 2^(isotropic − measured level), ideal in brackets. "
      "Not measured: background / undecodable / unresolved pixels.\n\n",
      blurry_threshold, level_tolerance, blend_threshold);
  md +=
      "| Panel | decisive / all quads | mean error | RMS | 95 % \\|error\\| | blurrier | sharper | "
      "blended | "
      "effective anisotropy | not measured |\n|---|---|---|---|---|---|---|---|---|---|\n";
  for (const PanelMeasurement& panel : report.panels) md += panel_row(panel);
  return md;
}

std::string angle_section(const Report& report, const char* heading) {
  std::string md = std::string(heading) + " Angle dependence\n\n";
  md += format_text(
      "The same panels with the plane turned about the viewing axis, counter-clockwise by the "
      "angle given, as a trackball drag around the window's rim turns it (about the plane's "
      "centre). Effective anisotropy 2^(major − level) over the quads within %.0f pixels of "
      "the centre of the turn, where *major* is log2 of the footprint's true major axis: "
      "measured, then in brackets the extension's formula (Px and Py along the screen axes) "
      "and the rotation-invariant ideal (the footprint's true axes). A driver that filters "
      "every direction alike keeps its measured value at every angle.\n",
      report.disc.radius);
  for (const bool trilinear : {true, false}) {
    std::string header = "| Turn |", rule = "|---|";
    std::vector<const AngleSweep*> sweeps;
    for (const AngleSweep& sweep : report.angle_sweeps)
      if (sweep.config.trilinear == trilinear) {
        sweeps.push_back(&sweep);
        header += " " + configuration_label(sweep.config) + " |";
        rule += "---|";
      }
    if (sweeps.empty()) continue;
    md += "\n" + header + "\n" + rule + "\n";
    for (std::size_t i = 0; i < sweeps.front()->samples.size(); ++i) {
      md += format_text("| %g° |", sweeps.front()->samples[i].degrees);
      for (const AngleSweep* sweep : sweeps) {
        const AngleSample& s = sweep->samples[i];
        md += format_text(" %.2f (%.2f / %.2f) |", s.measured, s.formula, s.invariant);
      }
      md += "\n";
    }
  }
  return md;
}

// The three quality figures as the tables show them: PSNR to a tenth of a dB, the ratios to a
// hundredth.
const struct {
  const char* title;
  double QualityFigures::*value;
  int decimals;
} quality_columns[] = {{"PSNR (dB)", &QualityFigures::psnr, 1},
                       {"Detail kept", &QualityFigures::detail, 2},
                       {"Flicker", &QualityFigures::flicker, 2}};

constexpr const char* quality_picture =
    "[quality.png](quality.png): the ideal picture, each panel's picture and its difference from "
    "the ideal.";

// The image quality of every panel, then by distance; empty when the report has none. The
// picture is linked only where the text lies beside it, in report.md.
std::string quality_section(const Report& report, const char* heading, bool link_picture) {
  const QualityReport& q = report.quality;
  if (q.panels.empty()) return "";
  std::string md = std::string(heading) + " Image quality against the ideal filter\n\n";
  md += format_text(
      "Each panel's plane drawn once more with a detailed texture (%s, %d × %d texels) and "
      "compared with the ideal picture, the elliptical weighted average: the texels under each "
      "pixel's exact footprint weighted by a Gaussian, computed on the CPU (%.1f million texels "
      "weighed in %.1f s). *PSNR*: how "
      "close the driver's picture comes to the ideal one, in dB, higher is closer, ∞ where they "
      "are equal. *Detail kept*: the local contrast (the standard deviation in %d × %d pixel "
      "windows) relative to the ideal picture's: below 1 the driver blurs, above 1 it shows "
      "contrast the ideal filter does not have. *Flicker*: how much each "
      "pixel changes as the plane moves by %d steps of (%g, %g) pixels the way it recedes, "
      "relative to the ideal filter: 1 is as steady as the ideal, more shimmers. The last two "
      "columns hold the same pictures to the extension's formula drawn on the CPU instead "
      "(the reference renderer): what the driver is asked to draw, which the aliasing verdict "
      "judges.",
      q.texture.c_str(), q.texture_width, q.texture_height, double(q.taps) / 1e6,
      q.reference_seconds,
      detail_window, detail_window, q.offsets, q.step_x, q.step_y);
  if (link_picture) md += std::string(" ") + quality_picture;
  md += "\n\n| Panel |";
  for (const auto& column : quality_columns) md += std::string(" ") + column.title + " |";
  md += " Detail against the formula | Flicker against the formula |\n|---|---|---|---|---|---|\n";
  for (const PanelQuality& panel : q.panels) {
    md += "| " + configuration_label(panel.config) + " |";
    for (const auto& column : quality_columns)
      md += " " + decimals_text(panel.figures.*column.value, column.decimals) + " |";
    md += " " + decimals_text(panel.formula.detail, 2) + " | " +
          decimals_text(panel.formula.flicker, 2) + " |\n";
  }
  md += "\n" + std::string(heading) + " Image quality by distance\n\n";
  md +=
      "The same figures over the pixels that lie the given distance in front of the eye, in "
      "scene units.\n";
  for (const auto& column : quality_columns) {
    md += std::string("\n**") + column.title + "**\n\n" + distance_head();
    for (const PanelQuality& panel : q.panels)
      md += distance_row(panel.config, panel.bands, [&](const QualityBand& band) {
        return decimals_text(band.figures.*column.value, column.decimals);
      });
  }
  return md;
}

std::string cost_section(const Report& report, const char* heading) {
  std::string md = std::string(heading) + " What AF costs\n\n";
  md += format_text(
      "Each configuration's draw of the plane alone, timed in rounds: every round draws every "
      "configuration once, in an order that turns by one from round to round, each as a batch "
      "of draws back to back long enough to time well, so that whatever else the machine does "
      "falls on all of them alike. A draw's time is its batch's over its draws; its ratio to "
      "the isotropic draw of the same filter is taken within each round. Rounds are added until "
      "every ratio's 95 %% interval lies within %g %% of its median, or until %g s have passed. "
      "Each figure is the median over the rounds, with its 95 %% interval.\n\n"
      "| Configuration | median (ms) | 95 %% interval (ms) | relative to isotropic | "
      "95 %% interval | rounds | draws per batch |\n"
      "|---|---|---|---|---|---|---|\n",
      percent(cost_settle_share), CostPlan().budget_seconds);
  for (const DrawCost& cost : report.costs)
    md += "| " + configuration_label(cost.config) + " | " +
          decimals_text(cost.milliseconds.median, 3) + " | " +
          interval_text(cost.milliseconds, 3) + " | " + decimals_text(cost.relative.median, 2) +
          " | " + interval_text(cost.relative, 2) +
          format_text(" | %d | %d |\n", cost.rounds, cost.draws);
  const std::string unsettled = unsettled_costs(report.costs);
  if (!unsettled.empty())
    md += format_text("\nNot settled: %s. Their ratios' intervals reach further than %g %% from "
                      "the median: compare them with care.\n",
                      unsettled.c_str(), percent(cost_settle_share));
  return md;
}

}  // namespace

std::string report_markdown(const Report& report, const std::vector<Finding>& findings,
                            const std::vector<Verdict>& verdicts) {
  std::string md = "# Kestrel report\n\n" + driver_lines(report) + settings_lines(report) +
                   provenance_markdown("Made by", report.provenance);
  const std::string warnings = warning_section(report, "##");
  if (!warnings.empty()) md += "\n" + warnings;
  md += "\n" + verdict_section(verdicts, report.tolerance, "##");
  md += "\n## What the driver does\n\n" + findings_list(findings);
  md += "\n" + panel_section(report, "##");

  md += "\n" + band_section(report, "##");
  const std::string quality = quality_section(report, "##", true);
  if (!quality.empty()) md += "\n" + quality;

  md += "\n" + unit_section(report, "##");

  md += "\n" + angle_section(report, "##");
  md += "\n" + cost_section(report, "##");

  md += "\n## Pictures\n\n";
  md += "- [panels.png](panels.png): the eight panels as the test draws them at start-up.\n";
  md +=
      "- [lod-measured.png](lod-measured.png): the level each pixel samples, dark violet "
      "(level 0) to yellow (the 1 × 1 level).\n";
  md +=
      "- [lod-error.png](lod-error.png): measured − reference level per quad: white is right, "
      "blue sharper, red blurrier.\n";
  md +=
      "- [angles.svg](angles.svg): effective anisotropy against the turn, one curve per AF "
      "level, with the extension's formula dashed and the rotation-invariant ideal dotted.\n";
  if (!report.quality.panels.empty()) md += std::string("- ") + quality_picture + "\n";
  return md;
}

std::string summary_markdown(const Report& report, const std::vector<Finding>& findings,
                             const std::vector<Verdict>& verdicts) {
  std::string md =
      "## " + report.driver.renderer + "\n\n" + driver_lines(report) + settings_lines(report);
  md += "\n" + verdict_section(verdicts, report.tolerance, "###");
  md += "\n### What the driver does\n\n" + findings_list(findings);
  md += "\n" + panel_section(report, "###");
  const std::string quality = quality_section(report, "###", false);
  if (!quality.empty()) md += "\n" + quality;
  md += "\n" + cost_section(report, "###");
  md += "\n" + angle_section(report, "###");
  return md;
}

std::string report_part(ReportPart part, const Report& report, const char* heading) {
  switch (part) {
    case ReportPart::driver: return driver_lines(report) + settings_lines(report);
    case ReportPart::warnings: return warning_section(report, heading);
    case ReportPart::verdict_rules: return verdict_rules(report.tolerance);
    case ReportPart::panels: return panel_section(report, heading);
    case ReportPart::bands: return band_section(report, heading);
    case ReportPart::quality: return quality_section(report, heading, false);
    case ReportPart::units: return unit_section(report, heading);
    case ReportPart::angles: return angle_section(report, heading);
    case ReportPart::costs: return cost_section(report, heading);
  }
  return "";
}
