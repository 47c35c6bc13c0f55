// Reports read back as baselines, without a driver: the JSON reader on hostile text, regressions
// at their limits, non-reports, compare.md's image quality (its settings and the rest: end to end).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/json_reader.h"
#include "base/json_writer.h"
#include "base/text_format.h"
#include "report/judge/baseline.h"
#include "report/measure/cost_measurement.h"
#include "report/schema/report_json.h"
#include "report/schema/stored_report.h"
#include "report/text/comparison.h"
#include "report/text/html_pages.h"
#include "report/text/regressions.h"
#include "report/text/report_writer.h"
#include "scene/panel_config.h"

namespace {

// Panels of both filters at each level, with figures of their own and three distance bands, each
// swept over `angles` and costed in timed rounds; a reach verdict per panel, the second failing.
Report made_report(const std::vector<float>& levels, const std::vector<double>& angles) {
  Report report;
  report.driver = {"Vendor", "Renderer \"one\"", "1.0", 16.0f, 4};
  report.context = "EGL, surfaceless";
  report.panel_width = report.panel_height = 256;
  report.anisotropy_levels = levels;
  report.angles = angles;
  report.tolerance = 0.25;
  int n = 0;
  for (const bool trilinear : {true, false})
    for (const float level : levels) {
      PanelMeasurement panel;
      panel.config = {trilinear, level, 0, 1, 0.0f};
      PanelStatistics& s = panel.statistics;
      s.quads = 100 + n;
      s.decisive_quads = 80 + n;
      s.mean_error = 0.1 * n - 0.2;
      s.rms_error = 0.3 + 0.01 * n;
      s.effective_anisotropy = level * 1.1;
      s.ideal_anisotropy = level;
      for (int band = 0; band < 3; ++band)
        s.bands.push_back({double(1 << band), double(2 << band), 10 + band, level * 1.0,
                           level * (1.0 + 0.2 * band)});
      report.panels.push_back(panel);
      AngleSweep sweep{panel.config, {}};
      for (const double degrees : angles)
        sweep.samples.push_back({degrees, 50, level * 1.5 + degrees / 90.0, level, level * 2.0});
      report.angle_sweeps.push_back(sweep);
      const double ratio = level == 1.0f ? 1.0 : 2.0 * level;
      report.costs.push_back({panel.config, 20, 2, {0.5 * ratio, 0.45 * ratio, 0.55 * ratio},
                              {ratio, 0.96 * ratio, 1.04 * ratio}, true});
      ++n;
    }
  return report;
}

std::vector<Verdict> made_verdicts(const Report& report) {
  std::vector<Verdict> verdicts;
  for (const PanelMeasurement& panel : report.panels)
    verdicts.push_back({Rule::reach, configuration_label(panel.config), verdicts.size() != 1,
                        0.01 * double(verdicts.size()), "share & <limit>"});
  return verdicts;
}

// `report` with image quality per panel, over the plane and two distance bands: the first panel
// is the ideal filter (PSNR +infinity); the second's nearest band has no ideal flicker (+infinity).
Report with_quality(Report report) {
  QualityReport& q = report.quality;
  q.taps = 123456000000;  // not 0, which a minus sign leaves a count
  constexpr double infinity = std::numeric_limits<double>::infinity();
  for (std::size_t n = 0; n < report.panels.size(); ++n) {
    PanelQuality panel;
    panel.config = report.panels[n].config;
    panel.figures = {40000 + std::int64_t(n), n == 0 ? infinity : 20.0 + 1.5 * double(n),
                     0.5 + 0.125 * double(n), 1.0 + 0.75 * double(n)};
    for (int band = 0; band < 2; ++band)
      panel.bands.push_back({double(4 << band), double(8 << band),
                             {1000 + 10 * std::int64_t(n) + band, 25.0 + double(n + band),
                              0.625 + 0.0625 * double(n + band),
                              n == 1 && band == 0 ? std::nan("") : 1.25 + 0.25 * double(n)}});
    q.panels.push_back(panel);
  }
  return report;
}

StoredReport stored(const std::string& text) {
  StoredReport read;
  std::string error;
  EXPECT_TRUE(parse_stored_report(text, "base/report.json", read, error)) << error;
  return read;
}

// `text` with its first (or last) `from` replaced by `to`; unchanged, and a failure, if none.
std::string replaced(std::string text, const std::string& from, const std::string& to,
                     bool last = false) {
  const std::size_t at = last ? text.rfind(from) : text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

TEST(JsonReader, HostileTextGivesAnErrorNeverATree) {
  const std::string deep =
      std::string(max_json_depth + 1, '[') + std::string(max_json_depth + 1, ']');
  const std::string hostile[] = {
      "", " \n\t ", "{\"a\": [1, 2", "\"open", "[1, 2,]", "{\"a\" 1}", "{\"a\": 1,}", "{1: 2}",
      deep, std::string(100000, '['), std::string(max_json_size + 1, ' '), "1e999", "-1e400",
      "1" + std::string(400, '0'), "01", "1.", ".5", "+1", "0x10", "1e", "NaN", "Infinity", "tru",
      "nul", "\"\\x\"", "\"\\u12\"", "\"\\ud800\"", "\"\\ud800\\u0041\"", "\"\\udc00\"", "\"\\",
      "\"a\tb\"", "\"\xff\"", "\"\xc0\xaf\"", "\"\xed\xa0\x80\"", "\"\xe2\x82\"",
      std::string("[1,\0 2]", 7), "{\"a\": 1, \"a\": 2}", "{} x", "1 2", "[] []"};
  for (const std::string& text : hostile) {
    JsonValue value;
    JsonError error;
    EXPECT_FALSE(parse_json(text, value, error)) << "read: " << text.substr(0, 60);
    EXPECT_FALSE(error.message.empty());
    EXPECT_GE(error.line, 1);
    EXPECT_GE(error.column, 1);
  }
}

// Strings read back as written; escapes the writer never writes, underflowing numbers and nesting
// at the limit read; errors say where. Booleans, nulls and bad members: report_schema_test.
TEST(JsonReader, ReadsWhatTheWriterWritesAndSaysWhereItFails) {
  JsonValue value;
  JsonError error;
  for (const std::string& text :
       {std::string("\x01\x1f quote \" backslash \\ tab \t line \n"),
        std::string("\xc3\xa9 \xe2\x88\x92 \xf0\x9f\x98\x80"), std::string(1, '\0')}) {
    JsonWriter writer;
    writer.value(text);
    ASSERT_TRUE(parse_json(writer.text(), value, error)) << error.message;
    EXPECT_EQ(value.string(), text);
  }
  const std::string nested = std::string(max_json_depth, '[') + std::string(max_json_depth, ']');
  EXPECT_TRUE(parse_json(nested, value, error)) << error.message;
  ASSERT_TRUE(parse_json(" {\"s\": \"\\ud83d\\ude00\\/\", \"n\": -1.5e-3, \"tiny\": 1e-400} ",
                         value, error))
      << error.message;
  EXPECT_EQ(value.member("s")->string(), "\xf0\x9f\x98\x80/");
  EXPECT_EQ(value.member("n")->number(), -1.5e-3);
  EXPECT_EQ(value.member("tiny")->number(), 0.0);
  ASSERT_FALSE(parse_json("{\n  \"a\": [1,\n    tru]\n}", value, error));
  EXPECT_EQ(error.line, 3);
  EXPECT_EQ(error.column, 5);
}

// A run against itself is checked end to end.
TEST(Baseline, MorePanelsAndRetiredRulesAreListedApart) {
  const Report report = made_report({1.0f, 8.0f}, {0.0, 45.0});
  const std::vector<Verdict> verdicts = made_verdicts(report);
  const StoredReport baseline = stored(report_json(report, {}, verdicts));
  const Report more = made_report({1.0f, 8.0f, 16.0f}, {0.0, 45.0});
  const BaselineComparison wider = compare_with_baseline(baseline, more, made_verdicts(more));
  EXPECT_FALSE(has_regressed(wider));
  EXPECT_EQ(wider.unmatched.size(), 4u);  // two panels of AF 16, and their verdicts
  // An earlier report's verdicts of a rule no longer judged read back and are listed apart.
  std::vector<Verdict> retired = verdicts;
  for (Verdict& verdict : retired) verdict.rule = Rule::bounds;
  const BaselineComparison older =
      compare_with_baseline(stored(report_json(report, {}, retired)), report, verdicts);
  EXPECT_EQ(older.retired.size(), verdicts.size());
  EXPECT_EQ(older.unmatched.size(), verdicts.size());
  EXPECT_FALSE(has_regressed(older));
}

// Each figure changed by hand, and only it, moves as its ideal lies: towards it improves, away
// from it regresses, across it changes; within its limit it stays.
TEST(Baseline, EachChangeMovesTheWayOfItsIdeal) {
  const Report base = with_quality(made_report({1.0f, 8.0f}, {0.0, 45.0}));
  const std::vector<Verdict> base_verdicts = made_verdicts(base);
  const StoredReport baseline = stored(report_json(base, {}, base_verdicts));
  using R = Report&;
  using V = std::vector<Verdict>&;
  using M = Movement;
  using Q = Quantity;
  static const auto band_of = [](R r) -> double& {
    return r.panels[3].statistics.bands[2].measured_anisotropy;
  };
  static const auto quality_of = [](R r, int panel) -> QualityFigures& {
    return r.quality.panels[panel].figures;
  };
  static const auto cost_of = [](R r, int panel) -> MedianInterval& {
    return r.costs[panel].relative;
  };
  const struct {
    const char* what;
    void (*change)(Report&, std::vector<Verdict>&);
    std::set<std::tuple<Quantity, std::size_t, Movement>> moved;  // each figure, its panel's index
  } cases[] = {
      {"a verdict fails", [](R, V v) { v[0].pass = false; }, {{Q::verdict, 0, M::regressed}}},
      {"a failing verdict passes", [](R, V v) { v[1].pass = true; },
       {{Q::verdict, 1, M::improved}}},
      {"mean error away from 0",
       [](R r, V) { r.panels[2].statistics.mean_error -= 1.5 * r.tolerance; },
       {{Q::mean_error, 2, M::regressed}}},
      {"mean error to 0 with a tighter tolerance",
       [](R r, V) { r.panels[0].statistics.mean_error = 0.0, r.tolerance = 0.05; },
       {{Q::mean_error, 0, M::improved}}},
      {"mean error across 0", [](R r, V) { r.panels[1].statistics.mean_error += 0.3; },
       {{Q::mean_error, 1, M::changed}}},
      {"within the tolerance", [](R r, V) { r.panels[1].statistics.mean_error += 0.1; }, {}},
      {"RMS up", [](R r, V) { r.panels[1].statistics.rms_error += 2; }, {}},
      // The band's anisotropy lies 40 % above the formula's: nearer is better, either way.
      {"anisotropy falls to the formula's", [](R r, V) { band_of(r) /= 1.4; },
       {{Q::band_anisotropy, 3, M::improved}}},
      {"rises further above it", [](R r, V) { band_of(r) *= 1.5; },
       {{Q::band_anisotropy, 3, M::regressed}}},
      {"falls as far below it", [](R r, V) { band_of(r) *= 0.6 / 1.4; },
       {{Q::band_anisotropy, 3, M::changed}}},
      {"falls a little", [](R r, V) { band_of(r) *= 1.0 - 0.5 * anisotropy_change_limit; }, {}},
      {"PSNR falls", [](R r, V) { quality_of(r, 1).psnr -= 2 * psnr_change_limit; },
       {{Q::psnr, 1, M::regressed}}},
      {"PSNR no longer infinite", [](R r, V) { quality_of(r, 0).psnr = 60.0; },
       {{Q::psnr, 0, M::regressed}}},
      {"detail nearer 1", [](R r, V) { quality_of(r, 1).detail = 0.9; },
       {{Q::detail, 1, M::improved}}},
      {"detail across 1", [](R r, V) { quality_of(r, 3).detail = 1.125; },
       {{Q::detail, 3, M::changed}}},
      {"flicker up", [](R r, V) { quality_of(r, 0).flicker += 3 * quality_ratio_change_limit; },
       {{Q::flicker, 0, M::regressed}}},
      {"flicker down a little",
       [](R r, V) { quality_of(r, 2).flicker -= 0.5 * quality_ratio_change_limit; }, {}},
      {"no image quality in the run", [](R r, V) { r.quality.panels.clear(); }, {}},
      // A cost moves only where its interval and the baseline's part: +-4 % of 16 each here.
      {"cost up beyond both intervals", [](R r, V) { cost_of(r, 1) = {17.5, 16.9, 18.1}; },
       {{Q::cost, 1, M::regressed}}},
      {"cost down beyond both intervals", [](R r, V) { cost_of(r, 3) = {13.5, 13.0, 14.0}; },
       {{Q::cost, 3, M::improved}}},
      {"cost up within the intervals", [](R r, V) { cost_of(r, 1) = {17.0, 16.6, 17.7}; }, {}},
      {"isotropic cost never compared", [](R r, V) { cost_of(r, 0) = {3.0, 2.9, 3.1}; }, {}},
      {"a cost without interval", [](R r, V) { cost_of(r, 1) = {40.0, NAN, NAN}; }, {}},
      {"a cost of too few rounds for a 95 % interval",
       [](R r, V) { cost_of(r, 1) = {17.5, 16.9, 18.1}, r.costs[1].rounds = min_cost_rounds - 1; },
       {}},
  };
  for (const auto& c : cases) {
    Report run = base;
    std::vector<Verdict> verdicts = base_verdicts;
    c.change(run, verdicts);
    const BaselineComparison comparison = compare_with_baseline(baseline, run, verdicts);
    std::set<std::tuple<Quantity, std::size_t, Movement>> moved;
    for (const Change& change : comparison.changes) {
      std::size_t panel = 0;
      while (panel < base.panels.size() &&
             configuration_label(base.panels[panel].config) != change.subject)
        ++panel;
      if (change.movement != Movement::unchanged)
        moved.insert({change.quantity, panel, change.movement});
    }
    EXPECT_EQ(moved, c.moved) << c.what;
    const auto moved_so = [&](Movement m) {
      return !c.moved.empty() && std::get<2>(*c.moved.begin()) == m;
    };
    EXPECT_EQ(has_regressed(comparison), moved_so(M::regressed)) << c.what;
    const std::string md = regressions_markdown(comparison);
    EXPECT_EQ(md.find("## Regressions") != std::string::npos, moved_so(M::regressed)) << c.what;
    EXPECT_EQ(md.find("## Improvements") != std::string::npos, moved_so(M::improved)) << c.what;
  }
}

// report.html shows the run's own driver, context, warnings and provenance as text, never markup.
TEST(ReportHtml, TheRunsOwnStringsShowAsText) {
  const std::string hostile = "<script>alert(1)</script><img src=x onerror=alert(2)>";
  Report report = with_quality(made_report({1.0f, 8.0f}, {0.0, 45.0}));
  report.driver = {hostile, hostile, hostile, 16.0f, 4};
  report.context = hostile;
  report.warnings = {hostile};
  report.provenance.host = hostile;
  report.provenance.command_line = hostile;
  report.provenance.device_name = hostile;
  const std::vector<Verdict> verdicts = made_verdicts(report);
  const std::string html = report_html(report, describe_findings(report), verdicts, nullptr, {});
  EXPECT_EQ(html.find("<script>alert"), std::string::npos);
  EXPECT_EQ(html.find("<img src=x"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
}

// Valid JSON that is no report, or a value its kind allows but no report can hold (a member
// missing or of another kind: report_schema_test).
TEST(Baseline, OtherJsonIsNoReport) {
  const Report report = with_quality(made_report({1.0f, 8.0f}, {0.0}));
  const std::string text = report_json(report, {}, made_verdicts(report));
  const std::string others[] = {
      "[]", "42", "\"report\"", "{}",
      replaced(text, "\"label\": \"trilinear, isotropic\"",
               "\"label\": \"trilinear, AF level 2\""),
      replaced(text, "\"rule\": \"reach\"", "\"rule\": \"colour\""),
      replaced(text, "\"anisotropy\": 8", "\"anisotropy\": 1e300"),
      replaced(text, "\"unit\": 0", "\"unit\": 0.5"),
      replaced(text, "\"degrees\": 0", "\"degrees\": null"),
      replaced(text, "\"step\": [", "\"step\": [1, "),
      replaced(text, "\"taps\": ", "\"taps\": -"),
      replaced(text, "\"detail\": ", "\"detail\": -"),
      replaced(text, "\"label\": \"bilinear, AF level 8\"",
               "\"label\": \"bilinear, AF level 2\"", true)};
  for (const std::string& other : others) {
    StoredReport read;
    std::string error;
    EXPECT_FALSE(parse_stored_report(other, "other.json", read, error)) << other.substr(0, 80);
    EXPECT_NE(error.find("other.json"), std::string::npos) << error;
  }
}

// compare.md: each report's figures side by side in each shared panel's row, "–" for one made
// without them, in either order; no such table when no report has any.
TEST(Comparison, ImageQualitySideBySide) {
  const Report plain = made_report({1.0f, 8.0f}, {0.0});
  const Report measured = with_quality(plain);
  const StoredReport with = stored(report_json(measured, {}, {}));
  const StoredReport without = stored(report_json(plain, {}, {}));
  const PanelQuality& panel = measured.quality.panels[1];
  const std::string row = "| " + configuration_label(panel.config) + " | ";
  const std::string figures = format_text("%.1f dB / %.2f / %.2f |", panel.figures.psnr,
                                          panel.figures.detail, panel.figures.flicker);
  const ComparedReport new_one{"new", "new", with, ""}, old_one{"old", "old", without, ""};
  const std::string first = comparison_markdown({new_one, old_one});
  const std::string second = comparison_markdown({old_one, new_one});
  EXPECT_NE(first.find(row + figures + " – |\n"), std::string::npos) << first;
  EXPECT_NE(second.find(row + "– | " + figures + "\n"), std::string::npos) << second;
  for (const std::string& md : {first, second}) {
    EXPECT_NE(md.find("new/quality.png"), std::string::npos);
    EXPECT_EQ(md.find("old/quality.png"), std::string::npos);
  }
  const std::string neither =
      comparison_markdown({{"a", "a", without, ""}, {"b", "b", without, ""}});
  EXPECT_EQ(neither.find("Image quality"), std::string::npos);
  EXPECT_EQ(neither.find("quality.png"), std::string::npos);
}

// Reports come in driver order, then release order, digits compared as numbers; the same driver
// through Vulkan is a driver of its own; a version that names no Mesa orders whole.
TEST(Comparison, ReportsInDriverAndReleaseOrder) {
  const auto compared = [](const char* name, const char* renderer, const char* version) {
    ComparedReport report{name, name, {}, ""};
    report.stored.report.driver.renderer = renderer;
    report.stored.report.driver.version = version;
    return report;
  };
  std::vector<ComparedReport> reports = {
      compared("zink", "zink (llvmpipe (LLVM 15.0.6, 256 bits))", "4.6 Mesa 22.3.6"),
      compared("llvmpipe 25", "llvmpipe (LLVM 19.1.7, 256 bits)", "4.5 (Core) Mesa 25.0.7"),
      compared("lavapipe 22", "llvmpipe (LLVM 15.0.6, 256 bits) through Vulkan",
               "Vulkan 1.3.230, llvmpipe, Mesa 22.3.6 (LLVM 15.0.6)"),
      compared("llvmpipe 9", "llvmpipe (LLVM 9.0.1, 128 bits)", "4.6 (Core) Mesa 9.2.0"),
      compared("llvmpipe 22", "llvmpipe (LLVM 15.0.6, 256 bits)", "4.5 (Core) Mesa 22.3.6"),
      compared("gpu 535", "NVIDIA GeForce", "4.6.0 NVIDIA 535.104"),
      compared("gpu 70", "NVIDIA GeForce", "4.6.0 NVIDIA 70.1"),
  };
  order_by_driver(reports);
  std::vector<std::string> names;
  for (const ComparedReport& report : reports) names.push_back(report.name);
  EXPECT_EQ(names, (std::vector<std::string>{"gpu 70", "gpu 535", "llvmpipe 9", "llvmpipe 22",
                                             "llvmpipe 25", "lavapipe 22", "zink"}));
}

// compare.svg: a curve per report at each trilinear AF level above 1 all swept, or at 1 if none.
TEST(Comparison, SvgChartsEveryLevelThatEveryReportSwept) {
  const auto compared = [](const std::vector<float>& levels, const std::vector<double>& angles,
                           const char* name) {
    return ComparedReport{name, name, stored(report_json(made_report(levels, angles), {}, {})), ""};
  };
  const struct {
    std::vector<ComparedReport> reports;
    std::vector<float> levels;
    std::vector<const char*> charted, left_out;
  } cases[] = {
      {{compared({1, 2, 4, 8}, {0, 45, 90}, "a"), compared({1, 2, 8, 16}, {0, 45}, "b")},
       {2, 8},
       {"trilinear AF 2", "trilinear AF 8"},
       {"trilinear AF 4", "trilinear AF 16", "isotropic"}},
      {{compared({1, 4}, {0}, "a"), compared({1, 8}, {0}, "b"), compared({1, 4, 8}, {0}, "c")},
       {1},
       {"isotropic trilinear filtering"},
       {"trilinear AF 4", "trilinear AF 8"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(compared_levels(c.reports), c.levels);
    const std::string svg = comparison_svg(c.reports);
    std::size_t curves = 0;
    for (auto at = svg.find("<polyline"); at != std::string::npos;
         at = svg.find("<polyline", at + 1))
      ++curves;
    EXPECT_EQ(curves, c.levels.size() * c.reports.size()) << svg;
    for (const char* heading : c.charted)
      EXPECT_NE(svg.find(heading), std::string::npos) << heading;
    for (const char* heading : c.left_out)
      EXPECT_EQ(svg.find(heading), std::string::npos) << heading;
  }
}

// The cells of a Markdown table row: split at each "|" that no backslash escapes.
std::vector<std::string> table_cells(const std::string& row) {
  std::vector<std::string> cells(1);
  for (std::size_t i = 1; i < row.size(); ++i) {
    if (row[i] == '\\' && i + 1 < row.size()) {
      cells.back() += row.substr(i, 2);
      ++i;
    } else if (row[i] == '|') {
      cells.emplace_back();
    } else {
      cells.back() += row[i];
    }
  }
  return cells;
}

// Every table row of report.md, regressions.md and compare.md has its header's cell count, whatever
// the driver's texts, folder names and verdict subjects hold; "|" and backslashes stay in the cell.
TEST(Markdown, TablesStayWholeWhateverTheTextsHold) {
  const std::string hostile = "a|b \\| c\\\nd";
  Report report = made_report({1.0f, 8.0f}, {0.0});
  report.driver.renderer = report.driver.vendor = hostile;
  std::vector<Verdict> verdicts = made_verdicts(report);
  verdicts[0].subject = verdicts[0].reason = hostile;
  const StoredReport stored_report = stored(report_json(report, {}, verdicts));
  const std::pair<const char*, std::string> files[] = {
      {"report.md", report_markdown(report, {}, verdicts)},
      {"regressions.md",
       regressions_markdown(compare_with_baseline(stored_report, report, verdicts))},
      {"compare.md", comparison_markdown({{hostile, "a", stored_report, ""},
                                          {"plain", "b", stored_report, ""}})},
  };
  for (const auto& [file, md] : files) {
    std::istringstream lines(md);
    std::size_t columns = 0, rows = 0;
    bool hostile_cell = false;
    for (std::string line; std::getline(lines, line);) {
      if (line.empty() || line[0] != '|') {
        columns = 0;
        continue;
      }
      const std::vector<std::string> cells = table_cells(line);
      if (columns == 0) columns = cells.size();
      EXPECT_EQ(cells.size(), columns) << file << ": " << line;
      ++rows;
      for (const std::string& cell : cells)
        hostile_cell = hostile_cell || cell.find("a\\|b \\\\\\| c\\\\ d ") != std::string::npos;
    }
    EXPECT_GT(rows, 3u) << file;
    EXPECT_TRUE(hostile_cell) << file << " has no cell of the hostile text:\n" << md;
  }
}
