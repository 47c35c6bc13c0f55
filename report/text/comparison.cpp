// compare.md and compare.svg: reports read from their folders, side by side where they overlap.
#include "report/text/comparison.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "base/text_format.h"
#include "report/judge/cost_intervals.h"
#include "report/text/angle_chart.h"
#include "scene/panel_config.h"

namespace {

// `file` in the report's folder as a Markdown link target, every byte that a link could
// mistake percent-encoded.
std::string link(const ComparedReport& report, const std::string& file) {
  const std::string path =
      report.folder.empty() || report.folder == "." ? file : report.folder + "/" + file;
  std::string out;
  for (const char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '_' || c == '~' || c == '/' || c == '-';
    out +=
        plain ? std::string(1, c) : format_text("%%%02X", unsigned(static_cast<unsigned char>(c)));
  }
  return out;
}

// Each report indexed: a file may hold hundreds of thousands of panels and verdicts, which are
// then found without quadratic time.
std::vector<ReportIndex> index_of(const std::vector<ComparedReport>& reports) {
  std::vector<ReportIndex> indices;
  for (const ComparedReport& report : reports)
    indices.push_back(index_of(report.stored.report, report.stored.verdicts));
  return indices;
}

// A table with a column per report: the header and its rule.
std::string table_head(const std::vector<ComparedReport>& reports, const std::string& first) {
  std::string head = "|" + (first.empty() ? "" : " " + first) + " |", rule = "|---|";
  for (const ComparedReport& report : reports) {
    head += " " + markdown_cell(report.name) + " |";
    rule += "---|";
  }
  return head + "\n" + rule + "\n";
}

// A row of `title` and value(i) of each report i.
template <typename Value>
std::string row(std::size_t reports, const std::string& title, Value value) {
  std::string line = "| " + markdown_cell(title) + " |";
  for (std::size_t i = 0; i < reports; ++i) line += " " + value(i) + " |";
  return line + "\n";
}

std::string levels_text(const Report& report) {
  return number_list({report.anisotropy_levels.begin(), report.anisotropy_levels.end()});
}

std::string angles_text(const Report& report) {
  if (report.angles.empty()) return "none";
  const auto [low, high] = std::minmax_element(report.angles.begin(), report.angles.end());
  return format_text("%zu, from %g to %g", report.angles.size(), *low, *high);
}

// Whether `a` comes before `b` with the runs of digits in both compared as numbers: "22.3.6"
// before "25.0.7", "LLVM 9" before "LLVM 15".
bool natural_less(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digit_a = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool digit_b = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (digit_a && digit_b) {
      std::size_t end_a = i, end_b = j;
      while (end_a < a.size() && std::isdigit(static_cast<unsigned char>(a[end_a]))) ++end_a;
      while (end_b < b.size() && std::isdigit(static_cast<unsigned char>(b[end_b]))) ++end_b;
      // Leading zeros aside, the longer run of digits is the larger number.
      const std::string x = a.substr(i, end_a - i), y = b.substr(j, end_b - j);
      const std::size_t zx = std::min(x.find_first_not_of('0'), x.size());
      const std::size_t zy = std::min(y.find_first_not_of('0'), y.size());
      if (x.size() - zx != y.size() - zy) return x.size() - zx < y.size() - zy;
      const int order = x.compare(zx, std::string::npos, y, zy, std::string::npos);
      if (order != 0) return order < 0;
      i = end_a;
      j = end_b;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

// The version of a driver that orders its releases: what follows "Mesa " in its version string
// where it names one, else the whole string.
std::string release_of(const DriverInfo& driver) {
  const std::size_t mesa = driver.version.find("Mesa ");
  return mesa == std::string::npos ? driver.version : driver.version.substr(mesa + 5);
}

std::string driver_table(const std::vector<ComparedReport>& reports) {
  const auto text = [&](std::string (*of)(const Report&)) {
    return [&reports, of](std::size_t i) { return markdown_cell(of(reports[i].stored.report)); };
  };
  const std::size_t n = reports.size();
  std::string md = "## Drivers and settings\n\n" + table_head(reports, "");
  md += row(n, "Vendor", text([](const Report& r) { return r.driver.vendor; }));
  md += row(n, "Renderer", text([](const Report& r) { return r.driver.renderer; }));
  md += row(n, "Version", text([](const Report& r) { return r.driver.version; }));
  md +=
      row(n, "Maximum anisotropy advertised",
          text([](const Report& r) { return format_text("%g", double(r.driver.max_anisotropy)); }));
  md += row(n, "Texture units tested",
            text([](const Report& r) { return format_text("%d", r.driver.tmu_count); }));
  md += row(n, "Platform", text([](const Report& r) { return r.context; }));
  md += row(n, "AF levels measured", text(levels_text));
  md += row(n, "Texture LOD bias",
            text([](const Report& r) { return format_text("%g", double(r.lod_bias)); }));
  md += row(n, "Turns about the viewing axis", text(angles_text));
  md += row(n, "Tolerance of the verdicts (levels)",
            text([](const Report& r) { return format_text("%g", r.tolerance); }));
  return md;
}

// Every verdict of any report, in the order they come first.
std::string verdict_table(const std::vector<ComparedReport>& reports,
                          const std::vector<ReportIndex>& indices) {
  std::string md = "## Verdicts\n\n" + table_head(reports, "Verdict");
  md += row(reports.size(), "Passing", [&](std::size_t i) {
    const std::vector<Verdict>& verdicts = reports[i].stored.verdicts;
    return format_text("%zu of %zu", verdicts.size() - failed_count(verdicts), verdicts.size());
  });
  std::set<std::string> listed;
  for (const ComparedReport& report : reports)
    for (const Verdict& verdict : report.stored.verdicts) {
      const std::string key = verdict_key(verdict);
      if (!listed.insert(key).second) continue;
      md += row(reports.size(), key, [&](std::size_t i) {
        const Verdict* const v = entry_at(indices[i].verdicts, key);
        if (!v) return std::string("–");
        return format_text(v->pass ? "PASS (%.3g)" : "**FAIL** (%.3g)", v->value);
      });
    }
  return md;
}

// The labels of the panels that every report holds, in the first report's order.
std::vector<std::string> shared_panels(const std::vector<ComparedReport>& reports,
                                       const std::vector<ReportIndex>& indices) {
  std::vector<std::string> labels;
  std::set<std::string> listed;
  for (const PanelMeasurement& panel : reports.front().stored.report.panels) {
    const std::string label = configuration_label(panel.config);
    if (std::all_of(indices.begin(), indices.end(),
                    [&](const ReportIndex& index) { return index.panels.count(label) > 0; }) &&
        listed.insert(label).second)
      labels.push_back(label);
  }
  return labels;
}

std::string panel_table(const std::vector<ComparedReport>& reports,
                        const std::vector<ReportIndex>& indices) {
  std::string md =
      "## Panels\n\nOf each panel that every report holds, over its decisive quads: the mean "
      "error (measured − reference level), the RMS error, and the effective anisotropy with the "
      "ideal in brackets.\n\n" +
      table_head(reports, "Panel");
  for (const std::string& label : shared_panels(reports, indices))
    md += row(reports.size(), label, [&](std::size_t i) {
      const PanelStatistics& s = indices[i].panels.at(label)->statistics;
      return format_text("%+.3f / %.3f / %.2f (%.2f)", s.mean_error, s.rms_error,
                         s.effective_anisotropy, s.ideal_anisotropy);
    });
  return md;
}

// Whether the report measured the image quality; those made before it was measured have none.
bool has_quality(const ComparedReport& report) {
  return !report.stored.report.quality.panels.empty();
}

// The image quality of each panel that every report holds, "–" where a report has none; empty
// when no report has any.
std::string quality_table(const std::vector<ComparedReport>& reports,
                          const std::vector<ReportIndex>& indices) {
  if (std::none_of(reports.begin(), reports.end(), has_quality)) return "";
  std::string md =
      "## Image quality against the ideal filter\n\nOf each panel that every report holds, "
      "against the ideal filter's picture: the PSNR in dB (∞ where equal), the detail kept "
      "(below 1 blurs, above 1 aliases) and the flicker as the plane moves (1 is as steady as "
      "the ideal filter). Each report's own texture and settings are in its report.\n\n" +
      table_head(reports, "Panel");
  for (const std::string& label : shared_panels(reports, indices))
    md += row(reports.size(), label, [&](std::size_t i) {
      const PanelQuality* const quality = entry_at(indices[i].quality, label);
      if (!quality) return std::string("–");
      const QualityFigures& f = quality->figures;
      return decimals_text(f.psnr, 1) + " dB / " + decimals_text(f.detail, 2) + " / " +
             decimals_text(f.flicker, 2);
    });
  return md;
}

// The cost of each AF panel that every report holds against its isotropic draw, with its 95 %
// interval, marked where it did not settle; "–" where a report has none.
std::string cost_table(const std::vector<ComparedReport>& reports,
                       const std::vector<ReportIndex>& indices) {
  std::string md = format_text(
      "## What AF costs\n\nOf each AF panel that every report holds, its draw's time against "
      "the isotropic draw of the same filter: the median over the report's rounds with its 95 %% "
      "interval, where the report has one; * marks a ratio whose interval reaches further than "
      "%g %% from it. Where two reports' intervals overlap, the noise cannot tell their costs "
      "apart. Each report was timed on its own machine, by its own clock.\n\n",
      percent(cost_settle_share));
  md += table_head(reports, "Panel");
  for (const std::string& label : shared_panels(reports, indices)) {
    if (indices.front().panels.at(label)->config.anisotropy == 1.0f) continue;
    md += row(reports.size(), label, [&](std::size_t i) {
      const DrawCost* const cost = entry_at(indices[i].costs, label);
      if (!cost) return std::string("–");
      return median_interval_text(cost->relative, 2) + (unsettled(*cost) ? " *" : "");
    });
  }
  return md;
}

std::string settings_section(const std::vector<ComparedReport>& reports,
                             const std::vector<ReportIndex>& indices) {
  std::vector<const Report*> compared;
  std::vector<std::string> names;
  for (const ComparedReport& report : reports) {
    compared.push_back(&report.stored.report);
    names.push_back(report.name);
  }
  const std::vector<SettingDifference> differences = setting_differences(compared, names);
  if (differences.empty()) return "Every report was made with the same settings.\n";
  return "The reports were made with other settings: they differ in " +
         differences_text(differences) +
         format_text(
             ". They are compared where they overlap: the %zu panels that every report "
             "holds and the %zu angles that every report measured.\n",
             shared_panels(reports, indices).size(), shared_angles(reports).size());
}

std::string picture_table(const std::vector<ComparedReport>& reports) {
  // quality.png lies only beside the reports that measured the image quality.
  const struct {
    const char* title;
    const char* file;
    bool of_quality;
  } pictures[] = {{"The panels at start-up", "panels.png", false},
                  {"Measured mip level", "lod-measured.png", false},
                  {"Measured − reference level", "lod-error.png", false},
                  {"Effective anisotropy against the turn", "angles.svg", false},
                  {"Against the ideal filter", "quality.png", true}};
  const bool any_measured = std::any_of(reports.begin(), reports.end(), has_quality);
  std::string md = "## Pictures\n\n" + table_head(reports, "");
  for (const auto& picture : pictures)
    if (!picture.of_quality || any_measured)
      md += row(reports.size(), picture.title, [&](std::size_t i) {
        if (picture.of_quality && !has_quality(reports[i])) return std::string("–");
        return "![" + markdown_cell(reports[i].name) + ": " + picture.title + "](" +
               link(reports[i], picture.file) + ")";
      });
  return md;
}

const AngleSweep* compared_sweep(const Report& report, float anisotropy) {
  for (const AngleSweep& sweep : report.angle_sweeps)
    if (sweep.config.trilinear && sweep.config.anisotropy == anisotropy) return &sweep;
  return nullptr;
}

std::string sweep_description(float anisotropy) {
  return anisotropy == 1.0f ? std::string("isotropic trilinear filtering")
                            : format_text("trilinear AF %g", double(anisotropy));
}

// Whether `sorted` holds `angle`, as report.json states it.
bool holds(const std::vector<double>& sorted, double angle) {
  const auto next = std::lower_bound(sorted.begin(), sorted.end(), angle);
  return (next != sorted.end() && same_figure(*next, angle)) ||
         (next != sorted.begin() && same_figure(*std::prev(next), angle));
}

std::vector<double> sorted(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values;
}

// A figure of a panel that drivers may differ in, and how far apart two values must lie to count
// as a difference: the limits a baseline holds a run to.
struct DifferingFigure {
  const char* name;
  double (*value)(const PanelMeasurement*, const PanelQuality*);  // NaN where not measured
  double limit;
  int decimals;
};

double nan_value() { return std::numeric_limits<double>::quiet_NaN(); }

const DifferingFigure differing_figures[] = {
    {"mean error", [](const PanelMeasurement* p, const PanelQuality*) {
       return p->statistics.mean_error;
     }, 0.25, 3},
    {"effective anisotropy over the formula's", [](const PanelMeasurement* p, const PanelQuality*) {
       return p->statistics.effective_anisotropy / p->statistics.ideal_anisotropy;
     }, anisotropy_change_limit, 2},
    {"PSNR against the ideal filter (dB)", [](const PanelMeasurement*, const PanelQuality* q) {
       return q && std::isfinite(q->figures.psnr) ? q->figures.psnr : nan_value();
     }, psnr_change_limit, 1},
    {"detail kept", [](const PanelMeasurement*, const PanelQuality* q) {
       return q ? q->figures.detail : nan_value();
     }, quality_ratio_change_limit, 2},
    {"flicker against the formula", [](const PanelMeasurement*, const PanelQuality* q) {
       return q ? q->formula.flicker : nan_value();
     }, quality_ratio_change_limit, 2},
};

// How many figures the comparison shows of those in which the drivers differ most.
constexpr std::size_t most_differing_count = 8;

// The figures of the shared panels whose values lie furthest apart across the reports, measured
// in their limits: those more than one limit apart, at most most_differing_count of them.
std::string differences_table(const std::vector<ComparedReport>& reports,
                              const std::vector<ReportIndex>& indices) {
  struct Row {
    double spread;
    std::string title;
    std::vector<double> values;
    int decimals;
  };
  std::vector<Row> rows;
  for (const std::string& label : shared_panels(reports, indices))
    for (const DifferingFigure& figure : differing_figures) {
      Row row{0.0, label + ": " + figure.name, {}, figure.decimals};
      double low = std::numeric_limits<double>::infinity(), high = -low;
      for (const ReportIndex& index : indices) {
        const double value =
            figure.value(index.panels.at(label), entry_at(index.quality, label));
        row.values.push_back(value);
        if (std::isnan(value)) continue;
        low = std::min(low, value);
        high = std::max(high, value);
      }
      row.spread = (high - low) / figure.limit;
      if (row.spread > 1.0) rows.push_back(std::move(row));
    }
  if (rows.empty()) return "";
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.spread > b.spread; });
  // Two panels a figure at most, so that one figure far apart everywhere leaves room for others.
  std::map<std::string, int> shown;
  std::vector<Row> kept;
  for (Row& r : rows) {
    const std::string figure = r.title.substr(r.title.find(": ") + 2);
    if (kept.size() < most_differing_count && ++shown[figure] <= 2) kept.push_back(std::move(r));
  }
  rows = std::move(kept);
  std::string md =
      "## Where the drivers differ most\n\nThe figures of the shared panels whose values lie "
      "furthest apart, counted in the limits a baseline holds a run to (mean error 0.25 level, "
      "effective anisotropy 10 % of the formula's, PSNR 1 dB, detail and flicker 0.1).\n\n" +
      table_head(reports, "Figure");
  for (const Row& r : rows)
    md += row(reports.size(), r.title, [&](std::size_t i) {
      return std::isnan(r.values[i]) ? std::string("–") : decimals_text(r.values[i], r.decimals);
    });
  return md;
}

// "driver" or "driver through Vulkan": the first word of the renderer names the driver, whose
// releases follow one another.
std::string driver_family(const DriverInfo& driver) {
  const std::string& renderer = driver.renderer;
  const std::string through = " through Vulkan";
  const bool vulkan = renderer.size() > through.size() &&
                      renderer.compare(renderer.size() - through.size(), through.size(),
                                       through) == 0;
  return renderer.substr(0, renderer.find_first_of(" (")) + (vulkan ? through : "");
}

// The verdicts of `comparison` that moved as `movement`, counted by rule: "level honoured × 8".
std::vector<std::string> verdicts_moved(const BaselineComparison& comparison, Movement movement) {
  std::vector<std::string> counted;
  for (const Rule rule : every_rule) {
    const auto n = std::count_if(comparison.changes.begin(), comparison.changes.end(),
                                 [&](const Change& change) {
                                   return change.quantity == Quantity::verdict &&
                                          change.rule == rule && change.movement == movement;
                                 });
    if (n > 0) counted.push_back(format_text("%s × %td", rule_name(rule), n));
  }
  return counted;
}

// A line per report whose driver comes in an earlier report too: what changed from that release,
// its verdicts fixed and regressed by name, its figures counted; empty when no driver comes
// twice. `reports` are in driver order.
std::string release_changes(const std::vector<ComparedReport>& reports) {
  std::string md;
  for (std::size_t i = 1; i < reports.size(); ++i) {
    const ComparedReport &was = reports[i - 1], &is = reports[i];
    if (driver_family(was.stored.report.driver) != driver_family(is.stored.report.driver))
      continue;
    const BaselineComparison c =
        compare_with_baseline(was.stored, is.stored.report, is.stored.verdicts);
    // The changes of the figures alone, the verdicts' left out.
    const auto figures = [&](Movement movement) {
      return std::count_if(c.changes.begin(), c.changes.end(), [&](const Change& change) {
        return change.quantity != Quantity::verdict && change.movement == movement;
      });
    };
    const std::vector<std::string> fixed = verdicts_moved(c, Movement::improved);
    const std::vector<std::string> regressed = verdicts_moved(c, Movement::regressed);
    md += "- **" + markdown_cell(is.name) + "** against " + markdown_cell(was.name) +
          ": verdicts fixed: " + (fixed.empty() ? "none" : join_words(fixed)) +
          "; regressed: " + (regressed.empty() ? "none" : join_words(regressed)) +
          format_text("; of the figures %td improved, %td regressed and %td changed.\n",
                      figures(Movement::improved), figures(Movement::regressed),
                      figures(Movement::changed));
  }
  if (md.empty()) return "";
  return "## From one release to the next\n\nEach driver against its release before it, as a "
         "baseline would hold it: verdicts fixed and regressed, and the figures that moved by "
         "more than their limits.\n\n" +
         md;
}

}  // namespace

std::vector<float> compared_levels(const std::vector<ComparedReport>& reports) {
  std::vector<std::set<float>> levels(reports.size());
  for (std::size_t i = 0; i < reports.size(); ++i)
    for (const AngleSweep& sweep : reports[i].stored.report.angle_sweeps)
      if (sweep.config.trilinear) levels[i].insert(sweep.config.anisotropy);
  std::vector<float> shared;
  for (const float level : levels.front())
    if (level > 1.0f && std::all_of(levels.begin(), levels.end(),
                                    [&](const auto& own) { return own.count(level) > 0; }))
      shared.push_back(level);
  if (shared.empty()) shared.push_back(1.0f);
  return shared;
}

std::vector<double> shared_angles(const std::vector<ComparedReport>& reports) {
  std::vector<std::vector<double>> own;
  for (const ComparedReport& report : reports) own.push_back(sorted(report.stored.report.angles));
  std::vector<double> angles;
  for (const double angle : reports.front().stored.report.angles)
    if (std::all_of(own.begin(), own.end(),
                    [&](const std::vector<double>& those) { return holds(those, angle); }))
      angles.push_back(angle);
  return angles;
}

void order_by_driver(std::vector<ComparedReport>& reports) {
  std::stable_sort(reports.begin(), reports.end(),
                   [](const ComparedReport& a, const ComparedReport& b) {
                     const DriverInfo &x = a.stored.report.driver, &y = b.stored.report.driver;
                     const std::string fx = driver_family(x), fy = driver_family(y);
                     if (fx != fy) return natural_less(fx, fy);
                     return natural_less(release_of(x), release_of(y));
                   });
}

std::string comparison_markdown(const std::vector<ComparedReport>& reports) {
  const std::vector<ReportIndex> indices = index_of(reports);
  std::string md = format_text("# Kestrel: %zu reports compared\n\n", reports.size());
  std::vector<std::string> links;
  for (const ComparedReport& report : reports)
    links.push_back("[" + markdown_cell(report.name) + "](" + link(report, "report.md") + ")");
  md += "The full reports: " + join_words(links) + ". " + settings_section(reports, indices);
  md += "\n" + verdict_table(reports, indices);
  for (const std::string& section :
       {differences_table(reports, indices), release_changes(reports)})
    if (!section.empty()) md += "\n" + section;
  md += "\n" + driver_table(reports);
  md += "\n" + panel_table(reports, indices);
  const std::string quality = quality_table(reports, indices);
  if (!quality.empty()) md += "\n" + quality;
  md += "\n" + cost_table(reports, indices);
  md += "\n## Angle dependence\n\n";
  md += "![Effective anisotropy against the turn, every report on one chart](compare.svg)\n\n";
  std::vector<std::string> levels;
  for (const float level : compared_levels(reports)) levels.push_back(sweep_description(level));
  md += format_text(
      "The effective anisotropy reached as the plane turns about the viewing axis, a chart for "
      "each level that every report measured (%s), one colour per report, at the %zu angles "
      "that every report measured.\n",
      join_words(levels).c_str(), shared_angles(reports).size());
  md += "\n" + picture_table(reports);
  for (const ComparedReport& report : reports)
    if (!report.summary.empty()) md += "\n" + report.summary;
  return md;
}

std::string comparison_svg(const std::vector<ComparedReport>& reports) {
  const std::vector<double> angles = sorted(shared_angles(reports));
  std::vector<PolarChart> charts;
  for (const float level : compared_levels(reports)) {
    PolarChart chart{sweep_description(level), {}};
    for (std::size_t i = 0; i < reports.size(); ++i) {
      const AngleSweep* sweep = compared_sweep(reports[i].stored.report, level);
      if (!sweep) continue;
      PolarCurve curve{{}, chart_colour(i), LineStyle::solid};
      for (const AngleSample& sample : sweep->samples)
        if (holds(angles, sample.degrees))
          curve.points.emplace_back(sample.degrees, sample.measured);
      chart.curves.push_back(std::move(curve));
    }
    charts.push_back(std::move(chart));
  }
  std::vector<LegendEntry> legend;
  for (std::size_t i = 0; i < reports.size(); ++i)
    legend.push_back({chart_colour(i), LineStyle::solid,
                      reports[i].name + ": " + reports[i].stored.report.driver.renderer});
  return polar_charts_svg("Measured effective anisotropy against the turn, " +
                              filter_description(true) + ", at each AF level",
                          charts, {legend});
}
