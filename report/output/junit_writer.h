// The report's verdicts as a JUnit XML file, which CI systems show as tests: one test case per
// verdict, the figures in the failure message.
#pragma once

#include <string>
#include <vector>

#include "report/output/verdicts.h"

// The JUnit XML text of `verdicts`: one test suite named after `renderer`, one test case per
// verdict (classname "kestrel.<rule>", named after its subject), a failure element with the
// verdict's reason for each verdict that fails unexpectedly, a skipped element with it for each
// that fails as expected, and a failure element naming it fixed for each that passes where it
// was expected to fail. The counts of failures and skipped are those of the elements.
std::string junit_xml(const std::vector<Verdict>& verdicts, const std::string& renderer);
