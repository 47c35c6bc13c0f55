// report.json written by walking report_schema.h.
#include "report/schema/report_json.h"

#include <cstdint>

#include "base/json_writer.h"
#include "report/schema/report_schema.h"

namespace {

// Writes the members of a record as report_schema.h lists them, into the open object.
class SchemaWriter {
 public:
  static constexpr bool writes = true;

  explicit SchemaWriter(JsonWriter& json) : json_(json) {}

  void text(const char* key, const std::string& value) { json_.field(key, value); }
  void flag(const char* key, bool value) { json_.field(key, value); }
  void whole(const char* key, int value) { json_.field(key, value); }
  // The pixels of one panel fit an int as the viewport's do.
  void count(const char* key, std::int64_t value) { json_.field(key, static_cast<int>(value)); }
  void large_count(const char* key, std::int64_t value) { json_.field(key, double(value)); }
  void single(const char* key, float value) { json_.field(key, double(value)); }
  void number(const char* key, double value) { json_.field(key, value); }
  // A figure that is not finite is written as null, whatever it reads back as.
  void real(const char* key, double value, double /*absent*/ = 0.0) { json_.field(key, value); }
  void ratio(const char* key, double value) { json_.field(key, value); }
  void filter(const char* key, bool trilinear) { text(key, min_filter_name(trilinear)); }
  void rule(const char* key, Rule rule) { text(key, rule_name(rule)); }
  void label(const char* key, const PanelConfig& config) {
    text(key, configuration_label(config));
  }
  template <typename Value>
  void pair(const char* key, const Value& first, const Value& second) {
    list(key, std::vector<Value>{first, second});
  }
  template <typename Value>
  void list(const char* key, const std::vector<Value>& values) {
    json_.key(key);
    json_.begin_array();
    for (const Value& value : values) json_.value(value);
    json_.end_array();
  }
  template <typename Record>
  void object(const char* key, const Record& record) {
    group(key, [&] { json_fields(*this, record); });
  }
  template <typename Record>
  void records(const char* key, const std::vector<Record>& records) {
    json_.key(key);
    json_.begin_array();
    for (const Record& record : records) {
      json_.begin_object();
      json_fields(*this, record);
      json_.end_object();
    }
    json_.end_array();
  }
  template <typename Fields>
  void group(const char* key, Fields fields) {
    json_.key(key);
    json_.begin_object();
    fields();
    json_.end_object();
  }
  bool present(const char* /*key*/, bool written) { return written; }
  void version(const char* key, int value) { whole(key, value); }
  bool since(const char* /*key*/, int /*version*/) { return true; }

 private:
  JsonWriter& json_;
};

}  // namespace

std::string report_json(const Report& report, const std::vector<Finding>& findings,
                        const std::vector<Verdict>& verdicts, const BaselineComparison* baseline) {
  Commentary commentary{{}, baseline};
  for (const Finding& finding : findings) commentary.findings.push_back(finding.text);
  JsonWriter json;
  SchemaWriter walk(json);
  json.begin_object();
  report_json_fields(walk, report, verdicts, commentary);
  json.end_object();
  return json.text() + "\n";
}
