// The report's verdicts, and its regressions against a baseline, as a JUnit XML file, which CI
// systems show as tests: one test case per verdict and per regression, the figures in the
// failure message, the picture that shows a failure attached, and the run's provenance as the
// suite's properties.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report/judge/baseline.h"
#include "report/judge/verdicts.h"
#include "report/model/report.h"

// One test case of the JUnit file.
struct JunitCase {
  std::string classname;   // "kestrel.<rule>" with spaces as "_", or "kestrel.regression"
  std::string name;        // what it holds to account: a panel, a unit, a figure
  bool failed = false;     // a failure, or a verdict expected to fail that passes: fixed
  bool skipped = false;    // a verdict that fails as expected
  std::string message;     // of the failure or the skip: its figures in one line
  std::string text;        // of the failure: what failed and why
  std::string attachment;  // the picture that shows the failure, as the JUnit file's folder
                           // reaches it; empty: none
};

// One test suite: the run on one driver.
struct JunitSuite {
  std::string name;
  double seconds = 0.0;  // the run's, until the files were written
  std::vector<std::pair<std::string, std::string>> properties;  // name and value
  std::vector<JunitCase> cases;
};

// The picture of a report folder that shows where a verdict of `rule` fails: "panels.png" for a
// unit, whose pictures show there alone, else "lod-error.png", where each quad's level lies
// against its reference.
const char* fault_picture(Rule rule);

// The picture that shows where `change` regressed: "quality.png" for the image quality, that of
// the verdict's rule for a verdict, "panels.png", the panels whose draws were timed, for a cost,
// else "lod-error.png".
const char* fault_picture(const Change& change);

// The suite of a run: named after the renderer, taking `seconds`, with the properties "renderer"
// and every member of the provenance (provenance_entries); a case per verdict, in order
// ("kestrel.<rule>", named after its subject): failing where it fails unexpectedly, skipped where
// it fails as expected, and failing as fixed where it passes but was expected to fail; then, with
// a `comparison`, a failing case per regressed change ("kestrel.regression", named change_name).
// Each failing case attaches its fault_picture in the folder `pictures` (as the JUnit file's
// folder reaches the report folder).
JunitSuite junit_suite(const Report& report, const std::vector<Verdict>& verdicts,
                       const BaselineComparison* comparison, const std::string& pictures,
                       double seconds);

// The JUnit XML text of `suite`, every text escaped for XML: <testsuites> around one
// <testsuite>, the counts (tests, failures, skipped) and times on both, <properties>, and each
// case's time, 0 (a run measures its panels together, and no case has a time apart); a failing
// case holds <failure> and names its picture in <system-out> as "[[ATTACHMENT|path]]", the form
// CI systems take attachments in; a skipped one holds <skipped>.
std::string junit_xml(const JunitSuite& suite);
