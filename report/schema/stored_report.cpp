// Reading report.json back into a report: the schema's reader beside its writer
// (report_json.cpp), both walking report_schema.h.
#include "report/schema/stored_report.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>

#include "base/json_reader.h"
#include "base/text_format.h"
#include "report/schema/report_schema.h"
#include "scene/panel_config.h"

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
  void real(const char* key, double& value, double absent = std::nan("")) {
    const JsonValue* member = object_->member(key);
    value = member && member->is(JsonValue::Type::null) ? absent : number_at(key);
  }
  void ratio(const char* key, double& value) {
    real(key, value);
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

// `path` itself when it is no folder, else report.json in it.
std::string report_json_file(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error)
             ? (std::filesystem::path(path) / "report.json").string()
             : path;
}

}  // namespace

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
