// The command line of kestrel-report.
#include "report/options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "report/output/text_format.h"

const char* const report_usage =
    "Usage: kestrel-report [--out DIR] [--angles LIST] [--aniso LIST] [--lod-bias B]\n"
    "                      [--repeats N] [--platform auto|egl|glx] [--device N]\n"
    "                      [--tolerance T] [--junit FILE] [--check] [--baseline PATH]\n"
    "                      [--texture PNG]\n"
    "       kestrel-report --compare DIR DIR... [--out DIR]\n"
    "\n"
    "Measures the driver's anisotropic filtering: draws the test's panels into a framebuffer\n"
    "of its own, with a window on the X display (GLX) or with no window system at all (EGL),\n"
    "reads them back, decodes the mipmap level every pixel samples from the\n"
    "colour-mipmap texture, compares it with the level the filtering extension's formulas give,\n"
    "turns the plane about the viewing axis to see whether every direction is filtered alike,\n"
    "compares the filtered picture of a detailed texture with the ideal filter's (elliptical\n"
    "weighted average) for error, detail kept and flicker, times each configuration's draw,\n"
    "and writes into DIR:\n"
    "  report.md         the driver, the settings, what it does in plain words, and the tables\n"
    "  report.json       every number of report.md\n"
    "  summary.md        the driver's section of a comparison of drivers (make report)\n"
    "  panels.png        the eight panels as the interactive test shows them at start-up\n"
    "  lod-measured.png  the measured mip level of every pixel, in false colour\n"
    "  lod-error.png     measured minus reference level per 2 x 2 quad, in false colour\n"
    "  angles.svg        effective anisotropy against the turn, a polar chart per filter\n"
    "  quality.png       the ideal picture, each panel's picture and its difference from it\n"
    "  regressions.md    with --baseline: each panel's figures and each verdict against it\n"
    "With --compare it measures nothing and writes into DIR compare.md, the reports side by\n"
    "side, and compare.svg, their angle curves on one chart.\n"
    "\n"
    "Options, each value also as --name=VALUE:\n"
    "  --out DIR       the output folder (default ./kestrel-report), created when missing\n"
    "  --angles LIST   the turns about the viewing axis in degrees, counter-clockwise: numbers\n"
    "                  and ranges FROM:TO:STEP, comma-separated (default 0:90:5)\n"
    "  --aniso LIST    the AF levels to measure, comma-separated, each 1 or more (default 1,2,4,8\n"
    "                  and the driver's advertised maximum where it is above 8); isotropic (1)\n"
    "                  is always measured, levels above the maximum are measured at the maximum\n"
    "  --lod-bias B    the texture LOD bias of every measurement, -2 to 2 (default 0)\n"
    "  --repeats N     the timed draws of each configuration, 1 to 1000 (default 31)\n"
    "  --platform P    where the GL context comes from: glx (a window on the X display), egl\n"
    "                  (no window system: EGL's device platform, else its surfaceless one) or\n"
    "                  auto (default: glx where an X display opens, else egl)\n"
    "  --device N      run on EGL device N (0 is the first) instead of the first that works\n"
    "  --tolerance T   how far, in levels, a quad may lie outside the levels the extension\n"
    "                  and core GL allow before it counts against its panel's verdict, 0 to 4\n"
    "                  (default 0.25); a panel's mean error may move as far from the baseline's\n"
    "  --junit FILE    also write the verdicts to FILE as JUnit XML, one test case each\n"
    "  --texture PNG   measure the image quality with this picture instead of the generated\n"
    "                  test texture, scaled down to powers of two (at most 256) by a box filter\n"
    "  --check         exit with 4 when the run regressed against its baseline, else with 3\n"
    "                  when any verdict fails (else 0)\n"
    "  --baseline PATH compare the run with an earlier report of the same AF levels, LOD bias\n"
    "                  and angles (its folder or its report.json): a verdict from PASS to FAIL,\n"
    "                  a mean error moved by more than the tolerance or an effective anisotropy\n"
    "                  fallen by more than 10 % at some distance is a regression\n"
    "  --compare DIR...  measure nothing: put two report folders or more side by side\n"
    "  -h, --help      print this text and exit\n"
    "\n"
    "Progress goes to standard error. Exit status: 0 done, 1 no GL context, no required\n"
    "extension, a file that cannot be written, or a baseline, compared report or texture that\n"
    "cannot be read, 2 a bad option, a device that is not there or a baseline of other settings, 3 with\n"
    "--check a verdict that fails, 4 with --check a regression against the baseline.\n";

namespace {

// A whole finite number, or false.
bool read_number(const std::string& text, double& number) {
  if (text.empty()) return false;
  char* end = nullptr;
  number = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(number);
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
  if (!read_number(text, value) || std::fabs(value) > max_lod_bias) {
    error = format_text("--lod-bias: \"%s\" is no bias from -%g to %g", text.c_str(),
                        double(max_lod_bias), double(max_lod_bias));
    return false;
  }
  bias = static_cast<float>(value);
  return true;
}

bool read_repeats(const std::string& text, int& repeats, std::string& error) {
  double value = 0.0;
  if (!read_number(text, value) || value != std::floor(value) || value < 1.0 ||
      value > max_repeats) {
    error = format_text("--repeats: \"%s\" is no count from 1 to %d", text.c_str(), max_repeats);
    return false;
  }
  repeats = static_cast<int>(value);
  return true;
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
  double value = 0.0;
  if (!read_number(text, value) || value != std::floor(value) || value < 0.0 ||
      value > max_device) {
    error = format_text("--device: \"%s\" is no device number from 0 to %d", text.c_str(),
                        max_device);
    return false;
  }
  device = static_cast<int>(value);
  return true;
}

// The message of option `name` given without its value.
std::string missing_value(const std::string& name) {
  return name + (name == "--out"        ? " needs a folder name"
                 : name == "--junit"    ? " needs a file name"
                 : name == "--baseline" ? " needs a report folder or file"
                 : name == "--texture"  ? " needs a PNG file"
                                        : " needs a value");
}

}  // namespace

ReportOptions::ReportOptions() {
  for (int degrees = 0; degrees <= 90; degrees += 5) angles.push_back(degrees);
}

bool parse_report_options(int argc, const char* const* argv, ReportOptions& options,
                          std::string& error) {
  std::string measuring_option;  // the first option given that --compare cannot take
  bool comparing = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h" || argument == "--check") {
      (argument == "--check" ? options.check : options.help) = true;
      if (argument == "--check" && measuring_option.empty()) measuring_option = argument;
      continue;
    }
    // "--name VALUE" or "--name=VALUE".
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    if (name == "--compare") {
      comparing = true;
      if (equals != std::string::npos) options.compare.push_back(argument.substr(equals + 1));
      while (i + 1 < argc && argv[i + 1][0] != '-') options.compare.push_back(argv[++i]);
      continue;
    }
    const bool takes_value = name == "--out" || name == "--angles" || name == "--aniso" ||
                             name == "--lod-bias" || name == "--repeats" ||
                             name == "--platform" || name == "--device" ||
                             name == "--tolerance" || name == "--junit" || name == "--baseline" ||
                             name == "--texture";
    if (!takes_value) {
      error = "unknown option \"" + argument + "\"";
      return false;
    }
    if (name != "--out" && measuring_option.empty()) measuring_option = name;
    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      error = missing_value(name);
      return false;
    }
    bool ok = true;
    if (name == "--out" || name == "--junit" || name == "--baseline" || name == "--texture") {
      (name == "--out"        ? options.out
       : name == "--junit"    ? options.junit
       : name == "--baseline" ? options.baseline
                              : options.texture) = value;
      ok = !value.empty();
      if (!ok) error = missing_value(name);
    } else if (name == "--angles") {
      ok = read_angles(value, options.angles, error);
    } else if (name == "--aniso") {
      ok = read_anisotropy(value, options.anisotropy, error);
    } else if (name == "--lod-bias") {
      ok = read_lod_bias(value, options.lod_bias, error);
    } else if (name == "--platform") {
      ok = read_platform(value, options.platform, error);
    } else if (name == "--device") {
      ok = read_device(value, options.device, error);
    } else if (name == "--tolerance") {
      ok = read_number(value, options.tolerance) && options.tolerance >= 0.0 &&
           options.tolerance <= max_tolerance;
      if (!ok)
        error = format_text("--tolerance: \"%s\" is no tolerance from 0 to %g levels",
                            value.c_str(), max_tolerance);
    } else {
      ok = read_repeats(value, options.repeats, error);
    }
    if (!ok) return false;
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
    error = "--compare measures nothing: it takes --out alone, not " + measuring_option;
    return false;
  }
  return true;
}
