// The verdicts, held to their expectations, and the regressions written as JUnit XML, every
// text escaped for XML.
#include "report/text/junit_writer.h"

#include <algorithm>

#include "base/text_format.h"
#include "report/text/provenance_text.h"
#include "report/text/regressions.h"

namespace {

std::string attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + xml_escaped(value) + "\"";
}

std::string counts(const JunitSuite& suite) {
  const auto failures = std::count_if(suite.cases.begin(), suite.cases.end(),
                                      [](const JunitCase& c) { return c.failed; });
  const auto skipped = std::count_if(suite.cases.begin(), suite.cases.end(),
                                     [](const JunitCase& c) { return c.skipped; });
  return format_text(" tests=\"%zu\" failures=\"%td\" skipped=\"%td\" time=\"%.3f\"",
                     suite.cases.size(), failures, skipped, suite.seconds);
}

std::string case_xml(const JunitCase& c) {
  std::string xml = "    <testcase" + attribute("classname", c.classname) +
                    attribute("name", c.name) + " time=\"0.000\"";
  if (c.skipped)
    return xml + ">\n      <skipped" + attribute("message", c.message) + "/>\n    </testcase>\n";
  if (!c.failed) return xml + "/>\n";
  xml += ">\n      <failure" + attribute("message", c.message) + ">" + xml_escaped(c.text) +
         "</failure>\n";
  if (!c.attachment.empty())
    xml += "      <system-out>" + xml_escaped("[[ATTACHMENT|" + c.attachment + "]]") +
           "</system-out>\n";
  return xml + "    </testcase>\n";
}

// `picture` in the folder `pictures`, or alone where that is empty.
std::string picture_path(const std::string& pictures, const char* picture) {
  return pictures.empty() || pictures == "." ? picture : pictures + "/" + picture;
}

}  // namespace

const char* fault_picture(Rule rule) {
  return rule == Rule::unit       ? "panels.png"
         : rule == Rule::aliasing ? "quality.png"
                                  : "lod-error.png";
}

const char* fault_picture(const Change& change) {
  switch (change.quantity) {
    case Quantity::psnr:
    case Quantity::detail:
    case Quantity::flicker: return "quality.png";
    case Quantity::verdict: return fault_picture(change.rule);
    case Quantity::cost: return "panels.png";
    case Quantity::mean_error:
    case Quantity::rms_error:
    case Quantity::band_anisotropy: return "lod-error.png";
  }
  return "";
}

JunitSuite junit_suite(const Report& report, const std::vector<Verdict>& verdicts,
                       const BaselineComparison* comparison, const std::string& pictures,
                       double seconds) {
  JunitSuite suite;
  suite.name = "kestrel-report: " + report.driver.renderer;
  suite.seconds = seconds;
  suite.properties.emplace_back("renderer", report.driver.renderer);
  for (const auto& entry : provenance_entries(report.provenance)) suite.properties.push_back(entry);
  for (const Verdict& verdict : verdicts) {
    std::string rule = rule_name(verdict.rule);
    std::replace(rule.begin(), rule.end(), ' ', '_');
    JunitCase c;
    c.classname = "kestrel." + rule;
    c.name = verdict.subject;
    if (verdict.expected_fail && !verdict.pass) {
      // An expected failure is no news.
      c.skipped = true;
      c.message = "expected to fail: " + verdict.reason;
    } else if (verdict.expected_fail) {
      // A fixed one is, so that the list gets updated.
      c.failed = true;
      c.message = "fixed: expected to fail, passes";
      c.text = verdict_id(verdict) + " is fixed: it passes (" + verdict.reason +
               "); take it off the expectations file";
    } else if (!verdict.pass) {
      c.failed = true;
      c.message = verdict.reason;
      c.text = verdict_key(verdict) + ": " + verdict.reason;
    }
    if (c.failed) c.attachment = picture_path(pictures, fault_picture(verdict.rule));
    suite.cases.push_back(c);
  }
  if (comparison)
    for (const Change& change : comparison->changes) {
      if (change.movement != Movement::regressed) continue;
      JunitCase c;
      c.classname = "kestrel.regression";
      c.name = change_name(change);
      c.failed = true;
      c.message = change_description(change);
      c.text = c.message + ", against the baseline " + comparison->file;
      c.attachment = picture_path(pictures, fault_picture(change));
      suite.cases.push_back(c);
    }
  return suite;
}

std::string junit_xml(const JunitSuite& suite) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" +
                    attribute("name", "kestrel-report") + counts(suite) + ">\n  <testsuite" +
                    attribute("name", suite.name) + counts(suite) + ">\n    <properties>\n";
  for (const auto& [name, value] : suite.properties)
    xml += "      <property" + attribute("name", name) + attribute("value", value) + "/>\n";
  xml += "    </properties>\n";
  for (const JunitCase& c : suite.cases) xml += case_xml(c);
  return xml + "  </testsuite>\n</testsuites>\n";
}
