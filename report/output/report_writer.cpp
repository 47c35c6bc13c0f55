// The report's text files, built from the measurements.
#include "report/output/report_writer.h"

#include "report/measure/image_quality.h"
#include "report/model/panel_config.h"
#include "report/output/json_writer.h"
#include "report/output/text_format.h"

namespace {

void write_statistics(JsonWriter& json, const PanelStatistics& s) {
  json.begin_object();
  json.field("quads", s.quads);
  json.field("decisive_quads", s.decisive_quads);
  json.field("pixels_measured", s.pixels);
  json.field("background_pixels", s.background_pixels);
  json.field("undecodable_pixels", s.undecodable_pixels);
  json.field("unresolved_pixels", s.unresolved_pixels);
  json.field("mean_error", s.mean_error);
  json.field("rms_error", s.rms_error);
  json.field("p95_abs_error", s.p95_abs_error);
  json.field("blurrier_share", s.blurrier_share);
  json.field("sharper_share", s.sharper_share);
  json.field("blended_share", s.blended_share);
  json.field("effective_anisotropy", s.effective_anisotropy);
  json.field("ideal_anisotropy", s.ideal_anisotropy);
  json.key("bands");
  json.begin_array();
  for (const DistanceBand& band : s.bands) {
    json.begin_object();
    json.field("near", band.near);
    json.field("far", band.far);
    json.field("quads", band.quads);
    json.field("ideal_anisotropy", band.ideal_anisotropy);
    json.field("measured_anisotropy", band.measured_anisotropy);
    json.end_object();
  }
  json.end_array();
  json.end_object();
}

void write_panel(JsonWriter& json, const PanelMeasurement& panel) {
  json.begin_object();
  json.field("label", configuration_label(panel.config));
  json.field("filter", min_filter_name(panel.config.trilinear));
  json.field("anisotropy", double(panel.config.anisotropy));
  json.field("unit", panel.config.unit);
  json.field("units", panel.config.units);
  json.key("statistics");
  write_statistics(json, panel.statistics);
  json.end_object();
}

void write_baseline(JsonWriter& json, const BaselineComparison& baseline) {
  json.begin_object();
  json.field("path", baseline.file);
  json.field("renderer", baseline.baseline_renderer);
  json.field("regressed", baseline.regressed);
  json.key("changes");
  json.begin_array();
  for (const Change& change : baseline.changes) {
    json.begin_object();
    json.field("figure", std::string(figure_name(change.figure)));
    if (change.figure == Figure::verdict) {
      json.field("rule", std::string(rule_name(change.rule)));
      json.field("verdict", change.subject);
      json.field("old_pass", change.old_pass);
      json.field("new_pass", change.new_pass);
    } else {
      json.field("panel", change.subject);
    }
    if (change.figure == Figure::band_anisotropy) {
      json.field("near", change.near);
      json.field("far", change.far);
    }
    json.field("old", change.old_value);
    json.field("new", change.new_value);
    json.field("regressed", change.regressed);
    json.end_object();
  }
  json.end_array();
  json.key("not_in_baseline");
  json.begin_array();
  for (const std::string& subject : baseline.unmatched) json.value(subject);
  json.end_array();
  json.end_object();
}

// Opens the object of one panel configuration of a sweep, a cost or an image quality with what
// names it: its label, its filter and its anisotropy.
void begin_configuration(JsonWriter& json, const PanelConfig& config) {
  json.begin_object();
  json.field("label", configuration_label(config));
  json.field("trilinear", config.trilinear);
  json.field("anisotropy", double(config.anisotropy));
}

// The pixels and the three figures of a panel's or a band's image quality, into the open
// object. The pixels of one panel fit an int as the viewport's do.
void write_quality_figures(JsonWriter& json, const QualityFigures& figures) {
  json.field("pixels", static_cast<int>(figures.pixels));
  json.field("psnr", figures.psnr);
  json.field("detail", figures.detail);
  json.field("flicker", figures.flicker);
}

void write_panel_quality(JsonWriter& json, const PanelQuality& panel) {
  begin_configuration(json, panel.config);
  write_quality_figures(json, panel.figures);
  json.key("bands");
  json.begin_array();
  for (const QualityBand& band : panel.bands) {
    json.begin_object();
    json.field("near", band.near);
    json.field("far", band.far);
    write_quality_figures(json, band.figures);
    json.end_object();
  }
  json.end_array();
  json.end_object();
}

// The taps are a count of billions, written to six significant digits as every figure is.
void write_quality(JsonWriter& json, const QualityReport& quality) {
  json.begin_object();
  json.field("texture", quality.texture);
  json.field("texture_width", quality.texture_width);
  json.field("texture_height", quality.texture_height);
  json.field("offsets", quality.offsets);
  json.key("step");
  json.begin_array();
  json.value(quality.step_x);
  json.value(quality.step_y);
  json.end_array();
  json.field("taps", double(quality.taps));
  json.field("reference_seconds", quality.reference_seconds);
  json.key("panels");
  json.begin_array();
  for (const PanelQuality& panel : quality.panels) write_panel_quality(json, panel);
  json.end_array();
  json.end_object();
}

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

std::string band_table(const Report& report) {
  std::string table = distance_head();
  for (const PanelMeasurement& panel : report.panels)
    table += distance_row(panel.config, panel.statistics.bands, [](const DistanceBand& band) {
      return format_text("%.2f (%.2f)", band.measured_anisotropy, band.ideal_anisotropy);
    });
  return table;
}

std::string unit_table(const Report& report) {
  std::string table = format_text(
      "| Unit | trilinear AF %g | bilinear AF %g | difference from unit 0 (levels) | "
      "matches unit 0 |\n|---|---|---|---|---|\n",
      double(unit_anisotropy), double(unit_anisotropy));
  for (const UnitMeasurement& unit : report.units)
    table += format_text("| %d | %.2f | %.2f | %.3f / %.3f | %s |\n", unit.unit,
                         unit.trilinear.statistics.effective_anisotropy,
                         unit.bilinear.statistics.effective_anisotropy, unit.trilinear_difference,
                         unit.bilinear_difference, unit.matches_unit_0 ? "yes" : "**no**");
  return table;
}

void write_angle_sweep(JsonWriter& json, const AngleSweep& sweep) {
  begin_configuration(json, sweep.config);
  json.key("samples");
  json.begin_array();
  for (const AngleSample& sample : sweep.samples) {
    json.begin_object();
    json.field("degrees", sample.degrees);
    json.field("quads", sample.quads);
    json.field("measured_anisotropy", sample.measured);
    json.field("formula_anisotropy", sample.formula);
    json.field("invariant_anisotropy", sample.invariant);
    json.end_object();
  }
  json.end_array();
  json.end_object();
}

void write_cost(JsonWriter& json, const DrawCost& cost) {
  begin_configuration(json, cost.config);
  json.field("repetitions", cost.repetitions);
  json.field("median_ms", cost.milliseconds.median);
  json.field("lower_quartile_ms", cost.milliseconds.lower_quartile);
  json.field("upper_quartile_ms", cost.milliseconds.upper_quartile);
  json.field("relative_to_isotropic", cost.relative);
  json.end_object();
}

std::vector<double> levels_of(const Report& report) {
  return {report.anisotropy_levels.begin(), report.anisotropy_levels.end()};
}

std::string driver_lines(const Report& report) {
  return format_text("- Vendor: %s\n- Renderer: %s\n- Version: %s\n", report.driver.vendor.c_str(),
                     report.driver.renderer.c_str(), report.driver.version.c_str()) +
         format_text("- Maximum anisotropy advertised: %g\n- Texture units tested: %d\n",
                     double(report.driver.max_anisotropy), report.driver.tmu_count) +
         "- Platform: " + report.platform + "\n";
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
  if (!report.costs.empty())
    md += format_text("- Timed draws per configuration: %d\n", report.costs.front().repetitions);
  return md;
}

std::string verdict_section(const std::vector<Verdict>& verdicts, double tolerance,
                            const char* heading) {
  const std::size_t passed = verdicts.size() - failed_count(verdicts);
  std::string md = format_text(
      "%s Verdicts\n\n%zu of %zu pass. *Bounds*: at most %.0f %% of a panel's decisive quads "
      "more than %.2f levels finer than log2(Pmax / N) or coarser than log2(Pmax); *AF without "
      "effect*: an AF panel on the isotropic panel's levels where the extension asks for finer "
      "ones; *unit*: AF panels on every unit as on unit 0.\n\n"
      "| Rule | Subject | Verdict | Figure |\n|---|---|---|---|\n",
      heading, passed, verdicts.size(), percent(bounds_failing_share), tolerance);
  for (const Verdict& verdict : verdicts)
    md += format_text("| %s | %s | %s | %s |\n", rule_name(verdict.rule),
                      markdown_cell(verdict.subject).c_str(), verdict.pass ? "PASS" : "**FAIL**",
                      markdown_cell(verdict.reason).c_str());
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
      "contrast the ideal filter does not have, which is aliasing. *Flicker*: how much each "
      "pixel changes as the plane moves by %d steps of (%g, %g) pixels the way it recedes, "
      "relative to the ideal filter: 1 is as steady as the ideal, more shimmers.",
      q.texture.c_str(), q.texture_width, q.texture_height, double(q.taps) / 1e6,
      q.reference_seconds,
      detail_window, detail_window, q.offsets, q.step_x, q.step_y);
  if (link_picture) md += std::string(" ") + quality_picture;
  md += "\n\n| Panel |";
  for (const auto& column : quality_columns) md += std::string(" ") + column.title + " |";
  md += "\n|---|---|---|---|\n";
  for (const PanelQuality& panel : q.panels) {
    md += "| " + configuration_label(panel.config) + " |";
    for (const auto& column : quality_columns)
      md += " " + decimals_text(panel.figures.*column.value, column.decimals) + " |";
    md += "\n";
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
  md +=
      "Each configuration's draw of the plane alone, timed on its own: glFinish before and "
      "after each draw, the median with the quartiles around it, and the median relative to "
      "the isotropic draw of the same filter.\n\n"
      "| Configuration | draws | median (ms) | quartiles (ms) | relative to isotropic |\n"
      "|---|---|---|---|---|\n";
  for (const DrawCost& cost : report.costs)
    md += format_text("| %s | %d | %.3f | %.3f – %.3f | %.2f |\n",
                      configuration_label(cost.config).c_str(), cost.repetitions,
                      cost.milliseconds.median, cost.milliseconds.lower_quartile,
                      cost.milliseconds.upper_quartile, cost.relative);
  return md;
}

}  // namespace

std::string report_json(const Report& report, const std::vector<Finding>& findings,
                        const std::vector<Verdict>& verdicts, const BaselineComparison* baseline) {
  JsonWriter json;
  json.begin_object();
  json.key("driver");
  json.begin_object();
  json.field("vendor", report.driver.vendor);
  json.field("renderer", report.driver.renderer);
  json.field("version", report.driver.version);
  json.field("max_anisotropy", double(report.driver.max_anisotropy));
  json.field("texture_units", report.driver.tmu_count);
  json.end_object();
  json.field("platform", report.platform);
  json.key("warnings");
  json.begin_array();
  for (const std::string& warning : report.warnings) json.value(warning);
  json.end_array();
  json.key("panel_size");
  json.begin_array();
  json.value(report.panel_width);
  json.value(report.panel_height);
  json.end_array();
  json.key("settings");
  json.begin_object();
  json.key("anisotropy_levels");
  json.begin_array();
  for (const float level : report.anisotropy_levels) json.value(double(level));
  json.end_array();
  json.field("lod_bias", double(report.lod_bias));
  json.field("tolerance", report.tolerance);
  json.key("angles");
  json.begin_array();
  for (const double angle : report.angles) json.value(angle);
  json.end_array();
  json.end_object();
  json.key("thresholds");
  json.begin_object();
  json.field("level_tolerance", level_tolerance);
  json.field("blurry_threshold", blurry_threshold);
  json.field("blend_threshold", blend_threshold);
  json.end_object();
  json.key("panels");
  json.begin_array();
  for (const PanelMeasurement& panel : report.panels) write_panel(json, panel);
  json.end_array();
  json.key("units");
  json.begin_array();
  for (const UnitMeasurement& unit : report.units) {
    json.begin_object();
    json.field("unit", unit.unit);
    json.key("trilinear");
    write_panel(json, unit.trilinear);
    json.key("bilinear");
    write_panel(json, unit.bilinear);
    json.field("trilinear_difference", unit.trilinear_difference);
    json.field("bilinear_difference", unit.bilinear_difference);
    json.field("matches_unit_0", unit.matches_unit_0);
    json.end_object();
  }
  json.end_array();
  json.key("turn_disc");
  json.begin_object();
  json.field("x", report.disc.x);
  json.field("y", report.disc.y);
  json.field("radius", report.disc.radius);
  json.end_object();
  json.key("angle_sweeps");
  json.begin_array();
  for (const AngleSweep& sweep : report.angle_sweeps) write_angle_sweep(json, sweep);
  json.end_array();
  json.key("cost");
  json.begin_array();
  for (const DrawCost& cost : report.costs) write_cost(json, cost);
  json.end_array();
  if (!report.quality.panels.empty()) {
    json.key("quality");
    write_quality(json, report.quality);
  }
  json.key("verdicts");
  json.begin_array();
  for (const Verdict& verdict : verdicts) {
    json.begin_object();
    json.field("rule", std::string(rule_name(verdict.rule)));
    json.field("subject", verdict.subject);
    json.field("pass", verdict.pass);
    json.field("figure", verdict.figure);
    json.field("reason", verdict.reason);
    json.end_object();
  }
  json.end_array();
  json.key("findings");
  json.begin_array();
  for (const Finding& finding : findings) json.value(finding.text);
  json.end_array();
  if (baseline) {
    json.key("baseline");
    write_baseline(json, *baseline);
  }
  json.end_object();
  return json.text() + "\n";
}

std::string report_markdown(const Report& report, const std::vector<Finding>& findings,
                            const std::vector<Verdict>& verdicts) {
  std::string md = "# Kestrel report\n\n" + driver_lines(report) + settings_lines(report);
  if (!report.warnings.empty()) {
    md += "\n## Warnings\n\n";
    for (const std::string& warning : report.warnings) md += "- " + warning + "\n";
    md +=
        "\nThe unit pictures show in panels.png alone: every measurement draws a white texel on "
        "the units it does not measure, so no figure below depends on them.\n";
  }
  md += "\n" + verdict_section(verdicts, report.tolerance, "##");
  md += "\n## What the driver does\n\n" + findings_list(findings);
  md += "\n" + panel_section(report, "##");

  md += "\n## Effective anisotropy by distance\n\n";
  md +=
      "Measured (ideal) effective anisotropy of the decisive quads whose centres lie the given "
      "distance in front of the eye, in scene units (the plane's quads are 2 units wide).\n\n";
  md += band_table(report);
  const std::string quality = quality_section(report, "##", true);
  if (!quality.empty()) md += "\n" + quality;

  md += "\n## Texture units\n\n";
  md += format_text(
      "The AF %g panels once per unit in use: the colour-mipmap texture on that unit, a "
      "white texel on the others. Effective anisotropy per unit; units match when their "
      "levels differ from unit 0's by %.2f at most on average.\n\n",
      double(unit_anisotropy), level_tolerance);
  md += unit_table(report);

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
