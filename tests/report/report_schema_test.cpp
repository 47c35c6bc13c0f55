// report.json's schema, walked by the writer and the baseline reader: every member, non-finite
// figures too, reads back as written; each one read, missing or of another kind, is an error naming
// the file and the member. The walks go through the schema, so a new member needs no change here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "report/judge/baseline.h"
#include "report/schema/report_json.h"
#include "report/schema/report_schema.h"
#include "report/schema/stored_report.h"
#include "report/text/report_writer.h"

namespace {

// One member as the schema reaches it.
struct Member {
  std::string path;  // from the root, as the reader's messages name it: "panels[1].unit"
  std::string key;   // the path's last name
  bool object;       // an object of its own, or a group
  bool optional;     // reports may lack it
};

// Gives every member a distinct, non-default value that report.json holds exactly (six significant
// digits), two entries per array; with `non_finite`, each figure the value null stands for. Lists
// every member it fills, in the order of report.json.
class Filling {
 public:
  static constexpr bool writes = false;

  explicit Filling(bool non_finite) : non_finite_(non_finite) {}
  const std::vector<Member>& members() const { return members_; }

  void text(const char* key, std::string& value) { value = format_text("text %d", next(key)); }
  void flag(const char* key, bool& value) {
    add(key);
    value = !value;
  }
  void whole(const char* key, int& value) { value = next(key); }
  void count(const char* key, std::int64_t& value) { value = next(key); }
  void large_count(const char* key, std::int64_t& v) { v = next(key) * std::int64_t(1000000); }
  void single(const char* key, float& value) { value = float(next(key)) + 0.5f; }
  void number(const char* key, double& value) { value = next(key) + 0.25; }
  void real(const char* key, double& value, double absent = std::nan("")) {
    const int n = next(key);
    value = non_finite_ ? absent : n + 0.75;
  }
  void ratio(const char* key, double& value) { real(key, value); }
  void filter(const char* key, bool& trilinear) { flag(key, trilinear); }
  void rule(const char* key, Rule& rule) {
    rule = every_rule[std::size_t(next(key)) % std::size(every_rule)];
  }
  void label(const char* key, const PanelConfig&) { add(key); }
  template <typename Value>
  void pair(const char* key, Value& first, Value& second) {
    first = Value(next(key));
    second = Value(++count_) + Value(0.5);
  }
  void list(const char* key, std::vector<std::string>& values) {
    values = {format_text("item %d", next(key)), format_text("item %d", ++count_)};
  }
  template <typename Value>
  void list(const char* key, std::vector<Value>& values) {
    values = {Value(next(key)) + Value(0.5), Value(++count_) + Value(0.25)};
  }
  template <typename Record>
  void object(const char* key, Record& record) {
    group(key, [&] { json_fields(*this, record); });
  }
  template <typename Record>
  void records(const char* key, std::vector<Record>& records) {
    add(key);
    records.resize(2);
    const std::string outer = where_, array = path(key);
    for (std::size_t i = 0; i < records.size(); ++i) {
      where_ = format_text("%s[%zu]", array.c_str(), i);
      json_fields(*this, records[i]);
    }
    where_ = outer;
  }
  template <typename Fields>
  void group(const char* key, Fields fields) {
    add(key, true);
    const std::string outer = where_;
    where_ = path(key);
    fields();
    where_ = outer;
  }
  bool present(const char* key, bool) {
    optional_.insert(path(key));
    return true;
  }
  // The one version this program reads in full.
  void version(const char* key, int& value) {
    present(key, true);
    add(key);
    value = report_schema_version;
  }
  bool since(const char*, int) { return true; }

 private:
  std::string path(const char* key) const { return where_.empty() ? key : where_ + "." + key; }
  void add(const char* key, bool object = false) {
    members_.push_back({path(key), key, object, optional_.count(path(key)) > 0});
  }
  // Lists the member `key` and gives it the next number: every value differs from the others.
  int next(const char* key) {
    add(key);
    return ++count_;
  }

  bool non_finite_;
  int count_ = 0;
  std::vector<Member> members_;
  std::set<std::string> optional_;
  std::string where_;
};

struct Filled {
  Report report;
  std::vector<Verdict> verdicts;
  std::vector<Member> members;
};

Filled filled(bool non_finite) {
  Filled made;
  Filling filling(non_finite);
  report_json_fields(filling, made.report, made.verdicts);
  made.members = filling.members();
  return made;
}

bool parse(const std::string& text, StoredReport& stored, std::string& error) {
  return parse_stored_report(text, "schema/report.json", stored, error);
}

// `path` with each index of a record made "[]": the same member of every record of an array.
std::string member_kind(const std::string& path) {
  std::string kind;
  for (std::size_t i = 0; i < path.size(); ++i) {
    kind += path[i];
    if (path[i] == '[')
      while (i + 1 < path.size() && path[i + 1] != ']') ++i;
  }
  return kind;
}

}  // namespace

// Every member with its own value, then every figure at null's, reads back and rewrites the same
// text; PSNR (null: +infinity, not NaN) and the schema version (always written) are checked too.
TEST(ReportSchema, EveryMemberReadsBackAsWritten) {
  for (const bool non_finite : {false, true}) {
    SCOPED_TRACE(testing::Message() << "non-finite: " << non_finite);
    Filled written = filled(non_finite);
    ASSERT_FALSE(written.report.quality.panels.empty());
    const std::string text = report_json(written.report, {}, written.verdicts);
    StoredReport read;
    std::string error;
    ASSERT_TRUE(parse(text, read, error)) << error;
    EXPECT_EQ(report_json(read.report, {}, read.verdicts), text);
    EXPECT_EQ(read.report.quality.panels[1].figures.psnr,
              written.report.quality.panels[1].figures.psnr);
    EXPECT_EQ(read.report.provenance.schema_version, report_schema_version);
    for (const PanelMeasurement& panel : read.report.panels)
      EXPECT_EQ(panel.config.lod_bias, written.report.lod_bias);
  }
}

// Each member the reader reads, in each array's first record, removed and then of another kind:
// it reads only where optional; any other text is no report, its error naming file and member.
TEST(ReportSchema, EachMemberMissingOrOfAnotherKindIsNamed) {
  Filled written = filled(false);
  const std::string text = report_json(written.report, {}, written.verdicts);
  const std::vector<Member>& listed = written.members;
  std::set<std::string> tried;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    const Member& member = listed[i];
    if (!tried.insert(member_kind(member.path)).second) continue;
    // The member's key in the text: the keys come in the order of the listing, each as often.
    const std::string key = "\"" + member.key + "\": ";
    std::size_t at = 0, seen = 0;
    for (std::size_t j = 0; j <= i && at != std::string::npos; ++j)
      if (listed[j].key == member.key) at = text.find(key, seen++ ? at + 1 : 0);
    ASSERT_NE(at, std::string::npos) << member.path;
    const std::string renamed = "\"" + member.key + "~\": ";
    const struct {
      const char* change;
      std::string text;
      bool read;
    } cases[] = {
        {"missing", std::string(text).replace(at, key.size(), renamed), member.optional},
        {"of another kind",
         std::string(text).replace(at, key.size(),
                                   key + (member.object ? "[]" : "{}") + ", " + renamed),
         false},
    };
    for (const auto& c : cases) {
      StoredReport read;
      std::string error;
      EXPECT_EQ(parse(c.text, read, error), c.read) << member.path << " " << c.change;
      if (c.read) continue;
      EXPECT_NE(error.find("\"schema/report.json\""), std::string::npos) << error;
      EXPECT_NE(error.find("\"" + member.path + "\""), std::string::npos)
          << member.path << " " << c.change << ": " << error;
    }
  }
  EXPECT_GT(tried.size(), 100u);
}

// A report without schema version or provenance reads as version 1; later ones fail on version.
TEST(ReportSchema, EarlierVersionsRead) {
  Filled written = filled(false);
  const std::string text = report_json(written.report, {}, written.verdicts);
  const std::size_t provenance_end = text.find("\"driver\"");
  ASSERT_NE(provenance_end, std::string::npos);
  StoredReport read;
  std::string error;
  ASSERT_TRUE(parse("{\n  " + text.substr(provenance_end), read, error)) << error;
  EXPECT_EQ(read.report.provenance.schema_version, 1);
  EXPECT_EQ(read.report.driver.renderer, written.report.driver.renderer);
  const std::string version = "\"schema_version\": " + std::to_string(report_schema_version);
  const std::size_t at = text.find(version);
  ASSERT_NE(at, std::string::npos);
  EXPECT_FALSE(parse(std::string(text).replace(at, version.size(), "\"schema_version\": 99"),
                     read, error));
  EXPECT_NE(error.find("schema version 99"), std::string::npos) << error;
}
