// The verdicts written as JUnit XML against their expectations, every text escaped for XML.
#include "report/output/junit_writer.h"

#include <algorithm>

#include "report/output/text_format.h"

std::string junit_xml(const std::vector<Verdict>& verdicts, const std::string& renderer) {
  const std::size_t expected_failures = static_cast<std::size_t>(
      std::count_if(verdicts.begin(), verdicts.end(),
                    [](const Verdict& v) { return v.expected_fail && !v.pass; }));
  const std::string counts =
      format_text("tests=\"%zu\" failures=\"%zu\" skipped=\"%zu\"", verdicts.size(),
                  unexpected_count(verdicts), expected_failures);
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"kestrel-report\" " + counts +
      ">\n  <testsuite name=\"kestrel-report: " + xml_escaped(renderer) + "\" " + counts + ">\n";
  for (const Verdict& verdict : verdicts) {
    std::string rule = rule_name(verdict.rule);
    std::replace(rule.begin(), rule.end(), ' ', '_');
    xml += "    <testcase classname=\"kestrel." + rule + "\" name=\"" +
           xml_escaped(verdict.subject) + "\"";
    if (verdict.pass && !verdict.expected_fail) {
      xml += "/>\n";
      continue;
    }
    if (verdict.expected_fail) {
      // An expected failure is no news; a fixed one is, so that the list gets updated.
      xml += verdict.pass
                 ? ">\n      <failure message=\"fixed: expected to fail, passes\">" +
                       xml_escaped(verdict_id(verdict) + " is fixed: it passes (" +
                                   verdict.reason + "); take it off the expectations file") +
                       "</failure>\n    </testcase>\n"
                 : ">\n      <skipped message=\"expected to fail: " +
                       xml_escaped(verdict.reason) + "\"/>\n    </testcase>\n";
      continue;
    }
    xml += ">\n      <failure message=\"" + xml_escaped(verdict.reason) + "\">" +
           xml_escaped(std::string(rule_name(verdict.rule)) + ": " + verdict.subject + ": " +
                       verdict.reason) +
           "</failure>\n    </testcase>\n";
  }
  return xml + "  </testsuite>\n</testsuites>\n";
}
