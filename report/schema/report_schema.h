// report.json's schema, in one place: each record of a report with the keys of its members in
// the order report.json holds them and the kind of value each is. The writer of report.json
// (report_json.cpp) and its reader (stored_report.cpp) both walk these lists, so that a
// new figure is one line here and is written and read back alike.
//
// A walk is a class with `static constexpr bool writes` and one function per kind of value, each
// given the key and the member, const for a walk that writes:
//   text         a string
//   flag         true or false
//   whole        an int, within ±10^9
//   count        a count of pixels: a whole number from 0 to 2^53, written as an int
//   large_count  a count of texels: the same, written to six significant digits as figures are
//   single       a float: a level, a bias
//   number       a double that is always finite
//   real         a double, null where it is not finite, which reads back as `absent` (NaN
//                unless given)
//   ratio        a real that is never negative, null where it was not measured (NaN)
//   filter       the GL name of the minification filter of `trilinear`
//   rule         a verdict's rule by its name
//   label        a configuration's label: not stored, written from it and checked when read
//   pair         two values in an array: a size, a step
//   list         an array of strings or of numbers
//   object       a record of its own, walked with its json_fields
//   records      an array of records
//   group        an object that gathers members of the record walked, walked by the function given
//   present      whether a member that reports may lack is there: for a walk that writes,
//                `written`; for one that reads, whether the text holds it
//   version      the schema version of report.json, an int: a walk that reads takes a report
//                without one as version 1 and walks the members after it by that version
//   since        whether a member added in schema version `version` is walked: for a walk that
//                writes, always; for one that reads, where the text holds it or the report is
//                of that version or later, which then must hold it
// Members within `if constexpr (Walk::writes)` are stated for people and tools and never read
// back.
//
// A new figure is its member in the record and one line in the record's json_fields. The reader
// holds every report.json to all the members listed: one that earlier reports lack goes behind
// `present`, as the warnings do, or behind `since` with a new report_schema_version, so that they
// still read as baselines.
#pragma once

#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "report/judge/baseline.h"
#include "report/judge/verdicts.h"
#include "report/model/report.h"

// A record as a walk sees it: read-only for a walk that writes, writable for one that reads.
template <typename Walk, typename Record>
using RecordOf = std::conditional_t<Walk::writes, const Record, Record>;

// What a panel's sweep, cost or image quality is of, in its own object.
template <typename Walk>
void configuration_fields(Walk& walk, RecordOf<Walk, PanelConfig>& config) {
  walk.label("label", config);
  walk.flag("trilinear", config.trilinear);
  walk.single("anisotropy", config.anisotropy);
}

// The provenance's members but the schema version, which comes first in report.json, apart.
template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, Provenance>& provenance) {
  walk.text("kestrel_version", provenance.kestrel_version);
  walk.text("time", provenance.time);
  walk.text("command_line", provenance.command_line);
  walk.text("host", provenance.host);
  walk.text("api", provenance.api);
  walk.text("platform", provenance.platform);
  walk.whole("device", provenance.device);
  walk.text("device_name", provenance.device_name);
}

// The schema version first, so that a walk that reads knows it before any other member; then the
// provenance, which reports of version 1 lack.
template <typename Walk>
void provenance_fields(Walk& walk, RecordOf<Walk, Provenance>& provenance) {
  walk.version("schema_version", provenance.schema_version);
  if (walk.since("provenance", 2)) walk.object("provenance", provenance);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, DriverInfo>& driver) {
  walk.text("vendor", driver.vendor);
  walk.text("renderer", driver.renderer);
  walk.text("version", driver.version);
  walk.single("max_anisotropy", driver.max_anisotropy);
  walk.whole("texture_units", driver.tmu_count);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, DistanceBand>& band) {
  walk.number("near", band.near);
  walk.number("far", band.far);
  walk.whole("quads", band.quads);
  walk.real("ideal_anisotropy", band.ideal_anisotropy);
  walk.real("measured_anisotropy", band.measured_anisotropy);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, PanelStatistics>& s) {
  walk.whole("quads", s.quads);
  walk.whole("decisive_quads", s.decisive_quads);
  walk.whole("pixels_measured", s.pixels);
  walk.whole("background_pixels", s.background_pixels);
  walk.whole("undecodable_pixels", s.undecodable_pixels);
  walk.whole("unresolved_pixels", s.unresolved_pixels);
  walk.real("mean_error", s.mean_error);
  walk.real("rms_error", s.rms_error);
  walk.real("p95_abs_error", s.p95_abs_error);
  walk.real("blurrier_share", s.blurrier_share);
  walk.real("sharper_share", s.sharper_share);
  walk.real("blended_share", s.blended_share);
  walk.real("effective_anisotropy", s.effective_anisotropy);
  walk.real("ideal_anisotropy", s.ideal_anisotropy);
  walk.records("bands", s.bands);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, PanelMeasurement>& panel) {
  walk.label("label", panel.config);
  walk.filter("filter", panel.config.trilinear);
  walk.single("anisotropy", panel.config.anisotropy);
  walk.whole("unit", panel.config.unit);
  walk.whole("units", panel.config.units);
  walk.object("statistics", panel.statistics);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, UnitMeasurement>& unit) {
  walk.whole("unit", unit.unit);
  walk.object("trilinear", unit.trilinear);
  walk.object("bilinear", unit.bilinear);
  walk.real("trilinear_difference", unit.trilinear_difference);
  walk.real("bilinear_difference", unit.bilinear_difference);
  walk.flag("matches_unit_0", unit.matches_unit_0);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, TurnDisc>& disc) {
  walk.number("x", disc.x);
  walk.number("y", disc.y);
  walk.number("radius", disc.radius);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, AngleSample>& sample) {
  walk.number("degrees", sample.degrees);
  walk.whole("quads", sample.quads);
  walk.real("measured_anisotropy", sample.measured);
  walk.real("formula_anisotropy", sample.formula);
  walk.real("invariant_anisotropy", sample.invariant);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, AngleSweep>& sweep) {
  configuration_fields(walk, sweep.config);
  walk.records("samples", sweep.samples);
}

// The times are in milliseconds, each median with its 95 % interval; reports before version 4
// timed each configuration in one block and hold the median alone.
template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, DrawCost>& cost) {
  configuration_fields(walk, cost.config);
  const bool rounds = walk.since("rounds", 4);
  if (rounds) {
    walk.whole("rounds", cost.rounds);
    walk.whole("draws_per_batch", cost.draws);
  }
  walk.real("median_ms", cost.milliseconds.median);
  if (rounds) {
    walk.real("median_ms_low", cost.milliseconds.low);
    walk.real("median_ms_high", cost.milliseconds.high);
  }
  walk.real("relative_to_isotropic", cost.relative.median);
  if (rounds) {
    walk.real("relative_low", cost.relative.low);
    walk.real("relative_high", cost.relative.high);
    walk.flag("settled", cost.settled);
  }
}

// The figures of a panel's or a band's image quality, in its object. Only equal pictures give a
// PSNR that is not finite: +infinity. A ratio is not measured (NaN) without a window to take
// contrast in, or where the ideal picture has no contrast or flicker to compare with.
template <typename Walk>
void quality_figure_fields(Walk& walk, RecordOf<Walk, QualityFigures>& figures) {
  walk.count("pixels", figures.pixels);
  walk.real("psnr", figures.psnr, std::numeric_limits<double>::infinity());
  walk.ratio("detail", figures.detail);
  walk.ratio("flicker", figures.flicker);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, QualityBand>& band) {
  walk.number("near", band.near);
  walk.number("far", band.far);
  quality_figure_fields(walk, band.figures);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, PanelQuality>& panel) {
  configuration_fields(walk, panel.config);
  quality_figure_fields(walk, panel.figures);
  // Against the extension's formula, since version 3; earlier reports have none.
  if (walk.since("formula", 3))
    walk.group("formula", [&] { quality_figure_fields(walk, panel.formula); });
  walk.records("bands", panel.bands);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, QualityReport>& quality) {
  walk.text("texture", quality.texture);
  walk.whole("texture_width", quality.texture_width);
  walk.whole("texture_height", quality.texture_height);
  walk.whole("offsets", quality.offsets);
  walk.pair("step", quality.step_x, quality.step_y);
  walk.large_count("taps", quality.taps);
  walk.number("reference_seconds", quality.reference_seconds);
  walk.records("panels", quality.panels);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, Report>& report) {
  provenance_fields(walk, report.provenance);
  walk.object("driver", report.driver);
  walk.text("platform", report.context);
  // Reports made before warnings were kept have none.
  if (walk.present("warnings", true)) walk.list("warnings", report.warnings);
  walk.pair("panel_size", report.panel_width, report.panel_height);
  walk.group("settings", [&] {
    walk.list("anisotropy_levels", report.anisotropy_levels);
    walk.single("lod_bias", report.lod_bias);
    walk.number("tolerance", report.tolerance);
    walk.list("angles", report.angles);
  });
  if constexpr (Walk::writes) {
    walk.group("thresholds", [&] {
      walk.number("level_tolerance", level_tolerance);
      walk.number("blurry_threshold", blurry_threshold);
      walk.number("blend_threshold", blend_threshold);
    });
  }
  walk.records("panels", report.panels);
  walk.records("units", report.units);
  walk.object("turn_disc", report.disc);
  walk.records("angle_sweeps", report.angle_sweeps);
  walk.records("cost", report.costs);
  if (walk.since("cost_clock", 4)) walk.text("cost_clock", report.cost_clock);
  // Written where the image quality was measured; reports made before it was have none.
  if (walk.present("quality", !report.quality.panels.empty()))
    walk.object("quality", report.quality);
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, Verdict>& verdict) {
  if constexpr (Walk::writes) walk.text("id", verdict_id(verdict));
  walk.rule("rule", verdict.rule);
  walk.text("subject", verdict.subject);
  walk.flag("pass", verdict.pass);
  walk.real("figure", verdict.value);
  walk.text("reason", verdict.reason);
  if constexpr (Walk::writes) walk.text("expected", verdict.expected_fail ? "fail" : "pass");
}

// A figure of a run beside its baseline's: a verdict names its rule and subject and both passes,
// a band its distances; each says how it moved.
template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, Change>& change) {
  walk.text("figure", quantity_name(change.quantity));
  if (change.quantity == Quantity::verdict) {
    walk.rule("rule", change.rule);
    walk.text("verdict", change.subject);
    walk.flag("old_pass", change.old_pass);
    walk.flag("new_pass", change.new_pass);
  } else {
    walk.text("panel", change.subject);
  }
  if (change.quantity == Quantity::band_anisotropy) {
    walk.number("near", change.near);
    walk.number("far", change.far);
  }
  walk.real("old", change.old_value);
  walk.real("new", change.new_value);
  if (change.quantity == Quantity::cost) {
    walk.real("old_low", change.old_cost.low);
    walk.real("old_high", change.old_cost.high);
    walk.real("new_low", change.new_cost.low);
    walk.real("new_high", change.new_cost.high);
  }
  walk.text("movement", movement_name(change.movement));
}

template <typename Walk>
void json_fields(Walk& walk, RecordOf<Walk, BaselineComparison>& baseline) {
  walk.text("path", baseline.file);
  walk.text("renderer", baseline.baseline_renderer);
  walk.list("other_origin", baseline.other_origin);
  walk.flag("regressed", has_regressed(baseline));
  walk.records("changes", baseline.changes);
  walk.list("not_in_baseline", baseline.unmatched);
  walk.list("rules_no_longer_judged", baseline.retired);
}

// What report.json says of a run besides its measurements and verdicts, for people and tools; no
// baseline needs it, and the reader passes over it.
struct Commentary {
  std::vector<std::string> findings;             // the text of each finding
  const BaselineComparison* baseline = nullptr;  // the run against its baseline, when it had one
};

// The whole of report.json, the members of its outermost object.
template <typename Walk>
void report_json_fields(Walk& walk, RecordOf<Walk, Report>& report,
                        RecordOf<Walk, std::vector<Verdict>>& verdicts,
                        const Commentary& commentary = {}) {
  json_fields(walk, report);
  walk.records("verdicts", verdicts);
  if constexpr (Walk::writes) {
    walk.list("findings", commentary.findings);
    if (commentary.baseline) walk.object("baseline", *commentary.baseline);
  }
}
