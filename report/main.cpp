// The kestrel-report executable: the anisotropic filtering test measured and written to files.
#include <cstdio>
#include <string>

#include "report/run/options.h"
#include "report/run/report_run.h"

int main(int argc, char** argv) {
  ReportOptions options;
  std::string error;
  if (!parse_report_options(argc, argv, options, error)) {
    std::fprintf(stderr, "kestrel-report: %s\nTry \"kestrel-report --help\".\n", error.c_str());
    return 2;
  }
  if (options.help || options.version) {
    std::fputs(options.help ? report_usage : report_version, stdout);
    return 0;
  }
  if (options.list_devices) return list_devices(options.api);
  return options.compare.empty() ? run_report(options, argc, argv) : run_comparison(options);
}
