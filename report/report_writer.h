// The report's text files: report.json with every number, and report.md, the readable summary
// with the driver's strings, the findings in plain words and the tables.
#pragma once

#include <string>
#include <vector>

#include "report/report.h"

// report.json: the driver, the panel size, the thresholds, each panel's and each unit's
// statistics with their distance bands, and the findings.
std::string report_json(const Report& report, const std::vector<std::string>& findings);

// report.md: the same as a summary for people, with the pictures linked.
std::string report_markdown(const Report& report, const std::vector<std::string>& findings);

// Writes `text` to the file at `path`, replacing it; false when it cannot be written whole.
bool write_text_file(const std::string& path, const std::string& text);
