// The report's output without a driver: findings of made-up reports, the command line, verdicts,
// expectations and the JUnit file, text formatting and printing, and Markdown made safe HTML.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "app/panels.h"
#include "base/text_format.h"
#include "image/picture_text.h"
#include "report/judge/expectations.h"
#include "report/judge/findings.h"
#include "report/judge/verdicts.h"
#include "report/run/options.h"
#include "report/text/junit_writer.h"
#include "report/text/markdown_html.h"
#include "report/text/provenance_text.h"
#include "image_compare.h"
#include "temp_dir.h"

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

// One panel's detail and flicker against the ideal filter, and its flicker against the formula's.
struct Figures {
  double detail, flicker, formula_flicker = 1.0;
};

// `report` with the image quality of both filters at isotropic, AF 2, 4 and 8, alike over the
// plane and in the bands 4–8 and 8–16.
Report with_quality(Report report, const std::vector<Figures>& trilinear,
                    const std::vector<Figures>& bilinear) {
  for (const bool filter : {true, false})
    for (std::size_t i = 0; i < 4; ++i) {
      const Figures figures = (filter ? trilinear : bilinear)[i];
      PanelQuality quality;
      quality.config = {filter, float(1 << i), 0, 1};
      quality.figures = {1000, 30.0, figures.detail, figures.flicker};
      quality.formula = {1000, 30.0, 1.0, figures.formula_flicker};
      for (const double near : {4.0, 8.0})
        quality.bands.push_back({near, 2.0 * near, quality.figures});
      report.quality.panels.push_back(quality);
    }
  return report;
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

// Only the strongest AF of each filter is judged on the angle sweep; a curve on the isotropic one
// is AF without effect. One turn says nothing of direction; costs, when timed, are said.
TEST(Findings, AngleSweepsAndCostsOfTheStrongestAf) {
  Report report = report_with({2, 2, 2}, {2, 2, 2});
  report.angle_sweeps = {sweep(true, 2.0f, {2.0, 1.0, 2.0}), sweep(true, 8.0f, {7.5, 7.2, 7.4}),
                         sweep(false, 1.0f, {1.0, 1.3, 1.0}), sweep(false, 8.0f, {1.0, 1.3, 1.05})};
  DrawCost cost;
  cost.config = {true, 8.0f, 0, 1};
  cost.rounds = 12;
  cost.relative = {3.25, 3.1, 3.4};
  report.costs = {cost};
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

// That AF 8 costs as much as AF 2 is said only where both ratios settled and their intervals
// overlap.
TEST(Findings, CostsAlikeOnlyWithinTheirIntervals) {
  const struct {
    const char* what;
    MedianInterval af8;
    bool settled;
    bool said;
  } cases[] = {{"overlapping", {4.3, 4.1, 4.5}, true, true},
               {"apart", {4.8, 4.6, 5.0}, true, false},
               {"unsettled", {4.3, 3.0, 6.0}, false, false}};
  for (const auto& c : cases) {
    Report report = report_with({2, 2, 2}, {2, 2, 2});
    DrawCost af2, af8;
    af2.config = {true, 2.0f, 0, 1};
    af2.rounds = af8.rounds = 12;
    af2.relative = {4.2, 4.0, 4.4};
    af2.settled = true;
    af8.config = {true, 8.0f, 0, 1};
    af8.relative = c.af8;
    af8.settled = c.settled;
    report.costs = {af2, af8};
    EXPECT_EQ(has(facts(report), Fact::af_cost_alike), c.said) << c.what;
  }
}

// Each image quality finding once per filter where it applies, naming the panels, bands and
// numbers its rule picks and none that it passes over.
TEST(Findings, ImageQualityNamesThePanelsTheRulesPick) {
  const Report measured = report_with({2, 2, 2}, {2, 2, 2});
  const char* const trilinear = min_filter_name(true);
  const char* const bilinear = min_filter_name(false);
  struct Said {
    Fact fact;
    std::vector<std::string> named, not_named;
  };
  const std::vector<Fact> every_quality_fact = {
      Fact::most_detail,      Fact::most_detail_aliased, Fact::none_flickers,   Fact::flickers,
      Fact::af_buys_aliasing, Fact::af_buys_detail,      Fact::af_buys_nothing};
  const struct {
    const char* what;
    std::vector<Figures> trilinear, bilinear;  // isotropic, AF 2, 4, 8
    void (*change)(Report&);
    std::vector<Said> said;
    std::vector<Fact> not_said;
  } cases[] = {
      {"detail rises cleanly with trilinear AF, AF 8 no more than AF 4; bilinear gains none",
       {{0.60, 1.0}, {0.80, 1.1}, {0.97, 1.2}, {0.975, 1.3}},
       {{0.55, 1.2}, {0.555, 1.2}, {0.552, 1.3}, {0.558, 1.4}},
       nullptr,
       {{Fact::most_detail, {trilinear, "AF 4", "0.97"}, {"AF 8", "AF 2"}},
        {Fact::af_buys_detail, {trilinear, "AF 4", "0.97", "0.60"}, {"AF 8"}},
        {Fact::most_detail, {bilinear, "isotropic", "0.55"}, {"AF 2", "AF 4", "AF 8"}},
        {Fact::af_buys_nothing, {bilinear}, {}},
        {Fact::none_flickers, {"1.40"}, {}}},
       {Fact::most_detail_aliased, Fact::af_buys_aliasing, Fact::flickers}},
      {"trilinear AF 4 and 8 alias where isotropic does not",
       {{0.90, 1.1}, {1.00, 1.3}, {1.30, 2.5, 1.5}, {1.40, 1.8, 1.5}},
       {{0.70, 1.0}, {0.70, 1.0}, {0.70, 1.0}, {0.70, 1.0}},
       nullptr,
       {{Fact::most_detail_aliased, {trilinear, "AF 8", "1.40", "AF 2", "1.00"}, {"AF 4"}},
        {Fact::af_buys_aliasing, {trilinear, "AF 4", "AF 8", "2.50"}, {"AF 2"}},
        {Fact::flickers, {"trilinear, AF level 4", "2.50"},
         {"AF level 8", "AF level 2", "bilinear"}},
        {Fact::most_detail, {bilinear, "isotropic"}, {}},
        {Fact::af_buys_nothing, {bilinear}, {}}},
       {Fact::none_flickers, Fact::af_buys_detail}},
      {"bilinear AF 2 flickers 3 times the ideal in one band alone",
       {{0.60, 1.0}, {0.70, 1.0}, {0.80, 1.0}, {0.90, 1.0}},
       {{0.60, 1.0}, {0.70, 1.4}, {0.80, 1.0}, {0.90, 1.0}},
       [](Report& r) { r.quality.panels[5].bands[1].figures.flicker = 3.0; },
       {{Fact::flickers, {"bilinear, AF level 2", "8–16", "3.00", "1.40"}, {"4–8", "trilinear"}},
        {Fact::af_buys_detail, {bilinear, "AF 8", "0.90"}, {}},
        {Fact::af_buys_detail, {trilinear, "AF 8", "0.90"}, {}}},
       {Fact::none_flickers, Fact::af_buys_aliasing}},
      {"the isotropic panels alias already: AF brings no aliasing of its own",
       {{1.20, 2.5, 1.5}, {1.25, 2.6, 1.5}, {1.25, 2.6, 1.5}, {1.25, 2.6, 1.5}},
       {{1.10, 1.0, 1.5}, {1.30, 1.0, 1.5}, {1.30, 1.0, 1.5}, {1.30, 1.0, 1.5}},
       nullptr,
       {{Fact::most_detail_aliased, {trilinear, "AF 2", "1.25"}, {"AF 4", "AF 8"}},
        {Fact::af_buys_nothing, {trilinear}, {}},
        {Fact::af_buys_nothing, {bilinear}, {}}},
       {Fact::af_buys_aliasing, Fact::af_buys_detail, Fact::most_detail}},
      {"no image quality measured", {}, {}, nullptr, {}, every_quality_fact},
      {"a picture without contrast, so nothing to compare detail and flicker with",
       std::vector<Figures>(4, {std::nan(""), std::nan(""), std::nan("")}),
       std::vector<Figures>(4, {std::nan(""), std::nan(""), std::nan("")}), nullptr, {},
       every_quality_fact},
  };
  for (const auto& c : cases) {
    Report report =
        c.trilinear.empty() ? measured : with_quality(measured, c.trilinear, c.bilinear);
    if (c.change) c.change(report);
    const std::vector<Finding> findings = describe_findings(report);
    // The quality's findings come after the others, which it leaves as they were.
    const std::vector<Fact> before = facts(measured), after = facts(report);
    ASSERT_GE(after.size(), before.size()) << c.what;
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin())) << c.what;
    for (const Said& said : c.said) {
      const auto names = [&](const Finding& finding) {
        const auto in = [&](const std::string& words) {
          return finding.text.find(words) != std::string::npos;
        };
        return finding.fact == said.fact && std::all_of(said.named.begin(), said.named.end(), in) &&
               std::none_of(said.not_named.begin(), said.not_named.end(), in);
      };
      EXPECT_EQ(std::count_if(findings.begin(), findings.end(), names), 1)
          << c.what << ": fact " << int(said.fact) << " naming " << said.named.front();
    }
    for (const Fact fact : c.not_said)
      EXPECT_FALSE(has(after, fact)) << c.what << ": " << int(fact);
  }
}

TEST(ReportOptions, ArgumentsAreReadOrRefusedWithAMessage) {
  const auto parse = [](std::vector<const char*> arguments, ReportOptions& options,
                        std::string& error) {
    arguments.insert(arguments.begin(), "kestrel-report");
    return parse_report_options(int(arguments.size()), arguments.data(), options, error);
  };
  ReportOptions o;
  std::string error;
  // Values apart may start with one dash; --name=VALUE takes any value as given.
  ASSERT_TRUE(parse({"--out=/tmp/a b", "--angles", "-30:30:15,100", "--aniso", "1,16,2.5",
                     "--lod-bias", "-1.5", "--repeats", "7", "--junit=--check", "-h"},
                    o, error))
      << error;
  EXPECT_EQ(o.out, "/tmp/a b");
  EXPECT_EQ(o.angles, (std::vector<double>{-30, -15, 0, 15, 30, 100}));
  EXPECT_EQ(o.anisotropy, (std::vector<float>{1.0f, 16.0f, 2.5f}));
  EXPECT_EQ(o.lod_bias, -1.5f);
  EXPECT_EQ(o.repeats, 7);
  EXPECT_EQ(o.junit, "--check");
  EXPECT_FALSE(o.check);
  EXPECT_TRUE(o.help);
  // Each limit of zero is a value: no tolerance, no waiting.
  ASSERT_TRUE(parse({"--tolerance", "0", "--wait", "0"}, o, error)) << error;
  EXPECT_EQ(o.tolerance, 0.0);
  EXPECT_EQ(o.wait, 0.0);
  // Steps are counted, not summed: 0.1 steps end exactly at 1; a step past the end stops short.
  for (const auto& [list, count] : {std::pair{"0:1:0.1", 11u}, {"0:10:4", 3u}, {"0:360:1", 361u}}) {
    ReportOptions ranged;
    ASSERT_TRUE(parse({"--angles", list}, ranged, error)) << list;
    EXPECT_EQ(ranged.angles.size(), count) << list;
  }
  // The folders of --compare are the arguments that are no options, and all after "--".
  const std::pair<std::vector<const char*>, std::vector<std::string>> compared[] = {
      {{"--compare", "a", "b", "--out", "x", "--quiet"}, {"a", "b"}},
      {{"--out", "x", "--compare=a", "b"}, {"a", "b"}},
      {{"--compare", "a", "--", "-b", "--out"}, {"a", "-b", "--out"}},
      {{"--compare", "a", "b", "--wait", "5"}, {"a", "b"}}};
  for (const auto& [arguments, folders] : compared) {
    ReportOptions comparing;
    ASSERT_TRUE(parse(arguments, comparing, error)) << error;
    EXPECT_EQ(comparing.compare, folders) << arguments.front();
  }
  // Each refused with a message that names the option or argument at fault.
  const std::pair<std::vector<const char*>, const char*> refused[] = {
      {{"--out"}, "--out needs a folder name"},
      {{"--baseline", "--", "x"}, "--baseline needs a report folder"},
      {{"--texture="}, "--texture needs a PNG file"},
      {{"--a=5"}, "unknown option \"--a\""},
      {{"--ou"}, "unknown option \"--ou\""},
      {{"-x"}, "unknown option \"-x\""},
      {{"--check=yes"}, "--check takes no value"},
      {{"--list-devices=0"}, "--list-devices takes no value"},
      {{"report"}, "\"report\""},
      {{"--compare", "a", "-b"}, "unknown option \"-b\""},
      {{"--compare", "a"}, "--compare needs two report folders"},
      {{"--compare", "a", "b", "--check"}, "not --check"},
      {{"--angles", "0:90"}, "--angles: \"0:90\""},
      {{"--angles", "90:0:5"}, "--angles: \"90:0:5\""},
      {{"--angles", "0,,5"}, "--angles: \"\""},
      {{"--angles", "0:361:1"}, "--angles: at most 361 angles"},
      {{"--aniso", "0.5"}, "--aniso: \"0.5\""},
      {{"--aniso", "inf"}, "--aniso: \"inf\""},
      {{"--repeats", "2.5"}, "--repeats: \"2.5\""},
      {{"--tolerance", "-1"}, "--tolerance: \"-1\""},
      {{"--wait", "-1"}, "--wait: \"-1\" is no time from 0 to 86400 seconds"},
      {{"--api", "metal"}, "--api: \"metal\" is none of gl, vulkan and reference"},
      {{"--platform", "egl", "--api", "vulkan"}, "--api vulkan takes none"},
      {{"--api", "reference", "--platform", "glx"}, "--api reference takes none"},
      {{"--device", "0", "--api", "reference"}, "--api reference draws on the CPU"},
      {{"--compare", "a", "b", "--api", "vulkan"}, "not --api"},
      {{"--lod-bias", "9"}, "--lod-bias: \"9\" is no bias from -2 to 2"},
      {{"--platform", "glx", "--device", "0"}, "needs --platform egl"},
      {{"--repeats", "0"}, "--repeats: \"0\""}};
  for (const auto& [arguments, message] : refused) {
    ReportOptions ignored;
    error.clear();
    EXPECT_FALSE(parse(arguments, ignored, error)) << message;
    EXPECT_NE(error.find(message), std::string::npos) << error << ", not " << message;
  }
}

TEST(FormatText, LongTextIsNeverCut) {
  const std::string long_name(5000, 'n');
  const std::string text = format_text("[%s] %d", long_name.c_str(), 42);
  EXPECT_EQ(text.size(), 5000u + 5u);
  EXPECT_EQ(text.substr(text.size() - 4), "] 42");
}

// The time is UTC whatever the machine's zone: here nine hours east of it.
TEST(ProvenanceText, TheTimeIsUtcInAnyZone) {
  const char* const zone = std::getenv("TZ");
  const std::string saved = zone ? zone : "";
  setenv("TZ", "KST-9", 1);
  tzset();
  EXPECT_EQ(utc_time_text(1800000000), "2027-01-15T08:00:00Z");
  EXPECT_EQ(utc_time_text(0), "1970-01-01T00:00:00Z");
  if (zone)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

// The command line that report.json states reads back, in a real shell, as its arguments.
TEST(ProvenanceText, TheShellReadsTheCommandLineBack) {
  const std::vector<std::string> arguments = {
      "kestrel-report", "--out=a/b_c-1.2", "two words", "it's", "", "$HOME `id` \\ \"q\"",
      "*", "line\nbreak", "--junit", "x'\''y"};
  FILE* const shell = popen(("printf '[%s]' " + command_line_text(arguments)).c_str(), "r");
  ASSERT_NE(shell, nullptr);
  std::string read, expected;
  for (int c = std::fgetc(shell); c != EOF; c = std::fgetc(shell)) read += char(c);
  EXPECT_EQ(pclose(shell), 0);
  for (const std::string& argument : arguments) expected += "[" + argument + "]";
  EXPECT_EQ(read, expected);
  EXPECT_EQ(command_line_text({"kestrel-report", "--out", "a/b"}), "kestrel-report --out a/b");
}

TEST(PrintOver, EmptyTextsAndPicturesStayAsTheyWere) {
  const RgbImage picture = patterned_image(16, 16);
  EXPECT_TRUE(same_image(print_over(picture, {}), picture));
  EXPECT_TRUE(same_image(print_over(picture, {{4, 12, ""}}), picture));
  for (const auto& [width, height] : {std::pair{0, 0}, std::pair{0, 13}, std::pair{24, 0}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    const std::vector<PlacedText> texts = {{0, 0, "Ag"}, {0, height, "Ag"}, {0, 11, "Ag"}};
    EXPECT_TRUE(same_image(print_over(RgbImage(width, height), texts), RgbImage(width, height)));
  }
}

// A report of both filters, one decisive quad a panel at the ideal level and one far finer that
// is not decisive.
Report judged_report(const std::vector<double>& trilinear_af,
                     const std::vector<double>& bilinear_af) {
  Report report = report_with(trilinear_af, bilinear_af);
  for (PanelMeasurement& panel : report.panels) {
    panel.statistics.ideal_anisotropy = panel.config.anisotropy;  // 1 level finer asked at AF 2
    QuadLevels& quad = panel.quads.front();
    quad.reference = quad.extension_lambda = 4.0 - std::log2(panel.config.anisotropy);
    quad.isotropic_lambda = 4.0;
    QuadLevels clamped = quad;
    clamped.decisive = false;
    clamped.measured = 0.0;
    panel.quads.push_back(clamped);
  }
  return report;
}

// With --tolerance 0 a quad at its isotropic level is not coarser, one a millionth above is; a
// share of coarser quads at bounds_failing_share passes, one quad more fails.
TEST(Verdicts, ReachHoldsItsBoundariesAtAToleranceOfZero) {
  const struct {
    int above;      // quads of the 200 above their isotropic level
    double excess;  // how far above
    bool pass;
  } cases[] = {{200, 0.0, true}, {2, 1e-6, true}, {3, 1e-6, false}, {3, -1e-6, true}};
  for (const auto& c : cases) {
    Report report;
    report.tolerance = 0.0;
    PanelMeasurement panel;
    panel.config = {true, 1.0f, 0, 1};
    panel.levels = LevelMap(2, 2);  // every quad at (0, 0)
    for (int i = 0; i < 200; ++i) {
      QuadLevels quad;
      quad.decisive = true;
      quad.isotropic_lambda = 2.5;
      quad.measured = 2.5 + (i < c.above ? c.excess : 0.0);
      panel.quads.push_back(quad);
    }
    report.panels = {panel};
    const std::vector<Verdict> verdicts = judge_report(report);
    const auto reach = std::find_if(verdicts.begin(), verdicts.end(),
                                    [](const Verdict& v) { return v.rule == Rule::reach; });
    ASSERT_NE(reach, verdicts.end());
    EXPECT_EQ(reach->pass, c.pass) << c.above << " above by " << c.excess;
    EXPECT_DOUBLE_EQ(reach->value, c.excess > 0.0 ? c.above / 200.0 : 0.0);
  }
}

// Expectations read back as written hold a run to its own verdicts; a failure expected that
// passes is fixed, in the count and in the JUnit file, whose texts are escaped for XML; an id of
// no verdict of the run is refused.
TEST(Expectations, HoldTheVerdictsTheyWereWrittenFrom) {
  Report report = judged_report({1, 1, 1}, {3, 2, 1});
  std::vector<Verdict> verdicts = judge_report(report);
  Expectations expectations;
  std::string error;
  ASSERT_TRUE(parse_expectations(expectations_text(verdicts, "GPU\n<co> & \"x\"", "today"),
                                 "list.txt", expectations, error))
      << error;
  EXPECT_EQ(expectations.entries.size(), verdicts.size());
  ASSERT_TRUE(apply_expectations(expectations, verdicts, error)) << error;
  EXPECT_EQ(unexpected_count(verdicts), 0u);
  report.driver.renderer = "<GPU> & \"co\"";
  const std::string expected = junit_xml(junit_suite(report, verdicts, nullptr, "../out", 2.5));
  EXPECT_NE(expected.find("&lt;GPU&gt; &amp; &quot;co&quot;"), std::string::npos);
  // Level honoured on the three trilinear AF panels, trilinear on all four trilinear panels.
  EXPECT_NE(expected.find("failures=\"0\" skipped=\"7\""), std::string::npos);
  // A pass expected to fail is fixed.
  ASSERT_TRUE(parse_expectations("reach/trilinear-af-2 fail\nunit/unit-2 pass\n", "list.txt",
                                 expectations, error));
  ASSERT_TRUE(apply_expectations(expectations, verdicts, error)) << error;
  EXPECT_EQ(unexpected_count(verdicts), 8u);  // fixed, and the seven failures now unexpected
  const std::string xml = junit_xml(junit_suite(report, verdicts, nullptr, "../out", 2.5));
  EXPECT_NE(xml.find("failures=\"8\" skipped=\"0\""), std::string::npos);
  // An id that names no verdict of this run is refused, naming its line.
  ASSERT_TRUE(parse_expectations("unit/unit-2 pass\nreach/trilinear-af-3 fail\n", "list.txt",
                                 expectations, error));
  EXPECT_FALSE(apply_expectations(expectations, verdicts, error));
  EXPECT_NE(error.find("list.txt:2: \"reach/trilinear-af-3\" is no verdict of this run"),
            std::string::npos)
      << error;
}

TEST(Expectations, MalformedFilesAreRefusedNamingTheLine) {
  const struct {
    std::string text, message;  // message empty: read
  } cases[] = {
      {"# known\r\n\r\nreach/trilinear-af-2 fail # llvmpipe\r\n\tunit/unit-2   pass", ""},
      {"", ""},
      {"reach/trilinear-af-2\n", "list.txt:1: expected a verdict's id and its status"},
      {"\nreach/trilinear-af-2 fail now\n", "list.txt:2: expected a verdict's id"},
      {"reach/trilinear-af-2 FAIL", "list.txt:1: \"FAIL\" is no status: pass or fail"},
      {"# old\nbounds/trilinear-af-2 fail",
       "list.txt:2: \"bounds/trilinear-af-2\" is no verdict id"},
      {"Reach/trilinear-af-2 fail", "list.txt:1: \"Reach/trilinear-af-2\" is no verdict id"},
      {"reach/ fail", "list.txt:1: \"reach/\" is no verdict id"},
      {"reach/trilinear af-2 fail", "list.txt:1: expected a verdict's id"},
      {std::string("reach/tri\0near fail", 19), "list.txt:1: \"reach/tri"},
      {"\xff\xfe pass", "list.txt:1: \"\xff\xfe\" is no verdict id"},
      {"reach/trilinear-af-2 fail\nreach/trilinear-af-2 pass\n",
       "list.txt:2: \"reach/trilinear-af-2\" is listed already on line 1"},
  };
  for (const auto& c : cases) {
    Expectations expectations;
    std::string error;
    EXPECT_EQ(parse_expectations(c.text, "list.txt", expectations, error), c.message.empty())
        << c.text;
    EXPECT_NE(error.find(c.message), std::string::npos) << error << ", not " << c.message;
  }
  // What a file that reads holds: its entries in order, comments, blank lines and CRs aside.
  Expectations read;
  std::string error;
  ASSERT_TRUE(parse_expectations(cases[0].text, "list.txt", read, error)) << error;
  EXPECT_EQ(read.file, "list.txt");
  ASSERT_EQ(read.entries.size(), 2u);
  EXPECT_EQ(read.entries[0].id, "reach/trilinear-af-2");
  EXPECT_TRUE(read.entries[0].fail);
  EXPECT_EQ(read.entries[1].id, "unit/unit-2");
  EXPECT_FALSE(read.entries[1].fail);
  ASSERT_TRUE(parse_expectations(cases[1].text, "list.txt", read, error)) << error;
  EXPECT_TRUE(read.entries.empty()) << "an empty file expects nothing";
  // Larger than the limit, the file is refused by name before it is read.
  const TempDir temp;
  const std::string file = (temp.path() / "too-large.txt").string();
  write_file(file, std::string(max_expectations_size + 1, '#'));
  EXPECT_FALSE(read_expectations(file, read, error));
  EXPECT_NE(error.find(file), std::string::npos) << error;
}

// Whatever a summary.md read from disk holds becomes text; a line of brackets reads in one pass.
TEST(MarkdownHtml, WhatAFileHoldsShowsAsText) {
  const PictureHtml picture = [](const std::string& alt, const std::string& target) {
    return "{" + alt + "@" + target + "}";
  };
  const struct {
    std::string markdown;
    std::string html;  // the output holds it
    std::string never;  // the output never holds it
  } cases[] = {
      {"## <script>x</script>", "<h2>&lt;script&gt;x&lt;/script&gt;</h2>", "<script"},
      {"- a & *b*\n- **c**", "<li>a &amp; <em>b</em></li>\n<li><strong>c</strong></li>", ""},
      {"| A | B |\n|---|---|\n| x \\| y | <img> |",
       "<tr><td>x | y</td><td>&lt;img&gt;</td></tr>", "<img"},
      {"[run](javascript:alert%281%29) [file](b/report.md)",
       "run <a href=\"b/report.md\">file</a>", "javascript"},
      {"![a \\| b](x/panels.png) ![c](data:x)", "{a | b@x/panels.png} c", "data:"},
      {std::string(200000, '[') + "]", "[[[]", ""},
      {"a **b", "a **b", "<strong"},
  };
  for (const auto& c : cases) {
    const std::string html = markdown_html(c.markdown, picture);
    EXPECT_NE(html.find(c.html), std::string::npos) << html.substr(0, 200);
    if (!c.never.empty()) {
      EXPECT_EQ(html.find(c.never), std::string::npos) << html.substr(0, 200);
    }
  }
}
