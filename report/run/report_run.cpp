// One whole run of kestrel-report: through GL or Vulkan from the start-up to the last file, the
// devices listed, or reports compared.
#include "report/run/report_run.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/startup.h"
#include "app/test_state.h"
#include "base/json_reader.h"
#include "base/text_format.h"
#include "glh/glh_platform.h"
#include "image/file_output.h"
#include "report/draw/gl_scene_renderer.h"
#include "report/draw/reference_scene_renderer.h"
#include "report/draw/render_target.h"
#include "report/run/run_files.h"
#include "report/schema/stored_report.h"
#include "report/text/comparison.h"
#include "report/text/html_pages.h"
#include "scene/panel_layout.h"
#include "scene/scene.h"
#if KESTREL_VULKAN
#include "report/run/vulkan_run.h"
#endif

namespace {

constexpr const char* name = report_program;

#if !KESTREL_VULKAN
// The failure of --api vulkan in a build without Vulkan.
int no_vulkan() {
  std::fprintf(stderr, "%s: --api vulkan: this kestrel-report was built without Vulkan\n", name);
  return 1;
}
#endif

// Draws into the report's own framebuffer (the window's back buffer where the driver has none
// and there is a window), the units' `pictures` on them, and measures and writes the report.
// The GL state is set up.
int measure_and_write_gl(const ReportOptions& options, const RunInputs& inputs,
                         std::string context, bool window, const std::vector<RgbImage>& pictures,
                         const std::vector<std::string>& warnings) {
  // As large as the test's window, which panels.png shows whole.
  const ReportFramebuffer framebuffer(test_window_width, test_window_height);
  RenderTarget target = framebuffer.target();
  if (framebuffer.bound()) {
    context += ", drawn into a framebuffer object";
  } else if (window) {
    target = window_back_buffer(test_window_width, test_window_height);
    context += ", drawn into the window's back buffer (the driver has no framebuffer objects)";
  } else {
    std::fprintf(stderr,
                 "%s: the driver has no framebuffer objects, which drawing without a "
                 "window needs\n",
                 name);
    return 1;
  }
  // GLUT's own font where the test's window exists, as the test draws it.
  const SceneView view = start_view(start_zoom);
  GlSceneRenderer renderer(run_times(), target, window ? OverlayFont::glut : OverlayFont::captured,
                           test_state, pictures, view);
  return measure_and_write(renderer, options, inputs, context, view, warnings);
}

// The usage error of a --device that EGL does not list, with the devices it does.
int no_such_device(int device) {
  const std::vector<std::string> devices = egl_device_names();
  std::vector<std::string> listed;
  for (std::size_t i = 0; i < devices.size(); ++i)
    listed.push_back(format_text("%zu: %s", i, devices[i].c_str()));
  return unlisted_device("EGL", device, listed);
}

// The run through GL: the context, the GL state the panels need, the measurement and the files.
int run_gl_report(const ReportOptions& options, RunInputs& inputs, char* program) {
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
  if (glx) open_test_window(program, test_state);
  if (!set_up_gl_state(test_state, false)) return 1;
  std::vector<std::string> warnings;
  const std::vector<RgbImage> pictures = read_unit_pictures_warning(warnings);
  const double start_up = seconds_so_far();

  inputs.provenance.api = "OpenGL";
  inputs.provenance.platform = glx ? "GLX" : "EGL";
  inputs.provenance.device = options.device;
  inputs.provenance.device_name = glx ? display_name() : offscreen.device_name();
  const int status = measure_and_write_gl(
      options, inputs,
      glx ? "GLX, a window on the X display \"" + std::string(display_name()) + "\""
          : "EGL, " + offscreen.description(),
      glx, pictures, warnings);
  return end_run(status, options.out, start_up);
}

// The run on the reference renderer: no device, no window system, the formula on the CPU.
int run_reference_report(const ReportOptions& options, RunInputs& inputs) {
  std::vector<std::string> warnings;
  const std::vector<RgbImage> pictures = read_unit_pictures_warning(warnings);
  inputs.provenance.api = "reference";
  inputs.provenance.platform = "none";
  inputs.provenance.device_name = "CPU";
  ReferenceSceneRenderer renderer(run_times(), pictures);
  const double start_up = seconds_so_far();
  const int status = measure_and_write(
      renderer, options, inputs,
      "no window system: the anisotropic filtering extension's formula drawn on the CPU",
      start_view(start_zoom), warnings);
  return end_run(status, options.out, start_up);
}

}  // namespace

int run_report(const ReportOptions& options, int argc, char** argv) {
  // A baseline or an expectations file that cannot be used ends the run before any GL context
  // or Vulkan device is made.
  RunInputs inputs;
  if (!read_run_inputs(options, argc, argv, inputs)) return 1;
  if (options.api == Api::gl) return run_gl_report(options, inputs, argv[0]);
  if (options.api == Api::reference) return run_reference_report(options, inputs);
#if KESTREL_VULKAN
  return run_vulkan_report(options, inputs);
#else
  return no_vulkan();
#endif
}

int list_devices(Api api) {
  if (api == Api::reference) {
    std::printf("0: CPU: reference renderer\n");
    return 0;
  }
  if (api == Api::vulkan) {
#if KESTREL_VULKAN
    return print_vulkan_devices();
#else
    return no_vulkan();
#endif
  }
  const std::vector<std::string> devices = egl_device_names();
  if (devices.empty()) std::fprintf(stderr, "%s: EGL lists no devices\n", name);
  for (std::size_t i = 0; i < devices.size(); ++i) {
    OffscreenContext context;
    std::string error;
    std::string renderer;
    if (context.open(static_cast<int>(i), error)) {
      renderer = gl_renderer_name();
      if (renderer.empty()) renderer = "(no renderer string)";
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
  order_by_driver(reports);
  ReportFolder files(out, ReportKind::comparison);
  if (!open_folder(files, options.wait)) return 1;
  for (ComparedReport& report : reports) {
    const std::filesystem::path folder = std::filesystem::path(report.stored.file).parent_path();
    report.folder = path_from(folder, out);
    std::string summary_error;
    if (!read_file_limited((folder / "summary.md").string(), max_json_size, report.summary,
                           summary_error))
      report.summary.clear();
  }
  const std::string markdown = comparison_markdown(reports);
  const std::string svg = comparison_svg(reports);
  if (!write_text(files, out / "compare.md", markdown) ||
      !write_text(files, out / "compare.svg", svg) ||
      !write_text(files, out / "compare.html", comparison_html(markdown, svg)) ||
      !commit(files, options.quiet))
    return 1;
  std::fprintf(stderr, "%s: the comparison of %zu reports is in %s (compare.md)\n", name,
               reports.size(), out.c_str());
  return 0;
}
