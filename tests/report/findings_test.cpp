// The plain-words findings from reports made up to show each behaviour: hard bands with AF,
// AF without effect, an anisotropy that makes no difference, levels sharper or blurrier than
// allowed, a unit that AF does not reach, filtering that depends on the direction, and what AF
// costs.
#include "report/output/findings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A panel of one quad whose four pixels all sample `level`.
PanelMeasurement panel(bool trilinear, float anisotropy, double level) {
  PanelMeasurement m;
  m.config = {trilinear, anisotropy, 0, 1};
  m.levels = LevelMap(2, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) m.levels.set(x, y, PixelClass::level, level);
  QuadLevels quad;
  quad.measured = level;
  m.quads.push_back(quad);
  m.statistics.quads = 1;
  m.statistics.effective_anisotropy = 1.0;
  return m;
}

// Eight panels: trilinear and bilinear, isotropic at level 4, AF 2, 4, 8 at the levels given.
Report report_with(const std::vector<double>& trilinear_af,
                   const std::vector<double>& bilinear_af) {
  Report report;
  const float anisotropies[3] = {2.0f, 4.0f, 8.0f};
  report.panels.push_back(panel(true, 1.0f, 4.0));
  for (int i = 0; i < 3; ++i)
    report.panels.push_back(panel(true, anisotropies[i], trilinear_af[i]));
  report.panels.push_back(panel(false, 1.0f, 4.0));
  for (int i = 0; i < 3; ++i)
    report.panels.push_back(panel(false, anisotropies[i], bilinear_af[i]));
  for (int unit = 0; unit < 4; ++unit) {
    UnitMeasurement m;
    m.unit = unit;
    report.units.push_back(m);
  }
  return report;
}

bool said(const std::vector<std::string>& findings, const std::string& words) {
  for (const std::string& finding : findings)
    if (finding.find(words) != std::string::npos) return true;
  return false;
}

std::string all(const std::vector<std::string>& findings) {
  std::string text;
  for (const std::string& finding : findings) text += finding + "\n";
  return text;
}

}  // namespace

TEST(Findings, HardBandsAndAnAnisotropyThatMakesNoDifference) {
  Report report = report_with({2.0, 2.0, 2.0}, {2.0, 2.0, 2.0});
  report.panels[0].statistics.blended_share = 0.7;
  for (PanelMeasurement& p : report.panels)
    if (p.config.anisotropy == 2.0f) p.statistics.sharper_share = 0.5;
  const std::vector<std::string> findings = describe_findings(report);
  SCOPED_TRACE(all(findings));
  EXPECT_TRUE(said(findings, "Without AF the driver samples the levels core GL asks for"));
  EXPECT_TRUE(said(findings,
                   "Trilinear filtering stops blending levels once AF is on: the "
                   "trilinear AF 2, AF 4 and AF 8 panels"));
  EXPECT_TRUE(said(findings,
                   "With GL_LINEAR_MIPMAP_LINEAR (trilinear) the anisotropy asked "
                   "for makes no difference: AF 2 to 8 sample the same levels"));
  EXPECT_TRUE(said(findings,
                   "With GL_LINEAR_MIPMAP_NEAREST (bilinear) the anisotropy asked "
                   "for makes no difference"));
  EXPECT_TRUE(said(findings,
                   "in a share of the quads of trilinear, AF level 2 (50 %) and bilinear, "
                   "AF level 2 (50 %)."));
  EXPECT_TRUE(said(findings, "No panel is more than 0.5 levels blurrier"));
  EXPECT_TRUE(said(findings, "AF reaches every texture unit"));
}

TEST(Findings, AfWithoutEffectOnOneFilterAndAUnitItDoesNotReach) {
  Report report = report_with({3.0, 2.0, 1.0}, {4.0, 4.0, 4.0});
  for (PanelMeasurement& p : report.panels) p.statistics.blended_share = 0.6;
  report.panels[7].statistics.blurrier_share = 0.75;
  report.panels[0].statistics.mean_error = 0.6;
  report.units[2].matches_unit_0 = false;
  report.units[2].trilinear_difference = 2.0;
  const std::vector<std::string> findings = describe_findings(report);
  SCOPED_TRACE(all(findings));
  EXPECT_TRUE(said(findings,
                   "Without AF the driver strays from the levels core GL asks for "
                   "(trilinear: mean error +0.60"));
  EXPECT_TRUE(said(findings, "Trilinear filtering blends neighbouring levels with AF on as well"));
  EXPECT_TRUE(said(findings, "With GL_LINEAR_MIPMAP_LINEAR (trilinear) AF works and grows"));
  EXPECT_TRUE(said(findings, "AF has no effect with GL_LINEAR_MIPMAP_NEAREST (bilinear)"));
  EXPECT_TRUE(said(findings, "No panel samples finer levels than the extension allows."));
  EXPECT_TRUE(said(findings,
                   "blurrier than the reference in a share of the quads of bilinear, AF "
                   "level 8 (75 %)."));
  EXPECT_TRUE(said(findings,
                   "AF does not reach every texture unit alike: at AF 8 unit 2 "
                   "(mean difference 2.00 trilinear"));
}

TEST(Findings, OneUnitAndNoBlendsAtAll) {
  Report report = report_with({2.0, 2.0, 2.0}, {2.0, 2.0, 2.0});
  report.units.resize(1);
  const std::vector<std::string> findings = describe_findings(report);
  SCOPED_TRACE(all(findings));
  EXPECT_TRUE(said(findings, "Only one texture unit was measured"));
  EXPECT_TRUE(said(findings, "Trilinear filtering does not blend levels even without AF"));
}

namespace {

// A sweep of one configuration with the measured effective anisotropy at each turn given.
AngleSweep sweep(bool trilinear, float anisotropy,
                 const std::vector<std::pair<double, double>>& measured) {
  AngleSweep s;
  s.config = {trilinear, anisotropy, 0, 1};
  for (const auto& [degrees, value] : measured) {
    AngleSample sample;
    sample.degrees = degrees;
    sample.measured = value;
    sample.formula = value / 2.0;
    sample.invariant = 8.0;
    s.samples.push_back(sample);
  }
  return s;
}

DrawCost cost(bool trilinear, float anisotropy, double relative) {
  DrawCost c;
  c.config = {trilinear, anisotropy, 0, 1};
  c.repetitions = 31;
  c.relative = relative;
  return c;
}

}  // namespace

// Only the strongest AF of each filter is judged: trilinear AF 8 depends on the direction,
// bilinear AF 8 keeps within level_tolerance; AF 2's dip is left to the tables.
TEST(Findings, AngleDependenceOfTheStrongestAfAndWhatAfCosts) {
  Report report = report_with({2.0, 2.0, 2.0}, {2.0, 2.0, 2.0});
  report.angle_sweeps = {sweep(true, 2.0f, {{0, 2.0}, {45, 1.0}, {90, 2.0}}),
                         sweep(true, 8.0f, {{0, 7.5}, {45, 2.5}, {90, 7.0}}),
                         sweep(false, 8.0f, {{0, 6.0}, {45, 6.8}, {90, 6.2}})};
  report.costs = {cost(true, 1.0f, 1.0), cost(true, 8.0f, 3.25), cost(false, 1.0f, 1.0),
                  cost(false, 2.0f, 1.5)};
  const std::vector<std::string> findings = describe_findings(report);
  SCOPED_TRACE(all(findings));
  EXPECT_TRUE(said(findings,
                   "With GL_LINEAR_MIPMAP_LINEAR (trilinear) at AF 8 the effective anisotropy "
                   "depends on the direction: 7.5 at 0 degrees, 2.5 at 45 degrees. The "
                   "extension's formula alone allows 1.2 to 3.8 over the same turns, the "
                   "rotation-invariant ideal 8.0."));
  EXPECT_TRUE(said(findings,
                   "With GL_LINEAR_MIPMAP_NEAREST (bilinear) at AF 8 the driver filters every "
                   "direction alike: an effective anisotropy of 6.0 to 6.8 at every turn from 0 "
                   "to 90 degrees."));
  EXPECT_FALSE(said(findings, "at AF 2 the"));
  EXPECT_TRUE(said(findings,
                   "Drawing the plane takes 3.25 times the isotropic draw with "
                   "GL_LINEAR_MIPMAP_LINEAR (trilinear) at AF 8 and 1.50 times the isotropic "
                   "draw with GL_LINEAR_MIPMAP_NEAREST (bilinear) at AF 2 (medians of 31 draws)."));
}

TEST(Findings, OneTurnSaysNothingOfTheAngleAndNoCostsNothingOfCost) {
  Report report = report_with({2.0, 2.0, 2.0}, {2.0, 2.0, 2.0});
  report.angle_sweeps = {sweep(true, 8.0f, {{0, 7.5}})};
  const std::vector<std::string> findings = describe_findings(report);
  SCOPED_TRACE(all(findings));
  EXPECT_FALSE(said(findings, "direction"));
  EXPECT_FALSE(said(findings, "Drawing the plane"));
}

// A bilinear AF 16 curve on the isotropic one is AF without effect, however much the isotropic
// level itself varies with the turn; a trilinear AF curve off its isotropic one is judged as
// usual.
TEST(Findings, AfCurveOnTheIsotropicOneIsAfWithoutEffect) {
  Report report = report_with({2.0, 2.0, 2.0}, {4.0, 4.0, 4.0});
  report.angle_sweeps = {sweep(false, 1.0f, {{0, 1.0}, {45, 1.3}, {90, 1.0}}),
                         sweep(false, 16.0f, {{0, 1.0}, {45, 1.3}, {90, 1.05}}),
                         sweep(true, 1.0f, {{0, 1.0}, {45, 1.3}, {90, 1.0}}),
                         sweep(true, 16.0f, {{0, 4.3}, {45, 1.9}, {90, 4.2}})};
  const std::vector<std::string> findings = describe_findings(report);
  SCOPED_TRACE(all(findings));
  EXPECT_TRUE(said(findings,
                   "With GL_LINEAR_MIPMAP_NEAREST (bilinear) at AF 16 AF has no effect at any "
                   "turn from 0 to 90 degrees: its curve lies on the isotropic one (1.0 to 1.3)"));
  EXPECT_TRUE(said(findings,
                   "With GL_LINEAR_MIPMAP_LINEAR (trilinear) at AF 16 the effective anisotropy "
                   "depends on the direction: 4.3 at 0 degrees, 1.9 at 45 degrees."));
}
