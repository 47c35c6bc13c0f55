// The verdicts written as JUnit XML, every text escaped for XML.
#include "report/output/junit_writer.h"

#include <algorithm>

#include "report/output/text_format.h"

std::string junit_xml(const std::vector<Verdict>& verdicts, const std::string& renderer) {
  const std::string counts =
      format_text("tests=\"%zu\" failures=\"%zu\"", verdicts.size(), failed_count(verdicts));
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"kestrel-report\" " + counts +
      ">\n  <testsuite name=\"kestrel-report: " + xml_escaped(renderer) + "\" " + counts + ">\n";
  for (const Verdict& verdict : verdicts) {
    std::string rule = rule_name(verdict.rule);
    std::replace(rule.begin(), rule.end(), ' ', '_');
    xml += "    <testcase classname=\"kestrel." + rule + "\" name=\"" +
           xml_escaped(verdict.subject) + "\"";
    if (verdict.pass) {
      xml += "/>\n";
      continue;
    }
    xml += ">\n      <failure message=\"" + xml_escaped(verdict.reason) + "\">" +
           xml_escaped(std::string(rule_name(verdict.rule)) + ": " + verdict.subject + ": " +
                       verdict.reason) +
           "</failure>\n    </testcase>\n";
  }
  return xml + "  </testsuite>\n</testsuites>\n";
}
