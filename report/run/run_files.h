// A measured run of kestrel-report apart from the API it draws through: what it reads before it
// opens any device, the measurement through a SceneRenderer, and every file staged and put in
// place together, each failure said on standard error.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "image/rgb_image.h"
#include "interact/pose.h"
#include "report/judge/baseline.h"
#include "report/judge/expectations.h"
#include "report/model/report.h"
#include "report/model/run_times.h"
#include "report/model/scene_renderer.h"
#include "report/run/options.h"
#include "report/run/report_folder.h"

// The name that starts every line the program prints.
inline constexpr const char* report_program = "kestrel-report";

// Where the run's time goes, phase by phase, for its closing line.
RunTimes& run_times();

// The seconds since the program started.
double seconds_so_far();

// What a run settles before it opens any device.
struct RunInputs {
  // Kestrel's version, the time, the command line and the host; the API, platform and device
  // are the drawing path's to fill in.
  Provenance provenance;
  std::optional<StoredReport> baseline;      // of --baseline
  std::optional<Expectations> expectations;  // of --expectations
  RgbImage quality_picture{0, 0};            // the picture the image quality is measured with
};

// Reads the inputs `options` name: the baseline, the expectations file and the picture of
// --texture (scaled to powers of two, or the generated test texture), and states the provenance
// of the command line argv (argc arguments, the program first). Returns false, saying why on
// standard error, when one of the files cannot be used.
bool read_run_inputs(const ReportOptions& options, int argc, char** argv, RunInputs& inputs);

// Checks the run's settings against any baseline (status 2 when they differ), then measures the
// panels through `renderer` in `view`, holds the verdicts to any expectations, writes every file
// into options.out, which replace the earlier report's together at the end, and then any
// expectations file asked for. `context` says in words where the run drew, `warnings` what it
// could not do as it should. Returns run_report's status.
int measure_and_write(SceneRenderer& renderer, const ReportOptions& options,
                      const RunInputs& inputs, const std::string& context,
                      const SceneView& view, const std::vector<std::string>& warnings);

// The units' pictures (read_unit_pictures), each warning of a picture that could not be read
// printed on standard error and added to `warnings`.
std::vector<RgbImage> read_unit_pictures_warning(std::vector<std::string>& warnings);

// Ends a run of status `status`: where it wrote the report (any status but 1 and 2), prints the
// closing line, where the report is, how long it took and where the time went, `start_up`
// seconds of it before any drawing. Returns `status`.
int end_run(int status, const std::filesystem::path& out, double start_up);

// The usage error of a --device `device` that `api` ("EGL", "Vulkan") does not list, with
// `listed`, a line per device it does list, each from its number: "0: ...". Returns 2.
int unlisted_device(const char* api, int device, const std::vector<std::string>& listed);

// Opens `files` for writing, waiting at most `wait_seconds` while another run writes into its
// folders and saying so once; when it cannot, says why.
bool open_folder(ReportFolder& files, double wait_seconds);

// Stages `text` in `files` as `path`; when it cannot, says so.
bool write_text(ReportFolder& files, const std::filesystem::path& path, const std::string& text);

// Puts the files staged in `files` in their places at once and names each unless `quiet`; when
// it cannot, says why.
bool commit(ReportFolder& files, bool quiet);

// `target` as a path from the folder `from` where there is one, else as an absolute path.
std::string path_from(const std::filesystem::path& target, const std::filesystem::path& from);
