// The command line of kestrel-report.
#pragma once

#include <string>
#include <vector>

#include "report/model/report.h"

// How the report gets its GL context: a window on the X display (GLX), none at all (EGL), or
// GLX where an X display can be opened and EGL elsewhere.
enum class Platform { automatic, egl, glx };

// The graphics API the report measures the driver through.
// The graphics API a run measures through; reference draws the extension's formula on the CPU.
enum class Api { gl, vulkan, reference };

// The measurement's settings, where it runs and where the results go.
struct ReportOptions : MeasureSettings {
  std::string out = "kestrel-report";  // the output folder, created when missing
  Api api = Api::gl;
  Platform platform = Platform::automatic;  // GL's alone
  int device = -1;  // the EGL or Vulkan device to run on; -1: the first that works
  double tolerance = 0.25;  // how far past the allowed levels a quad may lie, in levels
  std::string junit;        // where to write the verdicts as JUnit XML; empty: nowhere
  bool check = false;       // the exit status tells whether every verdict came out as expected
  std::string baseline;     // an earlier report to compare with: its folder or report.json
  std::string expectations;  // the expectations file --check holds the verdicts to; empty: none
  std::string write_expectations;  // where to write the verdicts as expectations; empty: nowhere
  std::vector<std::string> compare;  // report folders to compare instead of measuring
  // How long to wait, in seconds, while another run writes into the same folder or files; 0:
  // refuse at once.
  double wait = 600.0;
  bool help = false;     // print report_usage and exit
  bool version = false;  // print report_version and exit
  bool list_devices = false;  // print the API's devices and exit

  ReportOptions();  // the angles 0, 5, ..., 90
};

// The limits of the options' values.
inline constexpr int max_angles = 361;
inline constexpr double max_angle = 360.0;  // |degrees|
inline constexpr float max_anisotropy_asked = 1024.0f;
inline constexpr float max_lod_bias = 2.0f;  // |bias|
inline constexpr int max_repeats = 1000;
inline constexpr int max_device = 1000;
inline constexpr double max_tolerance = 4.0;
inline constexpr double max_wait = 86400.0;  // a day, in seconds

// The text of --help: what the program does and every option.
extern const char* const report_usage;
// The line of --version: "kestrel-report" and the project's version.
extern const char* const report_version;

// Reads the arguments after the program name: "--out DIR", "--angles LIST", "--aniso LIST",
// "--lod-bias B", "--repeats N", "--api gl|vulkan", "--platform auto|egl|glx", "--device N",
// "--tolerance T", "--junit FILE", "--baseline PATH", "--expectations FILE",
// "--write-expectations FILE", "--texture PNG" and "--wait SECONDS", each also as "--name=VALUE",
// the flags "--check", "--quiet", "--list-devices", "--version" and "--help" or "-h", and
// "--compare", whose folders are the arguments that are no options (and "--compare=DIR" one
// more). "--" ends the options: every argument after it is no option. A value given apart may
// start with one dash but not with two, as the next option does. Options are never abbreviated.
// LIST is a comma-separated list of numbers; an angle may also be a range FROM:TO:STEP, the
// angles from FROM up to TO in steps of STEP.
// Returns false, with a one-line message in `error`, on an unknown option, an argument that is
// no option without "--compare", a missing value or a value that is not a number or out of its
// limits, on "--device" with "--platform glx", on "--platform" with "--api vulkan", on
// "--compare" with fewer than two folders or with an option that measures; `options` may then be
// partly set.
bool parse_report_options(int argc, const char* const* argv, ReportOptions& options,
                          std::string& error);
