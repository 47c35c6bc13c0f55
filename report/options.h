// The command line of kestrel-report.
#pragma once

#include <string>

struct ReportOptions {
  std::string out = "kestrel-report";  // the output folder, created when missing
  bool help = false;
};

// The text of --help: what the program does and every option.
extern const char* const report_usage;

// Reads the arguments after the program name: "--out DIR" or "--out=DIR", "--help" or "-h".
// Returns false, with a one-line message in `error`, on an unknown argument or a missing or
// empty folder name; `options` may then be partly set.
bool parse_report_options(int argc, const char* const* argv, ReportOptions& options,
                          std::string& error);
