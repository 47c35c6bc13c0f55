// Reading report.json back into a report, the settings two reports must share, and a run held
// to its baseline.
#include "report/output/baseline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>

#include "report/measure/cost_measurement.h"
#include "scene/panel_config.h"
#include "report/output/cost_text.h"
#include "report/output/json_reader.h"
#include "report/output/provenance_text.h"
#include "report/output/report_schema.h"
#include "base/text_format.h"

namespace {

// Reads the members of a record as report_schema.h lists them, out of the object of the tree
// that holds it. The first member that is missing, of the wrong kind or out of range is kept as
// the problem, and an empty value stands in for it, so that reading goes on harmlessly to the end
// whatever the tree holds.
class SchemaReader {
 public:
  static constexpr bool writes = false;

  explicit SchemaReader(const JsonValue& root) : object_(&root) {}

  const std::string& problem() const { return problem_; }

  void text(const char* key, std::string& value) {
    value = get(key, JsonValue::Type::string, "a string").string();
  }
  void flag(const char* key, bool& value) {
    value = get(key, JsonValue::Type::boolean, "true or false").boolean();
  }
  void whole(const char* key, int& value) { value = whole_number(number_at(key), key); }
  // A count may pass an int's range, as the texels weighed do: whole and not negative, within
  // 2^53, where a double still holds every whole number.
  void count(const char* key, std::int64_t& value) {
    const double read = number_at(key);
    const bool fits = read >= 0.0 && read <= 0x1p53 && read == std::floor(read);
    require(fits, "\"" + path(key) + "\" is not a count");
    value = fits ? static_cast<std::int64_t>(read) : 0;
  }
  void large_count(const char* key, std::int64_t& value) { count(key, value); }
  void single(const char* key, float& value) { value = single_number(number_at(key), key); }
  void number(const char* key, double& value) { value = number_at(key); }
  void figure(const char* key, double& value, double absent = std::nan("")) {
    const JsonValue* member = object_->member(key);
    value = member && member->is(JsonValue::Type::null) ? absent : number_at(key);
  }
  void ratio(const char* key, double& value) {
    figure(key, value);
    require(!(value < 0.0), "\"" + path(key) + "\" is negative");
  }
  void filter(const char* key, bool& trilinear) {
    std::string name;
    text(key, name);
    require(name == min_filter_name(true) || name == min_filter_name(false),
            "\"" + path(key) + "\" is no filter of this program");
    trilinear = name == min_filter_name(true);
  }
  void rule(const char* key, Rule& rule) {
    std::string name;
    text(key, name);
    bool known = false;
    for (const Rule r : every_rule)
      if (name == rule_name(r)) {
        rule = r;
        known = true;
      }
    require(known, "\"" + path(key) + "\" is no rule of this program");
  }
  // Checked once the whole object is read, when the configuration is.
  void label(const char* key, const PanelConfig& config) {
    std::string read;
    text(key, read);
    labels_.push_back({path(key), read, &config});
  }
  void pair(const char* key, int& first, int& second) {
    double a = 0.0, b = 0.0;
    pair(key, a, b);
    first = whole_number(a, key);
    second = whole_number(b, key);
  }
  void pair(const char* key, double& first, double& second) {
    std::vector<double> values;
    list(key, values);
    require(values.size() == 2, "\"" + path(key) + "\" is not two numbers");
    first = values.size() == 2 ? values[0] : 0.0;
    second = values.size() == 2 ? values[1] : 0.0;
  }
  void list(const char* key, std::vector<std::string>& values) {
    values = elements<std::string>(key, JsonValue::Type::string, "strings",
                                   [](const JsonValue& element) { return element.string(); });
  }
  void list(const char* key, std::vector<double>& values) {
    values = elements<double>(key, JsonValue::Type::number, "numbers",
                              [](const JsonValue& element) { return element.number(); });
  }
  void list(const char* key, std::vector<float>& values) {
    values.clear();
    std::vector<double> numbers;
    list(key, numbers);
    for (const double number : numbers) values.push_back(single_number(number, key));
  }
  template <typename Record>
  void object(const char* key, Record& record) {
    group(key, [&] { json_fields(*this, record); });
  }
  template <typename Record>
  void records(const char* key, std::vector<Record>& records) {
    const std::vector<JsonValue>& elements =
        get(key, JsonValue::Type::array, "an array").elements();
    records.assign(elements.size(), Record());
    const std::string where = path(key);
    for (std::size_t i = 0; i < elements.size(); ++i)
      read_object(elements[i], format_text("%s[%zu]", where.c_str(), i),
                  [&] { json_fields(*this, records[i]); });
  }
  template <typename Fields>
  void group(const char* key, Fields fields) {
    read_object(get(key, JsonValue::Type::object, "an object"), path(key), fields);
  }
  bool present(const char* key, bool /*written*/) { return object_->member(key) != nullptr; }
  void version(const char* key, int& value) {
    value = present(key, true) ? whole_number(number_at(key), key) : 1;
    require(value >= 1, "\"" + path(key) + "\" is no schema version");
    version_ = value;
  }
  bool since(const char* key, int version) { return present(key, true) || version_ >= version; }

 private:
  // A label read, to be held to its configuration.
  struct Label {
    std::string path, text;
    const PanelConfig* config;
  };

  // Reads the members of `object` at `where` with `fields`, then checks the labels read there.
  template <typename Fields>
  void read_object(const JsonValue& object, const std::string& where, Fields fields) {
    const JsonValue* const outer_object = object_;
    const std::string outer_where = where_;
    const std::size_t outer_labels = labels_.size();
    object_ = &object;
    where_ = where;
    fields();
    for (std::size_t i = outer_labels; i < labels_.size(); ++i)
      require(labels_[i].text == configuration_label(*labels_[i].config),
              "\"" + labels_[i].path + "\" is not the label of its filter and anisotropy");
    labels_.resize(outer_labels);
    object_ = outer_object;
    where_ = outer_where;
  }

  // The member `key` of the current object when it is of `type`, else an empty value.
  const JsonValue& get(const char* key, JsonValue::Type type, const char* kind) {
    static const JsonValue empty;
    const JsonValue* value = object_->member(key);
    if (!value) {
      require(false, "no \"" + path(key) + "\"");
      return empty;
    }
    require(value->is(type), "\"" + path(key) + "\" is not " + kind);
    return value->is(type) ? *value : empty;
  }
  double number_at(const char* key) {
    return get(key, JsonValue::Type::number, "a number").number();
  }
  int whole_number(double value, const char* key) {
    const bool whole = value >= -1e9 && value <= 1e9 && value == std::floor(value);
    require(whole, "\"" + path(key) + "\" is not a whole number");
    return whole ? static_cast<int>(value) : 0;
  }
  // A number that a float holds: a level, a bias.
  float single_number(double value, const char* key) {
    const bool fits = std::fabs(value) <= std::numeric_limits<float>::max();
    require(fits, "\"" + path(key) + "\" is out of range");
    return fits ? static_cast<float>(value) : 0.0f;
  }
  // The elements of an array that must all be of `type`, each taken by `of`; those of another
  // type are a problem and left out.
  template <typename Value, typename Of>
  std::vector<Value> elements(const char* key, JsonValue::Type type, const char* kinds, Of of) {
    std::vector<Value> values;
    for (const JsonValue& element : get(key, JsonValue::Type::array, "an array").elements()) {
      require(element.is(type), "\"" + path(key) + "\" holds something other than " + kinds);
      if (element.is(type)) values.push_back(of(element));
    }
    return values;
  }
  void require(bool holds, const std::string& problem) {
    if (!holds && problem_.empty()) problem_ = problem;
  }
  std::string path(const char* key) const { return where_.empty() ? key : where_ + "." + key; }

  const JsonValue* object_;  // the object whose members are read
  std::string where_;        // its path from the root, as messages name it
  std::vector<Label> labels_;
  std::string problem_;
  int version_ = 1;  // the report's schema version, once read
};

// report.json states the LOD bias once, in its settings: every configuration was measured with it.
void give_lod_bias(Report& r) {
  for (PanelMeasurement& panel : r.panels) panel.config.lod_bias = r.lod_bias;
  for (UnitMeasurement& unit : r.units)
    unit.trilinear.config.lod_bias = unit.bilinear.config.lod_bias = r.lod_bias;
  for (AngleSweep& sweep : r.angle_sweeps) sweep.config.lod_bias = r.lod_bias;
  for (DrawCost& cost : r.costs) cost.config.lod_bias = r.lod_bias;
  for (PanelQuality& panel : r.quality.panels) panel.config.lod_bias = r.lod_bias;
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

}  // namespace

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
    case Figure::psnr: return "PSNR (dB)";
    case Figure::detail: return "detail kept";
    case Figure::flicker: return "flicker";
    case Figure::cost: return "cost against isotropic";
    case Figure::verdict: return "verdict";
  }
  return "";
}

std::string change_value(const Change& change, bool now) {
  if (change.figure == Figure::cost)
    return median_interval_text(now ? change.new_cost : change.old_cost, 2);
  const double value = now ? change.new_value : change.old_value;
  if (change.figure != Figure::verdict) return decimals_text(value, 3);
  return format_text("%s (%.3g)", (now ? change.new_pass : change.old_pass) ? "PASS" : "FAIL",
                     value);
}

namespace {

std::string movement_cell(Movement movement) {
  switch (movement) {
    case Movement::regressed: return "**regressed**";
    case Movement::improved: return "*improved*";
    case Movement::changed: return "changed";
    case Movement::unchanged: return "–";
  }
  return "";
}

// The table of the changes that moved as `movement`, or of every change without one.
std::string change_rows(const std::vector<Change>& changes, const Movement* movement) {
  std::string md =
      "| Panel or verdict | Figure | Baseline | This run | Moved |\n|---|---|---|---|---|\n";
  for (const Change& change : changes)
    if (!movement || change.movement == *movement)
      md += "| " + markdown_cell(change_subject(change)) + " | " + change_figure(change) + " | " +
            change_value(change, false) + " | " + change_value(change, true) + " | " +
            movement_cell(change.movement) + " |\n";
  return md;
}

// How a figure moved from `old_value` to `new_value` when `distance` gives its distance from the
// ideal and it may move by `limit`. A figure not measured (NaN) on either side, or infinite on
// both, moves nowhere.
Movement movement(double old_value, double new_value, double limit, double (*distance)(double)) {
  const double further = distance(new_value) - distance(old_value);
  if (further > limit) return Movement::regressed;
  if (-further > limit) return Movement::improved;
  return std::fabs(new_value - old_value) > limit ? Movement::changed : Movement::unchanged;
}

double from_zero(double value) { return std::fabs(value); }
double from_one(double value) { return std::fabs(value - 1.0); }
// Of a figure where higher is better.
double below(double value) { return -value; }

Change figure_change(Figure figure, const std::string& subject, double old_value,
                     double new_value, Movement moved) {
  Change change;
  change.figure = figure;
  change.subject = subject;
  change.old_value = old_value;
  change.new_value = new_value;
  change.movement = moved;
  return change;
}

// The image quality of the panel `label` in both reports, where both hold it.
void add_quality_changes(std::vector<Change>& changes, const std::string& label,
                         const QualityReport& was, const QualityReport& is) {
  const auto of = [&](const QualityReport& quality) -> const QualityFigures* {
    for (const PanelQuality& panel : quality.panels)
      if (configuration_label(panel.config) == label) return &panel.figures;
    return nullptr;
  };
  const QualityFigures *old = of(was), *now = of(is);
  if (!old || !now) return;
  const struct {
    Figure figure;
    double QualityFigures::*value;
    double limit;
    double (*distance)(double);
  } figures[] = {{Figure::psnr, &QualityFigures::psnr, psnr_change_limit, below},
                 {Figure::detail, &QualityFigures::detail, quality_ratio_change_limit, from_one},
                 {Figure::flicker, &QualityFigures::flicker, quality_ratio_change_limit, from_one}};
  for (const auto& f : figures)
    changes.push_back(figure_change(f.figure, label, old->*f.value, now->*f.value,
                                    movement(old->*f.value, now->*f.value, f.limit, f.distance)));
}

// The cost of the AF panel `label` in both reports, where both timed it in enough rounds for a
// 95 % interval: it moved only where the intervals do not overlap, as any narrower limit would
// count noise.
void add_cost_change(std::vector<Change>& changes, const std::string& label,
                     const std::vector<DrawCost>& was, const std::vector<DrawCost>& is) {
  const auto of = [&](const std::vector<DrawCost>& costs) -> const DrawCost* {
    for (const DrawCost& cost : costs)
      if (configuration_label(cost.config) == label && cost.config.anisotropy != 1.0f &&
          cost.rounds >= min_cost_rounds && !std::isnan(cost.relative.low))
        return &cost;
    return nullptr;
  };
  const DrawCost *old = of(was), *now = of(is);
  if (!old || !now) return;
  const bool moved = intervals_apart(old->relative, now->relative);
  Change change = figure_change(Figure::cost, label, old->relative.median, now->relative.median,
                                !moved ? Movement::unchanged
                                : now->relative.median > old->relative.median
                                    ? Movement::regressed
                                    : Movement::improved);
  change.old_cost = old->relative;
  change.new_cost = now->relative;
  changes.push_back(change);
}

// "the renderer (baseline: a; this run: b)" where the baseline's `old` differs from the run's.
void add_origin(std::vector<std::string>& differences, const char* what, const std::string& old,
                const std::string& now) {
  if (old != now)
    differences.push_back(std::string(what) + " (baseline: " + (old.empty() ? "unknown" : old) +
                          "; this run: " + now + ")");
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
  SchemaReader reader(root);
  if (root.is(JsonValue::Type::object)) {
    report_json_fields(reader, stored.report, stored.verdicts);
    give_lod_bias(stored.report);
  }
  // A later schema may have changed any member: its version is the one problem worth naming.
  const int version = stored.report.provenance.schema_version;
  if (version > report_schema_version) {
    error = format_text("\"%s\" is a report of schema version %d, which a later kestrel-report "
                        "wrote; this one reads versions up to %d",
                        file.c_str(), version, report_schema_version);
    return false;
  }
  const std::string problem =
      root.is(JsonValue::Type::object) ? reader.problem() : "its text is no JSON object";
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
    case Figure::psnr: return "psnr";
    case Figure::detail: return "detail";
    case Figure::flicker: return "flicker";
    case Figure::cost: return "cost";
    case Figure::verdict: return "verdict";
  }
  return "";
}

const char* movement_name(Movement movement) {
  switch (movement) {
    case Movement::unchanged: return "unchanged";
    case Movement::improved: return "improved";
    case Movement::regressed: return "regressed";
    case Movement::changed: return "changed";
  }
  return "";
}

std::string change_name(const Change& change) {
  return change_subject(change) + ": " + change_figure(change);
}

std::string change_description(const Change& change) {
  return change_name(change) + " " + change_value(change, false) + " in the baseline, " +
         change_value(change, true) + " in this run";
}

std::size_t change_count(const BaselineComparison& comparison, Movement movement) {
  return static_cast<std::size_t>(
      std::count_if(comparison.changes.begin(), comparison.changes.end(),
                    [&](const Change& change) { return change.movement == movement; }));
}

bool has_regressed(const BaselineComparison& comparison) {
  return change_count(comparison, Movement::regressed) > 0;
}

std::string movement_summary(const BaselineComparison& comparison) {
  std::string text;
  for (const MovementGroup& group : movement_groups)
    if (const std::size_t n = change_count(comparison, group.movement))
      text += format_text("%s%zu %s", text.empty() ? "" : ", ", n, movement_name(group.movement));
  return text.empty() ? "no figure moved" : text;
}

BaselineComparison compare_with_baseline(const StoredReport& baseline, const Report& run,
                                         const std::vector<Verdict>& verdicts) {
  BaselineComparison c;
  c.file = baseline.file;
  c.baseline_renderer = baseline.report.driver.renderer;
  add_origin(c.other_origin, "the renderer", baseline.report.driver.renderer,
             run.driver.renderer);
  add_origin(c.other_origin, "the driver version", baseline.report.driver.version,
             run.driver.version);
  add_origin(c.other_origin, "the Kestrel version", baseline.report.provenance.kestrel_version,
             run.provenance.kestrel_version);
  c.provenance = run.provenance;
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
    c.changes.push_back(
        figure_change(Figure::mean_error, label, was.mean_error, is.mean_error,
                      movement(was.mean_error, is.mean_error, c.tolerance, from_zero)));
    c.changes.push_back(
        figure_change(Figure::rms_error, label, was.rms_error, is.rms_error, Movement::unchanged));
    for (const DistanceBand& band : is.bands)
      for (const DistanceBand& old_band : was.bands) {
        if (!same_figure(band.near, old_band.near) || !same_figure(band.far, old_band.far))
          continue;
        // Held to the formula's value in either direction: more anisotropy than asked for is
        // an AF level ignored, not an improvement.
        Change change = figure_change(
            Figure::band_anisotropy, label, old_band.measured_anisotropy,
            band.measured_anisotropy,
            movement(old_band.measured_anisotropy / old_band.ideal_anisotropy,
                     band.measured_anisotropy / band.ideal_anisotropy, anisotropy_change_limit,
                     from_one));
        change.near = band.near;
        change.far = band.far;
        c.changes.push_back(change);
      }
    add_quality_changes(c.changes, label, baseline.report.quality, run.quality);
    add_cost_change(c.changes, label, baseline.report.costs, run.costs);
  }
  for (const Verdict& verdict : verdicts) {
    const auto old = std::find_if(
        baseline.verdicts.begin(), baseline.verdicts.end(),
        [&](const Verdict& v) { return v.rule == verdict.rule && v.subject == verdict.subject; });
    if (old == baseline.verdicts.end()) {
      c.unmatched.push_back(std::string(rule_name(verdict.rule)) + ": " + verdict.subject);
      continue;
    }
    Change change = figure_change(Figure::verdict, verdict.subject, old->figure, verdict.figure,
                                  old->pass == verdict.pass ? Movement::unchanged
                                  : verdict.pass            ? Movement::improved
                                                            : Movement::regressed);
    change.rule = verdict.rule;
    change.old_pass = old->pass;
    change.new_pass = verdict.pass;
    c.changes.push_back(change);
  }
  for (const Verdict& old : baseline.verdicts)
    if (!judged(old.rule))
      c.retired.push_back(std::string(rule_name(old.rule)) + ": " + old.subject);
  return c;
}

std::string regressions_markdown(const BaselineComparison& comparison) {
  std::string md = "# Kestrel: this run against its baseline\n\n";
  md += "- Baseline: " + comparison.file + ", made on " + comparison.baseline_renderer + "\n";
  if (!comparison.other_origin.empty())
    md += "- **The baseline comes from elsewhere**: " + join_words(comparison.other_origin) +
          "\n";
  md += format_text("- Of %zu figures: %s\n", comparison.changes.size(),
                    movement_summary(comparison).c_str());
  md += provenance_markdown("This run", comparison.provenance);
  md += format_text(
      "\nA figure *regressed* when it lies further from its ideal than the baseline's by more than "
      "its limit, and *improved* when it lies nearer by as much; it *changed* when it moved by "
      "more than its limit while its distance from the ideal did not. A verdict regressed from "
      "PASS to FAIL and improved from FAIL to PASS. A panel's mean error (ideal 0) may move by "
      "%.2f levels (the run's tolerance); its effective anisotropy in a distance band (eye "
      "distances in scene units; ideally the extension's formula's, more being as wrong as "
      "less) by %.0f %% of the formula's; where both "
      "reports measured the image quality, its PSNR (higher is better) by %g dB and its detail "
      "kept and flicker (ideal 1) by %g. An AF panel's cost against the isotropic draw (lower is "
      "better) moved only where its 95 %% interval and the baseline's do not overlap. The RMS "
      "error is shown beside the mean error and never counted on its own.\n",
      comparison.tolerance, percent(anisotropy_change_limit), psnr_change_limit,
      quality_ratio_change_limit);
  for (const MovementGroup& section : movement_groups)
    if (change_count(comparison, section.movement) > 0)
      md += std::string("\n## ") + section.heading + "\n\n" +
            change_rows(comparison.changes, &section.movement);
  md += "\n## Every figure\n\n" + change_rows(comparison.changes, nullptr);
  if (!comparison.unmatched.empty()) {
    md += "\n## Not in the baseline\n\n";
    for (const std::string& subject : comparison.unmatched) md += "- " + subject + "\n";
  }
  if (!comparison.retired.empty()) {
    md += "\n## Not compared\n\nThe baseline's verdicts of rules this program no longer judges "
          "are left out of the comparison:\n\n";
    for (const std::string& subject : comparison.retired) md += "- " + subject + "\n";
  }
  return md;
}
