// A report's provenance in words: the command line as a shell reads it back, the time in ISO 8601,
// and each member as report.json names it, for the JUnit file's properties, report.md and
// regressions.md.
#pragma once

#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "report/model/report.h"

// The arguments joined by spaces, each as a POSIX shell reads it back: as it is where it holds
// only letters, digits and the characters of paths and options that no shell treats specially
// (_ @ % + = : , . / -), else in single quotes, each ' in it written '\''. An empty argument is ''.
std::string command_line_text(const std::vector<std::string>& arguments);

// `time` in UTC as ISO 8601 to the second: "2026-12-07T13:49:44Z".
std::string utc_time_text(std::time_t time);

// Every member of `provenance` as report.json names it, with its value in words, in the order of
// report.json: "schema_version" first.
std::vector<std::pair<std::string, std::string>> provenance_entries(const Provenance& provenance);

// The provenance as a Markdown list item: "- `title`:" and under it a member a line, as
// provenance_entries names them, each value a table cell's text (markdown_cell).
std::string provenance_markdown(const std::string& title, const Provenance& provenance);
