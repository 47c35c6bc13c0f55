// One whole run of kestrel-report, from the start-up to the last file.
#include "report/report_run.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "app/panels.h"
#include "app/platform.h"
#include "app/startup.h"
#include "app/test_objects.h"
#include "app/test_state.h"
#include "glh/glh_platform.h"
#include "image/box_filter.h"
#include "image/file_output.h"
#include "image/read_png.h"
#include "image/unit_pictures.h"
#include "image/write_png.h"
#include "interact/navigators.h"
#include "report/draw/gl_scene_renderer.h"
#include "report/draw/render_target.h"
#include "report/measure/parallel_for.h"
#include "report/measure/quality_texture.h"
#include "report/measure/report_measurement.h"
#include "report/model/run_times.h"
#include "report/model/scene.h"
#include "report/output/angle_chart.h"
#include "report/output/baseline.h"
#include "report/output/comparison.h"
#include "report/output/findings.h"
#include "report/output/json_reader.h"
#include "report/output/junit_writer.h"
#include "report/output/report_folder.h"
#include "report/output/report_pictures.h"
#include "report/output/report_writer.h"
#include "report/output/text_format.h"
#include "report/output/verdicts.h"
#if KESTREL_VULKAN
#include "report/draw/vulkan/vk_device.h"
#include "report/draw/vulkan/vk_scene_renderer.h"
#endif

namespace {

constexpr const char* name = "kestrel-report";

// Where this run's time went, for its closing line.
RunTimes run_times;

// Opens `files` for writing; when it cannot, says why.
bool open_folder(ReportFolder& files) {
  std::string error;
  if (files.open(error)) return true;
  std::fprintf(stderr, "%s: %s\n", name, error.c_str());
  return false;
}

// Stages `path` in `files` through `write`; when it cannot, says so.
bool write_file(ReportFolder& files, const std::filesystem::path& path, const FileWriter& write) {
  const PhaseTimer timer(run_times, &RunTimes::writing);
  if (files.stage(path, write)) return true;
  std::fprintf(stderr, "%s: cannot write \"%s\"\n", name, path.c_str());
  return false;
}

bool write_picture(ReportFolder& files, const std::filesystem::path& path,
                   const RgbImage& picture) {
  return write_file(files, path,
                    [&picture](const std::string& staged) { return write_png(staged, picture); });
}

bool write_text(ReportFolder& files, const std::filesystem::path& path, const std::string& text) {
  return write_file(files, path,
                    [&text](const std::string& staged) { return write_text_file(staged, text); });
}

// Puts the files staged in `files` in their places at once and names each unless `quiet`; when
// it cannot, says why.
bool commit(ReportFolder& files, bool quiet) {
  const PhaseTimer timer(run_times, &RunTimes::writing);
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

// The figures of `report`, composed in memory on every core and then staged in `files`.
bool write_pictures(ReportFolder& files, const std::filesystem::path& out, const Report& report) {
  const struct {
    const char* file;
    RgbImage (*compose)(const Report&);
  } figures[] = {{"lod-measured.png", measured_levels_figure},
                 {"lod-error.png", level_errors_figure},
                 {"quality.png", quality_figure}};
  std::vector<RgbImage> composed(std::size(figures), RgbImage(0, 0));
  {
    const PhaseTimer timer(run_times, &RunTimes::pictures);
    parallel_for(static_cast<int>(std::size(figures)),
                 [&](int i) { composed[i] = figures[i].compose(report); });
  }
  for (std::size_t i = 0; i < std::size(figures); ++i)
    if (!write_picture(files, out / figures[i].file, composed[i])) return false;
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

bool write_texts(ReportFolder& files, const std::filesystem::path& out, const Report& report,
                 const std::vector<Verdict>& verdicts, const std::string& junit,
                 const BaselineComparison* baseline) {
  const std::vector<Finding> findings = describe_findings(report);
  const std::string title =
      "Effective anisotropy against the turn about the viewing axis: " + report.driver.renderer;
  return write_text(files, out / "angles.svg", angle_chart_svg(report.angle_sweeps, title)) &&
         write_text(files, out / "report.json",
                    report_json(report, findings, verdicts, baseline)) &&
         write_text(files, out / "report.md", report_markdown(report, findings, verdicts)) &&
         write_text(files, out / "summary.md", summary_markdown(report, findings, verdicts)) &&
         (!baseline ||
          write_text(files, out / "regressions.md", regressions_markdown(*baseline))) &&
         (junit.empty() ||
          write_text(files, junit, junit_xml(verdicts, report.driver.renderer)));
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

// Checks the run's settings against any baseline, then measures the panels through `renderer`
// in `view` and writes every file, which replace the earlier report's together at the end.
int measure_and_write(SceneRenderer& renderer, const ReportOptions& options,
                      const std::filesystem::path& out, const std::string& platform,
                      const SceneView& view, const StoredReport* baseline,
                      const RgbImage& quality_picture, const std::vector<std::string>& warnings) {
  const std::vector<float> levels =
      anisotropy_levels(options.anisotropy, renderer.driver().max_anisotropy);
  if (baseline && !same_settings(*baseline, options, levels)) return 2;
  ReportFolder files(out, ReportKind::measured, options.junit);
  if (!open_folder(files)) return 1;
  const PanelViewport panel = panel_viewport(panels[0], 4, test_window_width, test_window_height);
  RgbImage window_picture(0, 0);
  {
    const PhaseTimer timer(run_times, &RunTimes::pictures);
    window_picture = renderer.test_window();
  }
  if (!write_picture(files, out / "panels.png", window_picture)) return 1;
  Report report = measure_report(renderer, options, view, panel.width, panel.height,
                                 quality_picture, run_times);
  report.platform = platform;
  report.warnings = warnings;
  report.tolerance = options.tolerance;
  const std::vector<Verdict> verdicts = judge_report(report);
  BaselineComparison comparison;
  if (baseline) comparison = compare_with_baseline(*baseline, report, verdicts);
  if (!write_pictures(files, out, report) ||
      !write_texts(files, out, report, verdicts, options.junit,
                   baseline ? &comparison : nullptr) ||
      !commit(files, options.quiet))
    return 1;
  const std::size_t failed = failed_count(verdicts);
  if (!options.quiet)
    std::fprintf(stderr, "%s: %zu of %zu verdicts fail\n", name, failed, verdicts.size());
  if (baseline && !options.quiet)
    std::fprintf(stderr, "%s: %s against the baseline \"%s\" (regressions.md)\n", name,
                 comparison.regressed ? "regressed" : "no regression", baseline->file.c_str());
  if (!options.check) return 0;
  return comparison.regressed ? 4 : failed > 0 ? 3 : 0;
}

// Draws into the report's own framebuffer (the window's back buffer where the driver has none
// and there is a window) and measures and writes the report. The scene is set up.
int measure_and_write_gl(const ReportOptions& options, const std::filesystem::path& out,
                         std::string platform, bool window, const StoredReport* baseline,
                         const RgbImage& quality_picture,
                         const std::vector<std::string>& warnings) {
  // As large as the test's window, which panels.png shows whole.
  const ReportFramebuffer framebuffer(test_window_width, test_window_height);
  RenderTarget target = framebuffer.target();
  if (framebuffer.bound()) {
    platform += ", drawn into a framebuffer object";
  } else if (window) {
    target = {GL_BACK, test_window_width, test_window_height};
    platform += ", drawn into the window's back buffer (the driver has no framebuffer objects)";
  } else {
    std::fprintf(stderr,
                 "%s: the driver has no framebuffer objects, which drawing without a "
                 "window needs\n",
                 name);
    return 1;
  }
  // GLUT's own font where the test's window exists, as the test draws it.
  GlSceneRenderer renderer(run_times, target, window ? OverlayFont::glut : OverlayFont::captured);
  return measure_and_write(renderer, options, out, platform, navigators_view(), baseline,
                           quality_picture, warnings);
}

// The closing line of a run that began at `start` and was set up `start_up` later.
void tell_run_times(const std::filesystem::path& out,
                    std::chrono::steady_clock::time_point start,
                    std::chrono::duration<double> start_up) {
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  const RunTimes& t = run_times;
  std::fprintf(stderr,
               "%s: the report is in %s (report.md), made in %.1f s: start-up %.2f s, rendering "
               "%.2f s, read-back %.2f s, analysis %.2f s, ideal pictures %.2f s, cost timing %.2f "
               "s, pictures %.2f s, writing %.2f s\n",
               name, out.c_str(), seconds.count(), start_up.count(), t.rendering, t.read_back,
               t.analysis, t.reference, t.cost, t.pictures, t.writing);
}

#if KESTREL_VULKAN
// "0: llvmpipe (LLVM 15.0.6, 256 bits), llvmpipe, Mesa 22.3.6 (LLVM 15.0.6), CPU, Vulkan
// 1.3.230": a Vulkan device's line of --list-devices and of the usage error of a missing one.
std::string vulkan_device_line(std::size_t index, const VulkanDeviceDescription& device) {
  return format_text("%zu: %s, %s, %s, Vulkan %s", index, device.name.c_str(),
                     device.driver.c_str(), device.type.c_str(),
                     vulkan_version_text(device.api_version).c_str());
}

// The run through Vulkan: the device, the units' pictures, the renderer, the measurement and
// the files. Every message of the layers has already been printed; their count ends the run.
int run_vulkan_report(const ReportOptions& options, std::chrono::steady_clock::time_point start,
                      const StoredReport* baseline, const RgbImage& quality_picture) {
  VulkanDevice device;
  std::string error;
  if (!device.open(options.device, error)) {
    std::vector<VulkanDeviceDescription> devices;
    std::string list_error;
    if (options.device >= 0 && list_vulkan_devices(devices, list_error) &&
        options.device >= static_cast<int>(devices.size())) {
      std::string listed;
      for (std::size_t i = 0; i < devices.size(); ++i)
        listed += "\n  " + vulkan_device_line(i, devices[i]);
      std::fprintf(stderr, "%s: --device %d: Vulkan lists %s%s\n", name, options.device,
                   devices.empty() ? "no devices" : "these devices:", listed.c_str());
      return 2;
    }
    std::fprintf(stderr, "%s: no Vulkan device: %s\n", name, error.c_str());
    return 1;
  }
  std::vector<std::string> warnings;
  const std::vector<RgbImage> pictures = read_unit_pictures(&warnings);
  for (const std::string& warning : warnings)
    std::fprintf(stderr, "%s: warning: %s\n", name, warning.c_str());
  int status = 1;
  std::chrono::duration<double> start_up{};
  try {
    VkSceneRenderer renderer(device, run_times, pictures);
    start_up = std::chrono::steady_clock::now() - start;
    const VulkanDeviceDescription& described = device.description();
    const std::string platform = format_text(
        "Vulkan %s, no window system, device %d: %s (%s, %s), drawn into an image of its own, "
        "each draw timed %s",
        vulkan_version_text(described.api_version).c_str(), device.index(),
        described.name.c_str(), described.type.c_str(), described.driver.c_str(),
        renderer.timing());
    status = measure_and_write(renderer, options, options.out, platform, start_view(start_zoom),
                               baseline, quality_picture, warnings);
  } catch (const VulkanError& failure) {
    std::fprintf(stderr, "%s: %s\n", name, failure.what());
    return 1;
  }
  if (device.messages() > 0)
    std::fprintf(stderr, "%s: warning: the Vulkan layers printed %d messages\n", name,
                 device.messages());
  if (status == 1 || status == 2) return status;
  tell_run_times(options.out, start, start_up);
  return status;
}
#endif

// The usage error of a --device that EGL does not list, with the devices it does.
int no_such_device(int device) {
  std::string listed;
  const std::vector<std::string> devices = egl_device_names();
  for (std::size_t i = 0; i < devices.size(); ++i)
    listed += format_text("\n  %zu: %s", i, devices[i].c_str());
  std::fprintf(stderr, "%s: --device %d: EGL lists %s%s\n", name, device,
               devices.empty() ? "no devices" : "these devices:", listed.c_str());
  return 2;
}

}  // namespace

int run_report(const ReportOptions& options, char* program) {
  const auto start = std::chrono::steady_clock::now();
  // A baseline that cannot be used ends the run before any GL context is made.
  StoredReport baseline;
  std::string baseline_error;
  if (!options.baseline.empty() &&
      !read_stored_report(options.baseline, baseline, baseline_error)) {
    std::fprintf(stderr, "%s: --baseline: %s\n", name, baseline_error.c_str());
    return 1;
  }
  RgbImage quality_picture(0, 0);
  if (!load_quality_picture(options.texture, quality_picture)) return 1;
  const StoredReport* const used_baseline = options.baseline.empty() ? nullptr : &baseline;
  if (options.api == Api::vulkan) {
#if KESTREL_VULKAN
    return run_vulkan_report(options, start, used_baseline, quality_picture);
#else
    std::fprintf(stderr, "%s: --api vulkan: this kestrel-report was built without Vulkan\n",
                 name);
    return 1;
#endif
  }
  const bool glx = options.platform == Platform::glx || (options.platform == Platform::automatic &&
                                                         options.device < 0 && display_available());
  if (glx && !display_available()) {
    std::fprintf(stderr, "%s: --platform glx: %s\n", name, display_problem().c_str());
    return 1;
  }
  OffscreenContext offscreen;
  if (!glx) {
    std::string error;
    if (!offscreen.open(options.device, error)) {
      if (options.device >= int(egl_device_names().size())) return no_such_device(options.device);
      std::fprintf(stderr, "%s: no GL context: %s%s\n", name,
                   options.platform == Platform::automatic ? "no X display opens, and " : "",
                   error.c_str());
      return 1;
    }
    glh::use_window_system(glh::WindowSystem::egl);
  }
  char* test_argv[] = {program, nullptr};
  std::vector<std::string> warnings;
  if (glx ? !start_test(1, test_argv, false, &warnings) : !set_up_test_scene(false, &warnings))
    return 1;
  for (const std::string& warning : warnings)
    std::fprintf(stderr, "%s: warning: %s\n", name, warning.c_str());
  if (!glx) configure_interactors(test_state);
  const std::chrono::duration<double> start_up = std::chrono::steady_clock::now() - start;

  const std::filesystem::path out = options.out;
  const int status = measure_and_write_gl(
      options, out,
      glx ? "GLX, a window on the X display \"" + std::string(display_name()) + "\""
          : "EGL, " + offscreen.description(),
      glx, used_baseline, quality_picture, warnings);
  // Without a window nothing else gives the GL names back before the context ends.
  if (!glx) release_test_objects();
  if (status == 1 || status == 2) return status;
  tell_run_times(out, start, start_up);
  return status;
}

int list_devices(Api api) {
  if (api == Api::vulkan) {
#if KESTREL_VULKAN
    std::vector<VulkanDeviceDescription> devices;
    std::string error;
    if (!list_vulkan_devices(devices, error)) {
      std::fprintf(stderr, "%s: no Vulkan: %s\n", name, error.c_str());
      return 1;
    }
    if (devices.empty()) std::fprintf(stderr, "%s: Vulkan lists no devices\n", name);
    for (std::size_t i = 0; i < devices.size(); ++i)
      std::printf("%s\n", vulkan_device_line(i, devices[i]).c_str());
    return 0;
#else
    std::fprintf(stderr, "%s: --api vulkan: this kestrel-report was built without Vulkan\n",
                 name);
    return 1;
#endif
  }
  const std::vector<std::string> devices = egl_device_names();
  if (devices.empty()) std::fprintf(stderr, "%s: EGL lists no devices\n", name);
  for (std::size_t i = 0; i < devices.size(); ++i) {
    OffscreenContext context;
    std::string error;
    std::string renderer;
    if (context.open(static_cast<int>(i), error)) {
      const GLubyte* const text = glGetString(GL_RENDERER);
      renderer = text ? reinterpret_cast<const char*>(text) : "(no renderer string)";
    } else {
      renderer = "no GL context: " + error;
    }
    std::printf("%zu: %s: %s\n", i, devices[i].c_str(), renderer.c_str());
  }
  return 0;
}

int run_comparison(const ReportOptions& options) {
  const std::filesystem::path out = options.out;
  std::vector<ComparedReport> reports;
  for (std::string path : options.compare) {
    ComparedReport report;
    std::string error;
    if (!read_stored_report(path, report.stored, error)) {
      std::fprintf(stderr, "%s: --compare: %s\n", name, error.c_str());
      return 1;
    }
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    report.name = path;
    reports.push_back(std::move(report));
  }
  ReportFolder files(out, ReportKind::comparison);
  if (!open_folder(files)) return 1;
  for (ComparedReport& report : reports) {
    const std::filesystem::path folder = std::filesystem::path(report.stored.file).parent_path();
    std::error_code error;
    const std::filesystem::path from_out =
        std::filesystem::relative(folder.empty() ? "." : folder, out, error);
    report.folder = error || from_out.empty() ? std::filesystem::absolute(folder, error).string()
                                              : from_out.string();
    std::string summary_error;
    if (!read_file_limited((folder / "summary.md").string(), max_json_size, report.summary,
                           summary_error))
      report.summary.clear();
  }
  if (!write_text(files, out / "compare.md", comparison_markdown(reports)) ||
      !write_text(files, out / "compare.svg", comparison_svg(reports)) ||
      !commit(files, options.quiet))
    return 1;
  std::fprintf(stderr, "%s: the comparison of %zu reports is in %s (compare.md)\n", name,
               reports.size(), out.c_str());
  return 0;
}
