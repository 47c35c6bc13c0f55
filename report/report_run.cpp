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
#include "image/file_output.h"
#include "image/write_png.h"
#include "report/output/angle_chart.h"
#include "report/output/findings.h"
#include "report/draw/report.h"
#include "report/output/report_pictures.h"
#include "report/output/report_writer.h"
#include "report/draw/run_times.h"

namespace {

constexpr const char* name = "kestrel-report";

bool written(bool ok, const std::filesystem::path& path) {
  if (ok)
    std::fprintf(stderr, "%s: wrote %s\n", name, path.c_str());
  else
    std::fprintf(stderr, "%s: cannot write \"%s\"\n", name, path.c_str());
  return ok;
}

bool write_picture(const std::filesystem::path& path, const RgbImage& picture) {
  const PhaseTimer timer(&RunTimes::writing);
  return written(write_png(path.string(), picture), path);
}

bool write_text(const std::filesystem::path& path, const std::string& text) {
  const PhaseTimer timer(&RunTimes::writing);
  return written(write_text_file(path.string(), text), path);
}

// The pictures of `report`, each composed on the driver and then written.
bool write_pictures(const std::filesystem::path& out, const Report& report) {
  RgbImage measured(0, 0), errors(0, 0);
  {
    const PhaseTimer timer(&RunTimes::pictures);
    measured = measured_levels_figure(report);
    errors = level_errors_figure(report);
  }
  return write_picture(out / "lod-measured.png", measured) &&
         write_picture(out / "lod-error.png", errors);
}

bool write_texts(const std::filesystem::path& out, const Report& report) {
  const std::vector<Finding> findings = describe_findings(report);
  const std::string title =
      "Effective anisotropy against the turn about the viewing axis: " + report.driver.renderer;
  return write_text(out / "angles.svg", angle_chart_svg(report.angle_sweeps, title)) &&
         write_text(out / "report.json", report_json(report, findings)) &&
         write_text(out / "report.md", report_markdown(report, findings)) &&
         write_text(out / "summary.md", summary_markdown(report, findings));
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
  const std::chrono::duration<double> start_up = std::chrono::steady_clock::now() - start;

  RgbImage window(0, 0);
  {
    const PhaseTimer timer(&RunTimes::pictures);
    window = capture_test_window();
  }
  if (!write_picture(out / "panels.png", window)) return 1;
  const PanelViewport panel =
      panel_viewport(panels[0], 4, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
  const Report report = measure_report(options, panel.width, panel.height);
  if (!write_pictures(out, report) || !write_texts(out, report)) return 1;
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  const RunTimes& t = run_times;
  std::fprintf(stderr,
               "%s: the report is in %s (report.md), made in %.1f s: start-up %.2f s, rendering "
               "%.2f s, read-back %.2f s, analysis %.2f s, cost timing %.2f s, pictures %.2f s, "
               "writing %.2f s\n",
               name, out.c_str(), seconds.count(), start_up.count(), t.rendering, t.read_back,
               t.analysis, t.cost, t.pictures, t.writing);
  return 0;
}
