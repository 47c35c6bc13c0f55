// The verdicts on the reference renderer: the clean formula fails none; each defect real drivers
// have had fails exactly its verdicts, planted just inside and outside any threshold.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "report/draw/reference_scene_renderer.h"
#include "report/judge/baseline.h"
#include "report/judge/verdicts.h"
#include "report/measure/quality_texture.h"
#include "report/measure/report_measurement.h"
#include "scene/panel_layout.h"
#include "scene/scene.h"

namespace {

using Ids = std::set<std::string>;

// "<rule>/<filter>-af-N" for both filters, or the one given, at AF 2, 4, 8 and 16.
Ids af_panels(const std::string& rule, const std::vector<std::string>& filters = {"trilinear",
                                                                                "bilinear"}) {
  Ids ids;
  for (const std::string& filter : filters)
    for (const char* level : {"2", "4", "8", "16"})
      ids.insert(rule + "/" + filter + "-af-" + level);
  return ids;
}

Ids all_panels(const std::string& rule) {
  Ids ids = af_panels(rule);
  ids.insert(rule + "/trilinear-isotropic");
  ids.insert(rule + "/bilinear-isotropic");
  return ids;
}

// A whole report of the reference renderer with `defect` planted, at the test's start view.
Report reference_report(PlantedDefect defect, float lod_bias = 0.0f) {
  RunTimes times;
  ReferenceSceneRenderer renderer(times, {}, defect);
  MeasureSettings settings;
  settings.lod_bias = lod_bias;
  settings.repeats = 1;
  settings.quiet = true;
  return measure_report(renderer, settings, start_view(start_zoom), 256, 256,
                        quality_test_texture(), times);
}

Ids failing(const Report& report) {
  Ids ids;
  for (const Verdict& verdict : judge_report(report))
    if (!verdict.pass) ids.insert(verdict_id(verdict));
  return ids;
}

struct DefectRow {
  const char* name;
  PlantedDefect defect;
  Ids fails;
  float lod_bias = 0.0f;
};

TEST(ReferenceVerdicts, EachPlantedDefectFailsExactlyTheVerdictsThatNameIt) {
  const Ids trilinear_af = af_panels("trilinear", {"trilinear"});
  const Ids units = {"unit/unit-1", "unit/unit-2", "unit/unit-3"};
  const DefectRow rows[] = {
      {"clean formula", {Defect::none, 1.0}, {}},
      {"AF ignored", {Defect::af_ignored, 1.0}, af_panels("af-without-effect")},
      {"AF level ignored", {Defect::af_level_ignored, 1.0}, af_panels("level-honoured")},
      {"trilinear dropped under AF", {Defect::trilinear_dropped, 1.0}, trilinear_af},
      {"trilinear narrowed to ±0.15", {Defect::trilinear_narrowed, 0.15}, trilinear_af},
      {"trilinear narrowed to ±0.22, outside the blend share",
       {Defect::trilinear_narrowed, 0.22}, trilinear_af},
      {"trilinear narrowed to ±0.30, inside the blend share",
       {Defect::trilinear_narrowed, 0.30}, {}},
      {"half the probes", {Defect::half_probes, 0.5}, af_panels("aliasing")},
      {"AF on unit 0 only", {Defect::af_on_unit_0_only, 1.0}, units},
      {"AF on unit 0 only on 11 % of the plane, outside the unit difference",
       {Defect::af_on_unit_0_only, 0.11}, units},
      {"AF on unit 0 only on 9 % of the plane, inside the unit difference",
       {Defect::af_on_unit_0_only, 0.09}, {}},
      {"LOD bias of +1 ignored", {Defect::lod_bias_ignored, 1.0}, all_panels("aliasing"), 1.0f},
      {"bilinear AF without effect", {Defect::bilinear_af_without_effect, 1.0},
       af_panels("af-without-effect", {"bilinear"})},
      {"coarser than isotropic on two columns, outside the reach share",
       {Defect::coarse_reach, 0.012}, af_panels("reach")},
      {"coarser than isotropic on one column, inside the reach share",
       {Defect::coarse_reach, 0.007}, {}},
  };
  for (const DefectRow& row : rows)
    EXPECT_EQ(failing(reference_report(row.defect, row.lod_bias)), row.fails) << row.name;
}

// The reference's own numbers: its levels are the formula's, its pictures its own judge's.
TEST(ReferenceVerdicts, CleanFormulaSamplesTheExtensionsLevels) {
  const Report report = reference_report({});
  for (const PanelMeasurement& panel : report.panels) {
    SCOPED_TRACE(configuration_label(panel.config));
    // N = ceil(Pmax / Pmin) is a step function; the continuous reference lies within a quarter
    // level of it.
    EXPECT_LT(std::abs(panel.statistics.mean_error), 0.1);
    EXPECT_EQ(panel.statistics.blurrier_share, 0.0);
  }
  for (const PanelQuality& quality : report.quality.panels) {
    EXPECT_DOUBLE_EQ(quality.formula.flicker, 1.0);
    EXPECT_DOUBLE_EQ(quality.formula.detail, 1.0);
  }
}

// Against its fix, the effective anisotropy moves to the formula's value (improved) and the
// level-honoured verdicts pass.
TEST(ReferenceVerdicts, FixingAnIgnoredAfLevelImproves) {
  StoredReport before;
  before.report = reference_report({Defect::af_level_ignored, 1.0});
  before.verdicts = judge_report(before.report);
  const Report after = reference_report({});
  const BaselineComparison comparison = compare_with_baseline(before, after, judge_report(after));
  int improved = 0, regressed = 0;
  for (const Change& change : comparison.changes) {
    if (change.quantity != Quantity::band_anisotropy && change.quantity != Quantity::verdict)
      continue;
    improved += change.movement == Movement::improved;
    regressed += change.movement == Movement::regressed;
  }
  EXPECT_GT(improved, 8);
  EXPECT_EQ(regressed, 0);
  EXPECT_FALSE(has_regressed(comparison));
}

}  // namespace
