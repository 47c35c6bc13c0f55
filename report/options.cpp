// The command line of kestrel-report.
#include "report/options.h"

#include <cstring>

const char* const report_usage =
    "Usage: kestrel-report [--out DIR]\n"
    "\n"
    "Measures the driver's anisotropic filtering: draws the test's panels in a window on the\n"
    "current X display, reads them back, decodes the mipmap level every pixel samples from the\n"
    "colour-mipmap texture, compares it with the level the filtering extension's formulas give,\n"
    "and writes into DIR:\n"
    "  report.md         the driver, what it does in plain words, and the tables\n"
    "  report.json       every number of report.md\n"
    "  panels.png        the eight panels as the interactive test shows them at start-up\n"
    "  lod-measured.png  the measured mip level of every pixel, in false colour\n"
    "  lod-error.png     measured minus reference level per 2 x 2 quad, in false colour\n"
    "\n"
    "Options:\n"
    "  --out DIR   the output folder (default ./kestrel-report), created when missing\n"
    "  -h, --help  print this text and exit\n"
    "\n"
    "Progress goes to standard error. Exit status: 0 done, 1 no display, no required\n"
    "extension or a file that cannot be written, 2 a bad option.\n";

bool parse_report_options(int argc, const char* const* argv, ReportOptions& options,
                          std::string& error) {
  constexpr const char out_equals[] = "--out=";
  for (int i = 1; i < argc; ++i) {
    const char* const argument = argv[i];
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
      options.help = true;
    } else if (std::strcmp(argument, "--out") == 0) {
      if (i + 1 >= argc) {
        error = "--out needs a folder name";
        return false;
      }
      options.out = argv[++i];
    } else if (std::strncmp(argument, out_equals, sizeof out_equals - 1) == 0) {
      options.out = argument + sizeof out_equals - 1;
    } else {
      error = std::string("unknown option \"") + argument + "\"";
      return false;
    }
    if (options.out.empty()) {
      error = "--out needs a folder name";
      return false;
    }
  }
  return true;
}
