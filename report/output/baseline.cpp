// Reading report.json back into a report, the settings two reports must share, and a run held
// to its baseline.
#include "report/output/baseline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <tuple>
#include <utility>

#include "report/model/panel_config.h"
#include "report/output/json_reader.h"
#include "report/output/text_format.h"

namespace {

// Typed members out of the tree. The first member that is missing or of another kind is kept
// as the problem, and an empty value stands in for it, so that reading goes on harmlessly to
// the end whatever the tree holds.
class Members {
 public:
  const std::string& problem() const { return problem_; }

  const JsonValue& get(const JsonValue& object, const std::string& where, const char* key,
                       JsonValue::Type type, const char* kind) {
    static const JsonValue empty;
    const JsonValue* value = object.member(key);
    if (!value) {
      require(false, "no \"" + name(where, key) + "\"");
      return empty;
    }
    require(value->is(type), "\"" + name(where, key) + "\" is not " + kind);
    return value->is(type) ? *value : empty;
  }
  const JsonValue& object(const JsonValue& object, const std::string& where, const char* key) {
    return get(object, where, key, JsonValue::Type::object, "an object");
  }
  const std::vector<JsonValue>& array(const JsonValue& object, const std::string& where,
                                      const char* key) {
    return get(object, where, key, JsonValue::Type::array, "an array").elements();
  }
  std::string text(const JsonValue& object, const std::string& where, const char* key) {
    return get(object, where, key, JsonValue::Type::string, "a string").string();
  }
  bool flag(const JsonValue& object, const std::string& where, const char* key) {
    return get(object, where, key, JsonValue::Type::boolean, "true or false").boolean();
  }
  double number(const JsonValue& object, const std::string& where, const char* key) {
    return get(object, where, key, JsonValue::Type::number, "a number").number();
  }
  // A number, or `absent` for null, as report.json writes a figure that is not finite.
  double figure(const JsonValue& object, const std::string& where, const char* key,
                double absent = std::nan("")) {
    const JsonValue* value = object.member(key);
    if (value && value->is(JsonValue::Type::null)) return absent;
    return number(object, where, key);
  }
  int whole(const JsonValue& object, const std::string& where, const char* key) {
    return whole(number(object, where, key), name(where, key));
  }
  int whole(double value, const std::string& name) {
    const bool whole = value >= -1e9 && value <= 1e9 && value == std::floor(value);
    require(whole, "\"" + name + "\" is not a whole number");
    return whole ? static_cast<int>(value) : 0;
  }
  // A count that may pass an int's range, as the texels weighed: whole and not negative, within
  // 2^53, where a double still holds every whole number.
  std::int64_t count(const JsonValue& object, const std::string& where, const char* key) {
    const double value = number(object, where, key);
    const bool fits = value >= 0.0 && value <= 0x1p53 && value == std::floor(value);
    require(fits, "\"" + name(where, key) + "\" is not a count");
    return fits ? static_cast<std::int64_t>(value) : 0;
  }
  // A number that a float holds: a level, a bias.
  float single(double value, const std::string& name) {
    const bool fits = std::fabs(value) <= std::numeric_limits<float>::max();
    require(fits, "\"" + name + "\" is out of range");
    return fits ? static_cast<float>(value) : 0.0f;
  }
  float single(const JsonValue& object, const std::string& where, const char* key) {
    return single(number(object, where, key), name(where, key));
  }
  // The two numbers of an array that must hold two, as a size or a step; 0 for a problem.
  std::pair<double, double> two(const JsonValue& object, const std::string& where,
                                const char* key) {
    const std::vector<double> values = numbers(object, where, key);
    require(values.size() == 2, "\"" + name(where, key) + "\" is not two numbers");
    return values.size() == 2 ? std::pair{values[0], values[1]} : std::pair{0.0, 0.0};
  }
  // Each element of an array of numbers.
  std::vector<double> numbers(const JsonValue& object, const std::string& where, const char* key) {
    return elements<double>(object, where, key, JsonValue::Type::number, "numbers",
                            [](const JsonValue& element) { return element.number(); });
  }
  // Each element of an array of strings.
  std::vector<std::string> texts(const JsonValue& object, const std::string& where,
                                 const char* key) {
    return elements<std::string>(object, where, key, JsonValue::Type::string, "strings",
                                 [](const JsonValue& element) { return element.string(); });
  }
  void require(bool holds, const std::string& problem) {
    if (!holds && problem_.empty()) problem_ = problem;
  }

 private:
  // The elements of an array that must all be of `type`, each taken by `of`; those of another
  // type are a problem and left out.
  template <typename Value, typename Of>
  std::vector<Value> elements(const JsonValue& object, const std::string& where, const char* key,
                              JsonValue::Type type, const char* kinds, Of of) {
    std::vector<Value> values;
    for (const JsonValue& element : array(object, where, key)) {
      require(element.is(type),
              "\"" + name(where, key) + "\" holds something other than " + kinds);
      if (element.is(type)) values.push_back(of(element));
    }
    return values;
  }
  static std::string name(const std::string& where, const char* key) {
    return where.empty() ? key : where + "." + key;
  }

  std::string problem_;
};

std::string item(const std::string& where, std::size_t index) {
  return format_text("%s[%zu]", where.c_str(), index);
}

// A panel's configuration and statistics; its label must be the one they give.
PanelMeasurement read_panel(Members& m, const JsonValue& panel, const std::string& where,
                            float lod_bias) {
  PanelMeasurement p;
  const std::string filter = m.text(panel, where, "filter");
  m.require(filter == min_filter_name(true) || filter == min_filter_name(false),
            "\"" + where + ".filter\" is no filter of this program");
  p.config = {filter == min_filter_name(true), m.single(panel, where, "anisotropy"),
              m.whole(panel, where, "unit"), m.whole(panel, where, "units"), lod_bias};
  m.require(m.text(panel, where, "label") == configuration_label(p.config),
            "\"" + where + ".label\" is not the label of its filter and anisotropy");
  const std::string at = where + ".statistics";
  const JsonValue& s = m.object(panel, where, "statistics");
  PanelStatistics& statistics = p.statistics;
  statistics.quads = m.whole(s, at, "quads");
  statistics.decisive_quads = m.whole(s, at, "decisive_quads");
  statistics.mean_error = m.figure(s, at, "mean_error");
  statistics.rms_error = m.figure(s, at, "rms_error");
  statistics.effective_anisotropy = m.figure(s, at, "effective_anisotropy");
  statistics.ideal_anisotropy = m.figure(s, at, "ideal_anisotropy");
  const std::vector<JsonValue>& bands = m.array(s, at, "bands");
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const std::string band_at = item(at + ".bands", i);
    statistics.bands.push_back(
        {m.number(bands[i], band_at, "near"), m.number(bands[i], band_at, "far"),
         m.whole(bands[i], band_at, "quads"), m.figure(bands[i], band_at, "ideal_anisotropy"),
         m.figure(bands[i], band_at, "measured_anisotropy")});
  }
  return p;
}

// Only equal pictures give a PSNR that is not finite: +infinity, written as null. A ratio is
// written as null where it was not measured (NaN): no window to take contrast in, or an ideal
// picture without contrast or flicker to compare with.
QualityFigures read_quality_figures(Members& m, const JsonValue& object, const std::string& where) {
  constexpr double infinity = std::numeric_limits<double>::infinity();
  const auto ratio = [&](const char* key) {
    const double value = m.figure(object, where, key, std::nan(""));
    m.require(!(value < 0.0), "\"" + where + "." + key + "\" is negative");
    return value;
  };
  QualityFigures f;
  f.pixels = m.count(object, where, "pixels");
  f.psnr = m.figure(object, where, "psnr", infinity);
  f.detail = ratio("detail");
  f.flicker = ratio("flicker");
  return f;
}

// A panel's image quality; its label must be the one its filter and anisotropy give.
PanelQuality read_panel_quality(Members& m, const JsonValue& panel, const std::string& where,
                                float lod_bias) {
  PanelQuality p;
  p.config = {m.flag(panel, where, "trilinear"), m.single(panel, where, "anisotropy"), 0, 1,
              lod_bias};
  m.require(m.text(panel, where, "label") == configuration_label(p.config),
            "\"" + where + ".label\" is not the label of its filter and anisotropy");
  p.figures = read_quality_figures(m, panel, where);
  const std::vector<JsonValue>& bands = m.array(panel, where, "bands");
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const std::string at = item(where + ".bands", i);
    p.bands.push_back({m.number(bands[i], at, "near"), m.number(bands[i], at, "far"),
                       read_quality_figures(m, bands[i], at)});
  }
  return p;
}

void read_quality(Members& m, const JsonValue& quality, float lod_bias, QualityReport& q) {
  q.texture = m.text(quality, "quality", "texture");
  q.texture_width = m.whole(quality, "quality", "texture_width");
  q.texture_height = m.whole(quality, "quality", "texture_height");
  q.offsets = m.whole(quality, "quality", "offsets");
  std::tie(q.step_x, q.step_y) = m.two(quality, "quality", "step");
  q.taps = m.count(quality, "quality", "taps");
  q.reference_seconds = m.number(quality, "quality", "reference_seconds");
  const std::vector<JsonValue>& panels = m.array(quality, "quality", "panels");
  for (std::size_t i = 0; i < panels.size(); ++i)
    q.panels.push_back(read_panel_quality(m, panels[i], item("quality.panels", i), lod_bias));
}

AngleSweep read_sweep(Members& m, const JsonValue& sweep, const std::string& where) {
  AngleSweep s;
  s.config.trilinear = m.flag(sweep, where, "trilinear");
  s.config.anisotropy = m.single(sweep, where, "anisotropy");
  const std::vector<JsonValue>& samples = m.array(sweep, where, "samples");
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::string at = item(where + ".samples", i);
    s.samples.push_back({m.number(samples[i], at, "degrees"), m.whole(samples[i], at, "quads"),
                         m.figure(samples[i], at, "measured_anisotropy"),
                         m.figure(samples[i], at, "formula_anisotropy"),
                         m.figure(samples[i], at, "invariant_anisotropy")});
  }
  return s;
}

Verdict read_verdict(Members& m, const JsonValue& verdict, const std::string& where) {
  const std::string rule = m.text(verdict, where, "rule");
  Verdict v{Rule::bounds, m.text(verdict, where, "subject"), m.flag(verdict, where, "pass"),
            m.figure(verdict, where, "figure"), m.text(verdict, where, "reason")};
  bool known = false;
  for (const Rule r : {Rule::bounds, Rule::af_without_effect, Rule::unit})
    if (rule == rule_name(r)) {
      v.rule = r;
      known = true;
    }
  m.require(known, "\"" + where + ".rule\" is no rule of this program");
  return v;
}

void read_report(Members& m, const JsonValue& root, StoredReport& stored) {
  Report& r = stored.report;
  const JsonValue& driver = m.object(root, "", "driver");
  r.driver.vendor = m.text(driver, "driver", "vendor");
  r.driver.renderer = m.text(driver, "driver", "renderer");
  r.driver.version = m.text(driver, "driver", "version");
  r.driver.max_anisotropy = m.single(driver, "driver", "max_anisotropy");
  r.driver.tmu_count = m.whole(driver, "driver", "texture_units");
  r.platform = m.text(root, "", "platform");
  // Reports made before warnings were kept have none.
  if (root.member("warnings")) r.warnings = m.texts(root, "", "warnings");
  const auto [width, height] = m.two(root, "", "panel_size");
  r.panel_width = m.whole(width, "panel_size");
  r.panel_height = m.whole(height, "panel_size");
  const JsonValue& settings = m.object(root, "", "settings");
  for (const double level : m.numbers(settings, "settings", "anisotropy_levels"))
    r.anisotropy_levels.push_back(m.single(level, "settings.anisotropy_levels"));
  r.lod_bias = m.single(settings, "settings", "lod_bias");
  r.tolerance = m.number(settings, "settings", "tolerance");
  r.angles = m.numbers(settings, "settings", "angles");
  const std::vector<JsonValue>& panels = m.array(root, "", "panels");
  for (std::size_t i = 0; i < panels.size(); ++i)
    r.panels.push_back(read_panel(m, panels[i], item("panels", i), r.lod_bias));
  const std::vector<JsonValue>& sweeps = m.array(root, "", "angle_sweeps");
  for (std::size_t i = 0; i < sweeps.size(); ++i)
    r.angle_sweeps.push_back(read_sweep(m, sweeps[i], item("angle_sweeps", i)));
  // Reports made before the image quality was measured have none.
  if (root.member("quality")) read_quality(m, m.object(root, "", "quality"), r.lod_bias, r.quality);
  const std::vector<JsonValue>& verdicts = m.array(root, "", "verdicts");
  for (std::size_t i = 0; i < verdicts.size(); ++i)
    stored.verdicts.push_back(read_verdict(m, verdicts[i], item("verdicts", i)));
}

bool same_figures(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same_figure);
}

// "the angles (a: 0, 45; b: 0, 90)" when the reports' `values` of one setting differ.
void add_difference(std::vector<SettingDifference>& differences, Setting setting, const char* words,
                    const std::vector<std::string>& names,
                    const std::vector<std::vector<double>>& values) {
  if (std::all_of(values.begin(), values.end(),
                  [&](const std::vector<double>& v) { return same_figures(v, values.front()); }))
    return;
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i)
    text += (i ? "; " : "") + names[i] + ": " +
            (values[i].empty() ? std::string("none") : number_list(values[i]));
  differences.push_back({setting, std::string(words) + " (" + text + ")"});
}

std::string change_subject(const Change& change) {
  return change.figure == Figure::verdict
             ? std::string(rule_name(change.rule)) + ": " + change.subject
             : change.subject;
}

std::string change_figure(const Change& change) {
  switch (change.figure) {
    case Figure::mean_error: return "mean error";
    case Figure::rms_error: return "RMS error";
    case Figure::band_anisotropy:
      return format_text("effective anisotropy at %g–%g", change.near, change.far);
    case Figure::verdict: return "verdict";
  }
  return "";
}

std::string change_value(const Change& change, bool now) {
  const double value = now ? change.new_value : change.old_value;
  if (change.figure != Figure::verdict) return format_text("%.3f", value);
  return format_text("%s (%.3g)", (now ? change.new_pass : change.old_pass) ? "PASS" : "FAIL",
                     value);
}

std::string change_rows(const std::vector<Change>& changes, bool regressions_only) {
  std::string md =
      "| Panel or verdict | Figure | Baseline | This run | Regressed |\n|---|---|---|---|---|\n";
  for (const Change& change : changes)
    if (change.regressed || !regressions_only)
      md += "| " + markdown_cell(change_subject(change)) + " | " + change_figure(change) + " | " +
            change_value(change, false) + " | " + change_value(change, true) + " | " +
            (change.regressed ? "**yes**" : "no") + " |\n";
  return md;
}

// `path` itself when it is no folder, else report.json in it.
std::string report_json_file(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error)
             ? (std::filesystem::path(path) / "report.json").string()
             : path;
}

}  // namespace

bool same_figure(double a, double b) {
  // Six significant digits round by at most half a unit of the sixth.
  return std::fabs(a - b) <= 1e-5 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

bool parse_stored_report(const std::string& text, const std::string& file, StoredReport& stored,
                         std::string& error) {
  JsonValue root;
  JsonError json_error;
  if (!parse_json(text, root, json_error)) {
    error = format_text("\"%s\" is no JSON: line %d, column %d: %s", file.c_str(), json_error.line,
                        json_error.column, json_error.message.c_str());
    return false;
  }
  stored = StoredReport();
  stored.file = file;
  Members members;
  if (root.is(JsonValue::Type::object)) read_report(members, root, stored);
  const std::string problem =
      root.is(JsonValue::Type::object) ? members.problem() : "its text is no JSON object";
  if (problem.empty()) return true;
  error = "\"" + file + "\" is no report of kestrel-report: " + problem;
  return false;
}

bool read_stored_report(const std::string& path, StoredReport& stored, std::string& error) {
  const std::string file = report_json_file(path);
  std::string text;
  if (!read_file_limited(file, max_json_size, text, error)) return false;
  if (text.empty()) {
    error = "\"" + file + "\" is empty";
    return false;
  }
  return parse_stored_report(text, file, stored, error);
}

std::vector<SettingDifference> setting_differences(const std::vector<const Report*>& reports,
                                                   const std::vector<std::string>& names) {
  std::vector<std::vector<double>> levels, biases, angles;
  for (const Report* report : reports) {
    levels.emplace_back(report->anisotropy_levels.begin(), report->anisotropy_levels.end());
    biases.push_back({double(report->lod_bias)});
    angles.push_back(report->angles);
  }
  std::vector<SettingDifference> differences;
  add_difference(differences, Setting::anisotropy_levels, "the AF levels", names, levels);
  add_difference(differences, Setting::lod_bias, "the LOD bias", names, biases);
  add_difference(differences, Setting::angles, "the angles", names, angles);
  return differences;
}

std::string differences_text(const std::vector<SettingDifference>& differences) {
  std::vector<std::string> texts;
  for (const SettingDifference& difference : differences) texts.push_back(difference.text);
  return join_words(texts);
}

const char* figure_name(Figure figure) {
  switch (figure) {
    case Figure::mean_error: return "mean_error";
    case Figure::rms_error: return "rms_error";
    case Figure::band_anisotropy: return "band_anisotropy";
    case Figure::verdict: return "verdict";
  }
  return "";
}

BaselineComparison compare_with_baseline(const StoredReport& baseline, const Report& run,
                                         const std::vector<Verdict>& verdicts) {
  BaselineComparison c;
  c.file = baseline.file;
  c.baseline_renderer = baseline.report.driver.renderer;
  c.tolerance = run.tolerance;
  for (const PanelMeasurement& panel : run.panels) {
    const std::string label = configuration_label(panel.config);
    const auto old = std::find_if(
        baseline.report.panels.begin(), baseline.report.panels.end(),
        [&](const PanelMeasurement& p) { return configuration_label(p.config) == label; });
    if (old == baseline.report.panels.end()) {
      c.unmatched.push_back(label);
      continue;
    }
    const PanelStatistics &was = old->statistics, &is = panel.statistics;
    Change mean{Figure::mean_error, label};
    mean.old_value = was.mean_error;
    mean.new_value = is.mean_error;
    mean.regressed = std::fabs(is.mean_error - was.mean_error) > c.tolerance;
    Change rms{Figure::rms_error, label};
    rms.old_value = was.rms_error;
    rms.new_value = is.rms_error;
    c.changes.push_back(mean);
    c.changes.push_back(rms);
    for (const DistanceBand& band : is.bands)
      for (const DistanceBand& old_band : was.bands) {
        if (!same_figure(band.near, old_band.near) || !same_figure(band.far, old_band.far))
          continue;
        Change change{Figure::band_anisotropy, label};
        change.near = band.near;
        change.far = band.far;
        change.old_value = old_band.measured_anisotropy;
        change.new_value = band.measured_anisotropy;
        change.regressed =
            band.measured_anisotropy < old_band.measured_anisotropy * (1.0 - anisotropy_fall_limit);
        c.changes.push_back(change);
      }
  }
  for (const Verdict& verdict : verdicts) {
    const auto old = std::find_if(
        baseline.verdicts.begin(), baseline.verdicts.end(),
        [&](const Verdict& v) { return v.rule == verdict.rule && v.subject == verdict.subject; });
    if (old == baseline.verdicts.end()) {
      c.unmatched.push_back(std::string(rule_name(verdict.rule)) + ": " + verdict.subject);
      continue;
    }
    Change change{Figure::verdict, verdict.subject, verdict.rule};
    change.old_value = old->figure;
    change.new_value = verdict.figure;
    change.old_pass = old->pass;
    change.new_pass = verdict.pass;
    change.regressed = old->pass && !verdict.pass;
    c.changes.push_back(change);
  }
  c.regressed = std::any_of(c.changes.begin(), c.changes.end(),
                            [](const Change& change) { return change.regressed; });
  return c;
}

std::string regressions_markdown(const BaselineComparison& comparison) {
  const auto regressions = std::count_if(comparison.changes.begin(), comparison.changes.end(),
                                         [](const Change& change) { return change.regressed; });
  std::string md = "# Kestrel: this run against its baseline\n\n";
  md += "- Baseline: " + comparison.file + ", made on " + comparison.baseline_renderer + "\n";
  md += comparison.regressed
            ? format_text("- **Regressed**: %td of %zu figures\n", regressions,
                          comparison.changes.size())
            : format_text("- No regression in %zu figures\n", comparison.changes.size());
  md += format_text(
      "\nA regression is a verdict turned from PASS to FAIL, a panel's mean error moved by more "
      "than %.2f levels (the run's tolerance), or a panel's effective anisotropy fallen by more "
      "than %.0f %% in a distance band (eye distances in scene units).\n",
      comparison.tolerance, percent(anisotropy_fall_limit));
  if (comparison.regressed) md += "\n## Regressions\n\n" + change_rows(comparison.changes, true);
  md += "\n## Every figure\n\n" + change_rows(comparison.changes, false);
  if (!comparison.unmatched.empty()) {
    md += "\n## Not in the baseline\n\n";
    for (const std::string& subject : comparison.unmatched) md += "- " + subject + "\n";
  }
  return md;
}
