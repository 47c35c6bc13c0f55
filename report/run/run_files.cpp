// A run's inputs, its measurement through any renderer and its files, staged and put in place
// together.
#include "report/run/run_files.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <iterator>

#include "base/text_format.h"
#include "image/box_filter.h"
#include "image/file_output.h"
#include "image/read_png.h"
#include "image/unit_pictures.h"
#include "image/write_png.h"
#include "report/judge/findings.h"
#include "report/judge/verdicts.h"
#include "report/measure/parallel_for.h"
#include "report/measure/quality_texture.h"
#include "report/measure/report_measurement.h"
#include "report/pictures/report_pictures.h"
#include "report/schema/report_json.h"
#include "report/schema/stored_report.h"
#include "report/text/angle_chart.h"
#include "report/text/html_pages.h"
#include "report/text/junit_writer.h"
#include "report/text/provenance_text.h"
#include "report/text/regressions.h"
#include "report/text/report_writer.h"
#include "scene/panel_layout.h"
#include "kestrel_build_version.h"

namespace {

constexpr const char* name = report_program;

// When the program started, for the run's time in the closing line and the JUnit file.
const std::chrono::steady_clock::time_point program_start = std::chrono::steady_clock::now();

// Stages `path` in `files` through `write`; when it cannot, says so.
bool write_file(ReportFolder& files, const std::filesystem::path& path, const FileWriter& write) {
  const PhaseTimer timer(run_times(), &RunTimes::writing);
  if (files.stage(path, write)) return true;
  std::fprintf(stderr, "%s: cannot write \"%s\"\n", name, path.c_str());
  return false;
}

// Encodes `picture` as a PNG file into `png`, which report.html embeds too, and stages it in
// `files` at `path`; when it cannot, says so.
bool write_picture(ReportFolder& files, const std::filesystem::path& path,
                   const RgbImage& picture, std::string& png) {
  return write_file(files, path, [&picture, &png](const std::string& staged) {
    return encode_png(picture, png) && write_text_file(staged, png);
  });
}

// The figures of `report`, composed in memory on every core and then staged in `files`, their
// PNG files kept in `pictures`.
bool write_pictures(ReportFolder& files, const std::filesystem::path& out, const Report& report,
                    ReportPictures& pictures) {
  const struct {
    const char* file;
    RgbImage (*compose)(const Report&);
    std::string ReportPictures::*png;
  } figures[] = {{"lod-measured.png", measured_levels_picture, &ReportPictures::levels},
                 {"lod-error.png", level_errors_picture, &ReportPictures::level_errors},
                 {"quality.png", quality_comparison_picture, &ReportPictures::quality}};
  std::vector<RgbImage> composed(std::size(figures), RgbImage(0, 0));
  {
    const PhaseTimer timer(run_times(), &RunTimes::pictures);
    parallel_for(static_cast<int>(std::size(figures)),
                 [&](int i) { composed[i] = figures[i].compose(report); });
  }
  for (std::size_t i = 0; i < std::size(figures); ++i)
    if (!write_picture(files, out / figures[i].file, composed[i], pictures.*figures[i].png))
      return false;
  return true;
}

// The picture the image quality is measured with: the generated test texture, or the PNG `file`
// scaled to powers of two. Returns false, saying why, when the file cannot be read.
bool load_quality_picture(const std::string& file, RgbImage& picture) {
  if (file.empty()) {
    picture = quality_test_texture();
    return true;
  }
  RgbImage loaded(0, 0);
  std::string error;
  if (!read_png_file(file, loaded, error)) {
    std::fprintf(stderr, "%s: --texture: %s\n", name, error.c_str());
    return false;
  }
  picture = scaled_to_power_of_two(loaded, max_quality_texture_size);
  return true;
}

// The text files of `report`, and report.html with `pictures` and angles.svg in it.
bool write_texts(ReportFolder& files, const std::filesystem::path& out, const Report& report,
                 const std::vector<Verdict>& verdicts, const std::filesystem::path& junit,
                 const BaselineComparison* baseline, ReportPictures& pictures) {
  const std::vector<Finding> findings = describe_findings(report);
  const std::string title =
      "Effective anisotropy against the turn about the viewing axis: " + report.driver.renderer;
  pictures.angles_svg = angle_chart_svg(report.angle_sweeps, title);
  return write_text(files, out / "angles.svg", pictures.angles_svg) &&
         write_text(files, out / "report.json",
                    report_json(report, findings, verdicts, baseline)) &&
         write_text(files, out / "report.md", report_markdown(report, findings, verdicts)) &&
         write_text(files, out / "summary.md", summary_markdown(report, findings, verdicts)) &&
         (!baseline ||
          write_text(files, out / "regressions.md", regressions_markdown(*baseline))) &&
         write_text(files, out / "report.html",
                    report_html(report, findings, verdicts, baseline, pictures)) &&
         (junit.empty() ||
          write_text(files, junit,
                     junit_xml(junit_suite(report, verdicts, baseline,
                                           path_from(out, junit.parent_path()),
                                           seconds_so_far()))));
}

// Names on standard error each of `verdicts` that did not come out as `expectations` say.
void name_unexpected(const std::vector<Verdict>& verdicts, const Expectations& expectations) {
  for (const Verdict& verdict : verdicts)
    if (unexpected(verdict))
      std::fprintf(stderr, verdict.pass ? "%s: fixed: %s passes, expected to fail in %s\n"
                                        : "%s: unexpected failure: %s, expected to pass in %s\n",
                   name, verdict_id(verdict).c_str(), expectations.file.c_str());
}

// Whether the baseline was made with the run's settings; when not, says how they differ.
bool same_settings(const StoredReport& baseline, const ReportOptions& options,
                   const std::vector<float>& levels) {
  Report planned;
  planned.anisotropy_levels = levels;
  planned.lod_bias = options.lod_bias;
  planned.angles = options.angles;
  const std::vector<SettingDifference> differences =
      setting_differences({&baseline.report, &planned}, {"baseline", "this run"});
  if (!differences.empty())
    std::fprintf(stderr, "%s: the baseline \"%s\" was made with other settings: %s\n", name,
                 baseline.file.c_str(), differences_text(differences).c_str());
  return differences.empty();
}

// The machine's host name; empty where it has none.
std::string host_name() {
  char host[HOST_NAME_MAX + 1] = "";
  if (gethostname(host, sizeof host - 1) != 0) return "";
  return host;
}

}  // namespace

RunTimes& run_times() {
  static RunTimes times;
  return times;
}

double seconds_so_far() {
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - program_start;
  return seconds.count();
}

bool read_run_inputs(const ReportOptions& options, int argc, char** argv, RunInputs& inputs) {
  inputs.provenance.kestrel_version = KESTREL_BUILD_VERSION;
  inputs.provenance.time = utc_time_text(std::time(nullptr));
  inputs.provenance.command_line = command_line_text({argv, argv + argc});
  inputs.provenance.host = host_name();
  std::string error;
  if (!options.baseline.empty() &&
      !read_stored_report(options.baseline, inputs.baseline.emplace(), error)) {
    std::fprintf(stderr, "%s: --baseline: %s\n", name, error.c_str());
    return false;
  }
  if (!options.expectations.empty() &&
      !read_expectations(options.expectations, inputs.expectations.emplace(), error)) {
    std::fprintf(stderr, "%s: --expectations: %s\n", name, error.c_str());
    return false;
  }
  return load_quality_picture(options.texture, inputs.quality_picture);
}

std::string path_from(const std::filesystem::path& target, const std::filesystem::path& from) {
  const std::filesystem::path place = target.empty() ? "." : target;
  std::error_code error;
  const std::filesystem::path relative =
      std::filesystem::relative(place, from.empty() ? "." : from, error);
  return error || relative.empty() ? std::filesystem::absolute(place, error).string()
                                   : relative.string();
}

int unlisted_device(const char* api, int device, const std::vector<std::string>& listed) {
  std::string lines;
  for (const std::string& line : listed) lines += "\n  " + line;
  std::fprintf(stderr, "%s: --device %d: %s lists %s%s\n", name, device, api,
               listed.empty() ? "no devices" : "these devices:", lines.c_str());
  return 2;
}

bool open_folder(ReportFolder& files, double wait_seconds) {
  LockWait wait{wait_seconds, [wait_seconds](const std::filesystem::path& folder) {
                  std::fprintf(stderr,
                               "%s: another run writes into \"%s\": waiting for it to finish, "
                               "at most %g s (--wait)\n",
                               name, folder.c_str(), wait_seconds);
                }};
  std::string error;
  if (files.open(error, wait)) return true;
  std::fprintf(stderr, "%s: %s\n", name, error.c_str());
  return false;
}

bool write_text(ReportFolder& files, const std::filesystem::path& path, const std::string& text) {
  return write_file(files, path,
                    [&text](const std::string& staged) { return write_text_file(staged, text); });
}

bool commit(ReportFolder& files, bool quiet) {
  const PhaseTimer timer(run_times(), &RunTimes::writing);
  std::string error;
  if (!files.commit(error)) {
    std::fprintf(stderr, "%s: %s\n", name, error.c_str());
    return false;
  }
  if (!quiet)
    for (const std::filesystem::path& path : files.files())
      std::fprintf(stderr, "%s: wrote %s\n", name, path.c_str());
  return true;
}

namespace {

// Writes the verdicts to the --write-expectations file as the expectations of `renderer` at
// `time`.
bool write_expectations(const ReportOptions& options, const std::vector<Verdict>& verdicts,
                        const std::string& renderer, const std::string& time) {
  if (!write_text_file(options.write_expectations, expectations_text(verdicts, renderer, time))) {
    std::fprintf(stderr, "%s: cannot write \"%s\"\n", name, options.write_expectations.c_str());
    return false;
  }
  if (!options.quiet)
    std::fprintf(stderr, "%s: wrote %s\n", name, options.write_expectations.c_str());
  return true;
}

// Says how the verdicts came out against the expectations and the run against its baseline,
// unless quiet, and gives the exit status: with --check 4 where a figure regressed, else 3
// where a verdict is other than expected; else 0.
int outcome(const ReportOptions& options, const std::vector<Verdict>& verdicts,
            const Expectations* expectations, const BaselineComparison* comparison) {
  const std::size_t failed = failed_count(verdicts), unexpected = unexpected_count(verdicts);
  if (expectations) name_unexpected(verdicts, *expectations);
  if (!options.quiet)
    std::fprintf(stderr, "%s: %zu of %zu verdicts fail%s\n", name, failed, verdicts.size(),
                 expectations ? format_text(", %zu results other than expected", unexpected).c_str()
                              : "");
  if (comparison && !options.quiet)
    std::fprintf(stderr, "%s: %s against the baseline \"%s\" (regressions.md)\n", name,
                 movement_summary(*comparison).c_str(), comparison->file.c_str());
  if (!options.check) return 0;
  return comparison && has_regressed(*comparison) ? 4 : unexpected > 0 ? 3 : 0;
}

}  // namespace

int measure_and_write(SceneRenderer& renderer, const ReportOptions& options,
                      const RunInputs& inputs, const std::string& context,
                      const SceneView& view, const std::vector<std::string>& warnings) {
  const std::filesystem::path out = options.out;
  const StoredReport* const baseline = inputs.baseline ? &*inputs.baseline : nullptr;
  const Expectations* const expectations = inputs.expectations ? &*inputs.expectations : nullptr;
  const std::vector<float> levels =
      anisotropy_levels(options.anisotropy, renderer.driver().max_anisotropy);
  if (baseline && !same_settings(*baseline, options, levels)) return 2;
  ReportFolder files(out, ReportKind::measured, options.junit, options.write_expectations);
  if (!open_folder(files, options.wait)) return 1;
  const PanelViewport panel = panel_viewport(panels[0], 4, test_window_width, test_window_height);
  RgbImage window_picture(0, 0);
  {
    const PhaseTimer timer(run_times(), &RunTimes::pictures);
    window_picture = renderer.test_window();
  }
  ReportPictures pictures;
  if (!write_picture(files, out / "panels.png", window_picture, pictures.panels)) return 1;
  Report report = measure_report(renderer, options, view, panel.width, panel.height,
                                 inputs.quality_picture, run_times());
  report.provenance = inputs.provenance;
  report.context = context;
  report.warnings = warnings;
  report.tolerance = options.tolerance;
  std::vector<Verdict> verdicts = judge_report(report);
  std::string expectations_error;
  if (expectations && !apply_expectations(*expectations, verdicts, expectations_error)) {
    std::fprintf(stderr, "%s: --expectations: %s\n", name, expectations_error.c_str());
    return 1;
  }
  BaselineComparison comparison;
  if (baseline) comparison = compare_with_baseline(*baseline, report, verdicts);
  if (!comparison.other_origin.empty())
    std::fprintf(stderr, "%s: warning: the baseline \"%s\" comes from elsewhere: %s\n", name,
                 baseline->file.c_str(), join_words(comparison.other_origin).c_str());
  if (!write_pictures(files, out, report, pictures) ||
      !write_texts(files, out, report, verdicts, options.junit,
                   baseline ? &comparison : nullptr, pictures) ||
      !commit(files, options.quiet))
    return 1;
  if (!options.write_expectations.empty() &&
      !write_expectations(options, verdicts, report.driver.renderer, inputs.provenance.time))
    return 1;
  return outcome(options, verdicts, expectations, baseline ? &comparison : nullptr);
}

std::vector<RgbImage> read_unit_pictures_warning(std::vector<std::string>& warnings) {
  const std::size_t before = warnings.size();
  std::vector<RgbImage> pictures = read_unit_pictures(&warnings);
  for (std::size_t i = before; i < warnings.size(); ++i)
    std::fprintf(stderr, "%s: warning: %s\n", name, warnings[i].c_str());
  return pictures;
}

int end_run(int status, const std::filesystem::path& out, double start_up) {
  if (status == 1 || status == 2) return status;
  const RunTimes& t = run_times();
  std::fprintf(stderr,
               "%s: the report is in %s (report.md), made in %.1f s: start-up %.2f s, rendering "
               "%.2f s, read-back %.2f s, analysis %.2f s, ideal pictures %.2f s, cost timing %.2f "
               "s, pictures %.2f s, writing %.2f s\n",
               name, out.c_str(), seconds_so_far(), start_up, t.rendering, t.read_back,
               t.analysis, t.reference, t.cost, t.pictures, t.writing);
  return status;
}
