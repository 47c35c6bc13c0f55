// The command line of kestrel-report.
#include "report/run/options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include <getopt.h>

#include "base/text_format.h"

const char* const report_usage =
    "Usage: kestrel-report [--out DIR] [--angles LIST] [--aniso LIST] [--lod-bias B]\n"
    "                      [--repeats N] [--api gl|vulkan|reference]\n"
    "                      [--platform auto|egl|glx]\n"
    "                      [--device N] [--tolerance T] [--junit FILE] [--check]\n"
    "                      [--baseline PATH] [--expectations FILE] [--write-expectations FILE]\n"
    "                      [--texture PNG] [--wait SECONDS]\n"
    "       kestrel-report --compare DIR DIR... [--out DIR] [--wait SECONDS]\n"
    "\n"
    "Measures the driver's anisotropic filtering: draws the test's panels into a framebuffer\n"
    "of its own, through GL with a window on the X display (GLX) or with no window system at\n"
    "all (EGL), or through Vulkan with no window system, reads them back, decodes the mipmap\n"
    "level every pixel samples from the colour-mipmap texture, compares it with the level\n"
    "the filtering extension's formulas give, turns the plane about the viewing axis to see\n"
    "whether every direction is filtered alike, compares the filtered picture of a detailed\n"
    "texture with the ideal filter's (elliptical weighted average) for error, detail kept\n"
    "and flicker, times each configuration's draw, and writes into DIR:\n"
    "  report.html       one page for a browser: the verdicts in colour, the pictures, the\n"
    "                    charts and the tables, all inside the page, nothing fetched\n"
    "  report.md         the driver, the settings, what it does in plain words, and the tables\n"
    "  report.json       every number of report.md, after the schema version and where the\n"
    "                    report comes from: Kestrel's version, the UTC time, the command line,\n"
    "                    the host, the API, the platform and the device\n"
    "  summary.md        the driver's section of a comparison of drivers (make drivers)\n"
    "  panels.png        the eight panels as the interactive test shows them at start-up\n"
    "  lod-measured.png  the measured mip level of every pixel, in false colour\n"
    "  lod-error.png     measured minus reference level per 2 x 2 quad, in false colour\n"
    "  angles.svg        effective anisotropy against the turn, a polar chart per filter\n"
    "  quality.png       the ideal picture, each panel's picture and its difference from it\n"
    "  regressions.md    with --baseline: what regressed, improved and changed against it,\n"
    "                    and each panel's figures and each verdict beside the baseline's\n"
    "With --compare it measures nothing and writes into DIR compare.md, the reports side by\n"
    "side, compare.svg, their angle curves on one chart, and compare.html, both on one page.\n"
    "\n"
    "Options, each value also as --name=VALUE (the one way to give a value that starts with --);\n"
    "-- ends them:\n"
    "  --out DIR       the output folder (default ./kestrel-report), created when missing\n"
    "  --angles LIST   the turns about the viewing axis in degrees, counter-clockwise: numbers\n"
    "                  and ranges FROM:TO:STEP, comma-separated (default 0:90:5)\n"
    "  --aniso LIST    the AF levels to measure, comma-separated, each 1 or more (default 1,2,4,8\n"
    "                  and the driver's advertised maximum where it is above 8); isotropic (1)\n"
    "                  is always measured, levels above the maximum are measured at the maximum\n"
    "  --lod-bias B    the texture LOD bias of every measurement, -2 to 2 (default 0)\n"
    "  --repeats N     the most rounds of timing, 1 to 1000 (default 200)\n"
    "  --api A         the graphics API to measure through: gl (default) or vulkan (a Vulkan\n"
    "                  1.1 device drawing offscreen: the same scene, samplers set as GL's\n"
    "                  textures are; VK_INSTANCE_LAYERS=VK_LAYER_KHRONOS_validation validates\n"
    "                  it, each message of the layers printed on standard error) or\n"
    "                  reference (no driver: the anisotropic filtering extension's formula\n"
    "                  drawn on the CPU, which passes every verdict)\n"
    "  --platform P    where the GL context comes from: glx (a window on the X display), egl\n"
    "                  (no window system: EGL's device platform, else its surfaceless one) or\n"
    "                  auto (default: glx where an X display opens, else egl)\n"
    "  --device N      run on EGL device N, or with --api vulkan on Vulkan device N (0 is the\n"
    "                  first), instead of the first that works\n"
    "  --tolerance T   how far, in levels, a quad may lie coarser than the isotropic level\n"
    "                  before it counts against its panel's reach verdict, 0 to 4 (default\n"
    "                  0.25); a panel's mean error may move as far from the baseline's\n"
    "  --junit FILE    also write the verdicts, and the regressions against the baseline, to\n"
    "                  FILE as JUnit XML, one test case each, the provenance as properties and\n"
    "                  each failure's picture attached ([[ATTACHMENT|path]]: lod-error.png,\n"
    "                  panels.png for a unit, quality.png for the image quality)\n"
    "  --texture PNG   measure the image quality with this picture instead of the generated\n"
    "                  test texture, scaled down to powers of two (at most 256) by a box filter\n"
    "  --check         exit with 4 when a figure regressed against its baseline, else with 3\n"
    "                  when any verdict fails that is not expected to (else 0); improvements\n"
    "                  alone do not count\n"
    "  --expectations FILE  the verdicts expected to fail, one a line: its id (as report.md\n"
    "                  shows it) and pass or fail, # comments, blank lines; those not listed\n"
    "                  are expected to pass. With --check only unexpected results count: a\n"
    "                  failure not expected, or a fixed verdict, expected to fail but passing\n"
    "                  (named on standard error, in report.md and in the JUnit file)\n"
    "  --write-expectations FILE  write this run's verdicts to FILE as an expectations file\n"
    "  --baseline PATH compare the run with an earlier report of the same AF levels, LOD bias\n"
    "                  and angles (its folder or its report.json): a figure further from its\n"
    "                  ideal by more than its limit regressed, nearer improved, moved but\n"
    "                  neither changed (a verdict PASS to FAIL regressed; a mean error by the\n"
    "                  tolerance; an effective anisotropy by 10 %; PSNR by 1 dB; detail and\n"
    "                  flicker, ideally 1, by 0.1); one from another renderer, driver version\n"
    "                  or Kestrel version is a warning\n"
    "  --compare DIR...  measure nothing: put two report folders or more side by side, the\n"
    "                  arguments that are no options and every argument after --\n"
    "  --wait SECONDS  while another kestrel-report run writes into the same output folder,\n"
    "                  JUnit file's folder or expectations file's folder, wait this long for\n"
    "                  it to finish (default 600; 0 refuses at once), then write the whole\n"
    "                  report; the lock goes with the run that holds it, however it ends\n"
    "  --quiet         print only warnings, errors and the closing line\n"
    "  --list-devices  print each EGL device: its number, its DRM device file or \"software\",\n"
    "                  and the renderer of a GL context made on it; with --api vulkan each\n"
    "                  Vulkan device: its number, name, driver and type; then exit\n"
    "  --version       print the version and exit\n"
    "  -h, --help      print this text and exit\n"
    "\n"
    "Progress goes to standard error. Exit status: 0 done, 1 no GL context or Vulkan device,\n"
    "no required extension, a Vulkan call that fails, a file that cannot be written, or a\n"
    "baseline (or one of a later schema), compared report, texture or expectations file that\n"
    "cannot be read (a malformed line, or an id of no verdict of the run, named with its line),\n"
    "2 a bad option, a device that is not there or a baseline of other settings, 3 with --check\n"
    "an unexpected result: a verdict that fails and is not expected to, or one expected to fail\n"
    "that passes, 4 with --check a regression against the baseline.\n";

const char* const report_version = "kestrel-report " KESTREL_VERSION "\n";

namespace {

// A whole finite number, or false.
bool read_number(const std::string& text, double& number) {
  if (text.empty()) return false;
  char* end = nullptr;
  number = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(number);
}

// A finite number from `low` to `high`, or false.
bool read_within(const std::string& text, double low, double high, double& number) {
  return read_number(text, number) && number >= low && number <= high;
}

// A whole number from `low` to `high`, or false.
bool read_whole(const std::string& text, int low, int high, int& whole) {
  double value = 0.0;
  if (!read_within(text, low, high, value) || value != std::floor(value)) return false;
  whole = static_cast<int>(value);
  return true;
}

// Splits at every comma; an empty text gives one empty item.
std::vector<std::string> comma_items(const std::string& list) {
  std::vector<std::string> items(1);
  for (const char c : list) {
    if (c == ',')
      items.emplace_back();
    else
      items.back() += c;
  }
  return items;
}

bool read_angles(const std::string& list, std::vector<double>& angles, std::string& error) {
  angles.clear();
  for (const std::string& item : comma_items(list)) {
    const std::size_t first = item.find(':'), second = item.find(':', first + 1);
    double from = 0.0, to = 0.0, step = 1.0;
    const bool range = first != std::string::npos;
    const bool read =
        range ? second != std::string::npos && read_number(item.substr(0, first), from) &&
                    read_number(item.substr(first + 1, second - first - 1), to) &&
                    read_number(item.substr(second + 1), step) && step > 0.0 && from <= to
              : read_number(item, from);
    if (!read) {
      error = "--angles: \"" + item + "\" is no angle and no range FROM:TO:STEP";
      return false;
    }
    if (!range) to = from;
    // The steps are counted, not summed, so that 0:90:5 ends exactly at 90.
    for (int k = 0; from + k * step <= to + 1e-9 * step; ++k) {
      const double angle = from + k * step;
      if (std::fabs(angle) > max_angle || static_cast<int>(angles.size()) >= max_angles) {
        error = format_text("--angles: at most %d angles from -%g to %g degrees", max_angles,
                            max_angle, max_angle);
        return false;
      }
      angles.push_back(angle);
    }
  }
  return true;
}

bool read_anisotropy(const std::string& list, std::vector<float>& levels, std::string& error) {
  levels.clear();
  for (const std::string& item : comma_items(list)) {
    double level = 0.0;
    if (!read_number(item, level) || level < 1.0 || level > max_anisotropy_asked) {
      error = format_text("--aniso: \"%s\" is no AF level from 1 to %g", item.c_str(),
                          double(max_anisotropy_asked));
      return false;
    }
    levels.push_back(static_cast<float>(level));
  }
  return true;
}

bool read_lod_bias(const std::string& text, float& bias, std::string& error) {
  double value = 0.0;
  if (!read_within(text, -max_lod_bias, max_lod_bias, value)) {
    error = format_text("--lod-bias: \"%s\" is no bias from -%g to %g", text.c_str(),
                        double(max_lod_bias), double(max_lod_bias));
    return false;
  }
  bias = static_cast<float>(value);
  return true;
}

bool read_repeats(const std::string& text, int& repeats, std::string& error) {
  if (read_whole(text, 1, max_repeats, repeats)) return true;
  error = format_text("--repeats: \"%s\" is no count from 1 to %d", text.c_str(), max_repeats);
  return false;
}

bool read_api(const std::string& text, Api& api, std::string& error) {
  if (text == "gl" || text == "vulkan" || text == "reference") {
    api = text == "vulkan" ? Api::vulkan : text == "reference" ? Api::reference : Api::gl;
    return true;
  }
  error = "--api: \"" + text + "\" is none of gl, vulkan and reference";
  return false;
}

bool read_platform(const std::string& text, Platform& platform, std::string& error) {
  if (text == "auto" || text == "egl" || text == "glx") {
    platform = text == "egl" ? Platform::egl : text == "glx" ? Platform::glx : Platform::automatic;
    return true;
  }
  error = "--platform: \"" + text + "\" is none of auto, egl and glx";
  return false;
}

bool read_device(const std::string& text, int& device, std::string& error) {
  if (read_whole(text, 0, max_device, device)) return true;
  error = format_text("--device: \"%s\" is no device number from 0 to %d", text.c_str(),
                      max_device);
  return false;
}

// The codes getopt_long gives the long options, past every character of a short one ("-h").
enum Code : int {
  code_out = 256, code_angles, code_aniso, code_lod_bias, code_repeats, code_api, code_platform,
  code_device, code_tolerance, code_junit, code_baseline, code_texture, code_expectations,
  code_write_expectations, code_wait, code_check,
  code_compare, code_quiet, code_list_devices, code_version, code_help
};

const option long_options[] = {{"out", required_argument, nullptr, code_out},
                               {"angles", required_argument, nullptr, code_angles},
                               {"aniso", required_argument, nullptr, code_aniso},
                               {"lod-bias", required_argument, nullptr, code_lod_bias},
                               {"repeats", required_argument, nullptr, code_repeats},
                               {"api", required_argument, nullptr, code_api},
                               {"platform", required_argument, nullptr, code_platform},
                               {"device", required_argument, nullptr, code_device},
                               {"tolerance", required_argument, nullptr, code_tolerance},
                               {"junit", required_argument, nullptr, code_junit},
                               {"baseline", required_argument, nullptr, code_baseline},
                               {"texture", required_argument, nullptr, code_texture},
                               {"expectations", required_argument, nullptr, code_expectations},
                               {"write-expectations", required_argument, nullptr,
                                code_write_expectations},
                               {"wait", required_argument, nullptr, code_wait},
                               {"check", no_argument, nullptr, code_check},
                               {"compare", optional_argument, nullptr, code_compare},
                               {"quiet", no_argument, nullptr, code_quiet},
                               {"list-devices", no_argument, nullptr, code_list_devices},
                               {"version", no_argument, nullptr, code_version},
                               {"help", no_argument, nullptr, code_help},
                               {nullptr, 0, nullptr, 0}};

// "--name" of the long option of `code`.
std::string option_name(int code) {
  for (const option& o : long_options)
    if (o.name && o.val == code) return std::string("--") + o.name;
  return "";
}

// The message of option `name` given without its value.
std::string missing_value(const std::string& name) {
  return name + (name == "--out"        ? " needs a folder name"
                 : name == "--baseline" ? " needs a report folder or file"
                 : name == "--texture"  ? " needs a PNG file"
                 : name == "--junit" || name == "--expectations" || name == "--write-expectations"
                     ? " needs a file name"
                     : " needs a value");
}

// Takes the value of the option of `code` into `options`.
bool read_value(int code, const std::string& value, ReportOptions& options, std::string& error) {
  switch (code) {
    case code_angles:
      return read_angles(value, options.angles, error);
    case code_aniso:
      return read_anisotropy(value, options.anisotropy, error);
    case code_lod_bias:
      return read_lod_bias(value, options.lod_bias, error);
    case code_repeats:
      return read_repeats(value, options.repeats, error);
    case code_api:
      return read_api(value, options.api, error);
    case code_platform:
      return read_platform(value, options.platform, error);
    case code_device:
      return read_device(value, options.device, error);
    case code_tolerance:
      if (read_within(value, 0.0, max_tolerance, options.tolerance)) return true;
      error = format_text("--tolerance: \"%s\" is no tolerance from 0 to %g levels",
                          value.c_str(), max_tolerance);
      return false;
    case code_wait:
      if (read_within(value, 0.0, max_wait, options.wait)) return true;
      error = format_text("--wait: \"%s\" is no time from 0 to %g seconds", value.c_str(),
                          max_wait);
      return false;
    default:  // the options that name a file or folder
      if (value.empty()) {
        error = missing_value(option_name(code));
        return false;
      }
      (code == code_out            ? options.out
       : code == code_junit        ? options.junit
       : code == code_baseline     ? options.baseline
       : code == code_expectations ? options.expectations
       : code == code_texture      ? options.texture
                                   : options.write_expectations) = value;
      return true;
  }
}

// The option of `argument`, "--name=VALUE" or "--name", without its value.
std::string name_in(const char* argument) {
  const std::string text = argument;
  return text.substr(0, text.find('='));
}

// The long option that getopt_long gave as `code`, held to how it was written: unknown,
// abbreviated, given a value it takes none of, or without the value it needs, it is refused with
// `error`; else its name is `name`.
bool checked_name(int code, const char* const* argv, std::string& name, std::string& error) {
  // An unknown short option, or an unknown or ambiguous long one.
  if (code == '?' && optopt < code_out) {
    error = "unknown option \"" +
        (optopt ? std::string("-") + char(optopt) : name_in(argv[optind - 1])) + "\"";
    return false;
  }
  // Else a long option, given as "--name=VALUE", "--name" or "--name VALUE".
  const bool value_apart = code != '?' && code != ':' && optarg && optarg == argv[optind - 1];
  name = option_name(code == '?' || code == ':' ? optopt : code);
  const std::string given = name_in(argv[optind - (value_apart ? 2 : 1)]);
  if (given != name) {
    error = "unknown option \"" + given + "\"";
    return false;
  }
  if (code == '?') {
    error = name + " takes no value";
    return false;
  }
  // A value apart that starts with "--" is the next option.
  if (code == ':' || (value_apart && std::strncmp(optarg, "--", 2) == 0)) {
    error = missing_value(name);
    return false;
  }
  return true;
}

// Takes the option of `code`, a switch, --compare's folder or a value, into `options`.
bool take_option(int code, ReportOptions& options, std::string& error) {
  if (code == code_help || code == code_version || code == code_list_devices ||
      code == code_quiet || code == code_check) {
    (code == code_help           ? options.help
     : code == code_version      ? options.version
     : code == code_list_devices ? options.list_devices
     : code == code_quiet        ? options.quiet
                                 : options.check) = true;
    return true;
  }
  if (code == code_compare) {
    if (optarg) options.compare.emplace_back(optarg);
    return true;
  }
  return read_value(code, optarg, options, error);
}

// Whether the options read make one command: those of the GL platform and devices with an API
// that has them, and --compare with two folders or more and nothing to measure.
bool options_agree(const ReportOptions& options, bool comparing, bool platform_given,
                   const std::string& measuring_option, std::string& error) {
  if (platform_given && options.api != Api::gl) {
    error = std::string("--platform picks GL's window system: ") +
            (options.api == Api::vulkan ? "Vulkan draws without any, so --api vulkan"
                                        : "the reference renderer draws without any, so --api "
                                          "reference") +
            " takes none";
    return false;
  }
  if (options.device >= 0 && options.api == Api::reference) {
    error = "--device picks an EGL or Vulkan device: --api reference draws on the CPU";
    return false;
  }
  if (options.device >= 0 && options.platform == Platform::glx) {
    error = "--device picks an EGL device: it needs --platform egl or auto";
    return false;
  }
  if (comparing && options.compare.size() < 2) {
    error = "--compare needs two report folders or more";
    return false;
  }
  if (comparing && !measuring_option.empty()) {
    error = "--compare measures nothing: it takes --out and --wait, not " + measuring_option;
    return false;
  }
  return true;
}

}  // namespace

ReportOptions::ReportOptions() {
  for (int degrees = 0; degrees <= 90; degrees += 5) angles.push_back(degrees);
}

// getopt_long does the reading, in order ("-": every argument that is no option comes back as
// code 1, and those after "--" are left at optind), with a code of its own for a missing value
// (":") and without messages of its own. Its unique abbreviations are refused, so that a
// misspelt option is named as it was given and a command line keeps its meaning when options
// are added.
bool parse_report_options(int argc, const char* const* argv, ReportOptions& options,
                          std::string& error) {
  // In order, getopt_long moves no argument: neither the array nor the strings change.
  char* const* const arguments = const_cast<char* const*>(argv);
  optind = 0;  // starts GNU getopt afresh, as every command line is read from its start
  opterr = 0;
  std::vector<std::string> others;  // the arguments that are no options
  std::string measuring_option;     // the first option given that --compare cannot take
  bool comparing = false;
  bool platform_given = false;
  for (;;) {
    int index = -1;
    const int code = getopt_long(argc, arguments, "-:h", long_options, &index);
    if (code == -1) break;
    if (code == 1) {
      others.emplace_back(optarg);
      continue;
    }
    if (code == 'h') {
      options.help = true;
      continue;
    }
    std::string name;
    if (!checked_name(code, argv, name, error)) return false;
    platform_given = platform_given || code == code_platform;
    if (code != code_out && code != code_help && code != code_version && code != code_quiet &&
        code != code_list_devices && code != code_compare && code != code_wait &&
        measuring_option.empty())
      measuring_option = name;
    comparing = comparing || code == code_compare;
    if (!take_option(code, options, error)) return false;
  }
  others.insert(others.end(), argv + optind, argv + argc);
  if (!comparing && !others.empty()) {
    error = "unexpected argument \"" + others.front() + "\": only --compare takes folders";
    return false;
  }
  options.compare.insert(options.compare.end(), others.begin(), others.end());
  return options_agree(options, comparing, platform_given, measuring_option, error);
}
