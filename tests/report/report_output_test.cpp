// The report's output without a driver: which finding fires for reports made up to show each
// behaviour, the command line, verdicts and their JUnit file, and text that is never cut. The
// JSON writer is checked by reading its text back (report_compare_test).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "report/options.h"
#include "report/output/findings.h"
#include "report/output/junit_writer.h"
#include "report/output/text_format.h"
#include "report/output/verdicts.h"

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
  quad.decisive = true;
  m.quads.push_back(quad);
  m.statistics.quads = 1;
  return m;
}

// Both filters isotropic at level 4 and at AF 2, 4, 8 at the levels given, on four units.
Report report_with(const std::vector<double>& trilinear_af,
                   const std::vector<double>& bilinear_af) {
  Report report;
  for (const bool trilinear : {true, false}) {
    report.panels.push_back(panel(trilinear, 1.0f, 4.0));
    for (int i = 0; i < 3; ++i)
      report.panels.push_back(
          panel(trilinear, float(2 << i), (trilinear ? trilinear_af : bilinear_af)[i]));
  }
  for (int unit = 0; unit < 4; ++unit) report.units.push_back({unit, {}, {}, 0.0, 0.0, true});
  return report;
}

// A sweep of one configuration with the measured effective anisotropy at each turn given.
AngleSweep sweep(bool trilinear, float anisotropy, const std::vector<double>& measured) {
  AngleSweep s;
  s.config = {trilinear, anisotropy, 0, 1};
  for (std::size_t i = 0; i < measured.size(); ++i)
    s.samples.push_back({45.0 * double(i), 1, measured[i], measured[i] / 2.0, 8.0});
  return s;
}

std::vector<Fact> facts(const Report& report) {
  std::vector<Fact> said;
  for (const Finding& finding : describe_findings(report)) said.push_back(finding.fact);
  return said;
}

bool has(const std::vector<Fact>& said, Fact fact) {
  return std::find(said.begin(), said.end(), fact) != said.end();
}

}  // namespace

TEST(Findings, EachBehaviourFiresItsFinding) {
  // Hard bands with AF, and AF levels that all sample the same, finer than allowed at AF 2.
  Report same = report_with({2, 2, 2}, {2, 2, 2});
  same.panels[0].statistics.blended_share = 0.7;
  same.panels[1].statistics.sharper_share = 0.5;
  const std::vector<Fact> same_facts = facts(same);
  for (const Fact fact :
       {Fact::isotropic_right, Fact::stops_blending_with_af, Fact::af_level_no_difference,
        Fact::sharper, Fact::none_blurrier, Fact::every_unit})
    EXPECT_TRUE(has(same_facts, fact)) << int(fact);
  EXPECT_FALSE(has(same_facts, Fact::af_cost));

  // Trilinear AF grows and blends; bilinear AF samples the isotropic levels; a unit lags.
  Report mixed = report_with({3, 2, 1}, {4, 4, 4});
  for (PanelMeasurement& p : mixed.panels) p.statistics.blended_share = 0.6;
  mixed.panels[0].statistics.mean_error = 0.6;
  mixed.panels[7].statistics.blurrier_share = 0.75;
  mixed.units[2].matches_unit_0 = false;
  const std::vector<Fact> mixed_facts = facts(mixed);
  for (const Fact fact :
       {Fact::isotropic_strays, Fact::blends_with_af, Fact::af_grows, Fact::af_without_effect,
        Fact::none_sharper, Fact::blurrier, Fact::units_differ})
    EXPECT_TRUE(has(mixed_facts, fact)) << int(fact);

  Report lone = report_with({2, 2, 2}, {2, 2, 2});
  lone.units.resize(1);
  EXPECT_TRUE(has(facts(lone), Fact::one_unit));
  EXPECT_TRUE(has(facts(lone), Fact::never_blends));
}

// Only the strongest AF of each filter is judged on the angle sweep, and a curve on the
// isotropic one is AF without effect, however the isotropic level itself varies. One turn says
// nothing of direction; costs, when timed, are said.
TEST(Findings, AngleSweepsAndCostsOfTheStrongestAf) {
  Report report = report_with({2, 2, 2}, {2, 2, 2});
  report.angle_sweeps = {sweep(true, 2.0f, {2.0, 1.0, 2.0}), sweep(true, 8.0f, {7.5, 7.2, 7.4}),
                         sweep(false, 1.0f, {1.0, 1.3, 1.0}), sweep(false, 8.0f, {1.0, 1.3, 1.05})};
  report.costs = {{{true, 8.0f, 0, 1}, 31, {}, 3.25}};
  for (const Fact fact : {Fact::direction_alike, Fact::af_without_effect_turned, Fact::af_cost})
    EXPECT_TRUE(has(facts(report), fact)) << int(fact);
  EXPECT_FALSE(has(facts(report), Fact::direction_dependent)) << "AF 2 was judged";
  report.angle_sweeps = {sweep(false, 8.0f, {6.0, 2.5, 6.2})};
  EXPECT_TRUE(has(facts(report), Fact::direction_dependent));
  report.angle_sweeps = {sweep(true, 8.0f, {7.5})};
  report.costs.clear();
  for (const Fact fact : {Fact::direction_alike, Fact::direction_dependent, Fact::af_cost})
    EXPECT_FALSE(has(facts(report), fact)) << int(fact);
}

TEST(ReportOptions, ArgumentsAreReadOrRefusedWithAMessage) {
  const auto parse = [](std::vector<const char*> arguments, ReportOptions& options,
                        std::string& error) {
    arguments.insert(arguments.begin(), "kestrel-report");
    return parse_report_options(int(arguments.size()), arguments.data(), options, error);
  };
  ReportOptions o;
  std::string error;
  ASSERT_TRUE(parse({"--out=/tmp/a b", "--angles", "-30:30:15,100", "--aniso", "1,16,2.5",
                     "--lod-bias=-1.5", "--repeats", "7", "-h"},
                    o, error))
      << error;
  EXPECT_EQ(o.out, "/tmp/a b");
  EXPECT_EQ(o.angles, (std::vector<double>{-30, -15, 0, 15, 30, 100}));
  EXPECT_EQ(o.anisotropy, (std::vector<float>{1.0f, 16.0f, 2.5f}));
  EXPECT_EQ(o.lod_bias, -1.5f);
  EXPECT_EQ(o.repeats, 7);
  EXPECT_TRUE(o.help);
  // Steps are counted, not summed: 0.1 steps end exactly at 1; a step past the end stops short.
  for (const auto& [list, count] : {std::pair{"0:1:0.1", 11u}, {"0:10:4", 3u}, {"0:360:1", 361u}}) {
    ReportOptions ranged;
    ASSERT_TRUE(parse({"--angles", list}, ranged, error)) << list;
    EXPECT_EQ(ranged.angles.size(), count) << list;
  }
  // Each refused with a message that names the option.
  const std::pair<const char*, const char*> refused[] = {
      {"--out", nullptr},       {"report", nullptr},        {"--angles", "0:90"},
      {"--angles", "90:0:5"},   {"--angles", "0,,5"},       {"--angles", "0:361:1"},
      {"--aniso", "0.5"},       {"--aniso", "inf"},         {"--lod-bias", "3"},
      {"--repeats", "2.5"},     {"--platform", "wayland"},  {"--tolerance", "-1"}};
  for (const auto& [option, value] : refused) {
    std::vector<const char*> arguments = {option};
    if (value) arguments.push_back(value);
    ReportOptions ignored;
    error.clear();
    EXPECT_FALSE(parse(arguments, ignored, error)) << option << " " << (value ? value : "");
    EXPECT_NE(error.find(std::string(option).substr(0, 5)), std::string::npos) << error;
  }
}

TEST(FormatText, LongTextIsNeverCut) {
  const std::string long_name(5000, 'n');
  const std::string text = format_text("[%s] %d", long_name.c_str(), 42);
  EXPECT_EQ(text.size(), 5000u + 5u);
  EXPECT_EQ(text.substr(text.size() - 4), "] 42");
}

// Quads placed around the bounds decide the verdicts; quads no driver can get wrong do not.
TEST(Verdicts, EachRuleFailsOnlyWhatBreaksIt) {
  Report report = report_with({2, 2, 2}, {4, 4, 4});
  for (PanelMeasurement& panel : report.panels) {
    panel.statistics.ideal_anisotropy = panel.config.anisotropy;  // 1 level finer asked at AF 2
    QuadLevels& quad = panel.quads.front();
    quad.extension_lambda = 4.0 - std::log2(panel.config.anisotropy);
    quad.isotropic_lambda = 4.0;
    QuadLevels clamped = quad;  // finer than allowed, but where no driver can be wrong
    clamped.decisive = false;
    clamped.measured = 0.0;
    panel.quads.push_back(clamped);
  }
  report.panels[1].quads.front().measured = 0.5;  // trilinear AF 2: far finer than 3
  report.units[3].bilinear_difference = 0.4;
  const std::vector<Verdict> verdicts = judge_report(report);
  std::vector<std::string> failed;
  for (const Verdict& v : verdicts)
    if (!v.pass) failed.push_back(std::string(rule_name(v.rule)) + ": " + v.subject);
  EXPECT_EQ(failed, (std::vector<std::string>{
                        "bounds: trilinear, AF level 2", "AF without effect: bilinear, AF level 2",
                        "AF without effect: bilinear, AF level 4",
                        "AF without effect: bilinear, AF level 8", "unit: unit 3"}));
  report.tolerance = 4.0;  // wide enough for any level
  EXPECT_EQ(judge_report(report)[1].pass, true);
  // The JUnit file holds every verdict, the failures with their reasons, escaped for XML.
  const std::string xml = junit_xml(verdicts, "<GPU> & \"co\"");
  EXPECT_NE(xml.find("&lt;GPU&gt; &amp; &quot;co&quot;"), std::string::npos);
  EXPECT_NE(xml.find(format_text("tests=\"%zu\" failures=\"5\"", verdicts.size())),
            std::string::npos);
  std::size_t failures = 0;
  for (std::size_t at = xml.find("<failure"); at != std::string::npos;
       at = xml.find("<failure", at + 1))
    ++failures;
  EXPECT_EQ(failures, 5u);
}
