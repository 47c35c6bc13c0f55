// One whole run of kestrel-report, from the start-up to the last file.
#include "report/report_run.h"

#include <GL/glut.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/panels.h"
#include "app/platform.h"
#include "app/startup.h"
#include "image/write_png.h"
#include "report/findings.h"
#include "report/report.h"
#include "report/report_pictures.h"
#include "report/report_writer.h"

namespace {

constexpr const char* name = "kestrel-report";

bool written(bool ok, const std::filesystem::path& path) {
  if (ok)
    std::fprintf(stderr, "%s: wrote %s\n", name, path.c_str());
  else
    std::fprintf(stderr, "%s: cannot write \"%s\"\n", name, path.c_str());
  return ok;
}

}  // namespace

int run_report(const ReportOptions& options, char* program) {
  const auto start = std::chrono::steady_clock::now();
  if (!display_available()) {
    std::fprintf(stderr,
                 "%s: cannot open the X display \"%s\"; the report draws in a window "
                 "(tools/with-xvfb.sh gives one)\n",
                 name, display_name());
    return 1;
  }
  const std::filesystem::path out = options.out;
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error) {
    std::fprintf(stderr, "%s: cannot create the folder \"%s\": %s\n", name, out.c_str(),
                 error.message().c_str());
    return 1;
  }
  char* test_argv[] = {program, nullptr};
  if (!start_test(1, test_argv, false)) return 1;

  if (!written(write_png((out / "panels.png").string(), capture_test_window()), out / "panels.png"))
    return 1;
  const PanelViewport panel =
      panel_viewport(panels[0], 4, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
  const Report report = measure_report(panel.width, panel.height);
  const std::vector<std::string> findings = describe_findings(report);
  const bool ok =
      written(write_png((out / "lod-measured.png").string(), measured_levels_figure(report)),
              out / "lod-measured.png") &&
      written(write_png((out / "lod-error.png").string(), level_errors_figure(report)),
              out / "lod-error.png") &&
      written(write_text_file((out / "report.json").string(), report_json(report, findings)),
              out / "report.json") &&
      written(write_text_file((out / "report.md").string(), report_markdown(report, findings)),
              out / "report.md");
  if (!ok) return 1;
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  std::fprintf(stderr, "%s: the report is in %s (report.md), made in %.1f s\n", name, out.c_str(),
               seconds.count());
  return 0;
}
