// The report: every record of one run on one driver, from the driver's strings to the cost of
// each panel's draw.
#pragma once

#include <string>
#include <vector>

#include "report/model/angle_sweep.h"
#include "report/model/draw_cost.h"
#include "report/model/panel_measurement.h"
#include "report/model/quality.h"

// What the report says about the driver it measured: its strings and the limits it advertises.
// Through GL its strings and GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT; through Vulkan the device's
// vendor ID, name and API version and maxSamplerAnisotropy (VkSceneRenderer::driver).
struct DriverInfo {
  std::string vendor, renderer, version;
  float max_anisotropy = 1.0f;  // the highest AF level the driver takes
  int tmu_count = 1;            // the texture units the test uses (at most four)
};

// What a run measures, as the command line sets it.
struct MeasureSettings {
  std::vector<double> angles;     // the turns of the angle sweep, in degrees
  std::vector<float> anisotropy;  // the AF levels; empty: 1, 2, 4, 8 and the driver's
                                  // advertised maximum where it is above 8
  float lod_bias = 0.0f;          // GL_TEXTURE_LOD_BIAS of every measurement
  int repeats = 200;              // the most rounds of the cost measurement
  std::string texture;            // the picture the image quality is measured with; empty: the
                                  // generated test texture
  bool quiet = false;             // no progress lines: only warnings and errors
};

// The AF 8 panels measured once per texture unit in use, against unit 0.
struct UnitMeasurement {
  int unit = 0;
  PanelMeasurement trilinear, bilinear;
  // The mean |level difference| from unit 0 over the quads both measured.
  double trilinear_difference = 0.0, bilinear_difference = 0.0;
  bool matches_unit_0 = true;  // both differences within level_tolerance
};

// The version of report.json's schema that this program writes and reads; a report that states
// none is of version 1.
inline constexpr int report_schema_version = 4;

// Where a report comes from: what made it, when, on which machine, with which command, and on
// which graphics API, platform and device, so that its files can be traced back.
struct Provenance {
  int schema_version = report_schema_version;  // of report.json
  std::string kestrel_version;  // git's description of the source built, else the project's
  std::string time;             // when the run started, in UTC: "2026-12-07T13:49:44Z"
  std::string command_line;     // the arguments, each quoted where a shell needs it
  std::string host;             // the machine's host name
  std::string api;              // the graphics API: "OpenGL" or "Vulkan"
  std::string platform;         // where the context came from: "EGL" or "GLX"; "none" for
                                // Vulkan, which draws with no window system
  int device = -1;              // the EGL or Vulkan device asked for; -1: the default was taken
  std::string device_name;      // the EGL device's DRM device file, "software" or
                                // "surfaceless"; with GLX, the X display; the Vulkan device's name
};

struct Report {
  Provenance provenance;
  DriverInfo driver;
  std::string context;  // where it drew: the window system or API, the device, the buffer
  std::vector<std::string> warnings;  // what the run could not do as it should, in plain words
  int panel_width = 0, panel_height = 0;
  float lod_bias = 0.0f;                 // of every measurement
  double tolerance = 0.25;               // of the bounds that the report's verdicts hold to
  std::vector<float> anisotropy_levels;  // measured, 1 first, each as the driver takes it
  std::vector<PanelMeasurement> panels;  // trilinear at each level, then bilinear at each level
  std::vector<UnitMeasurement> units;    // one per unit in use, unit 0 first
  std::vector<double> angles;            // the turns of the angle sweeps, in degrees
  TurnDisc disc;                         // where the angle sweeps sum up, in the panel unturned
  std::vector<AngleSweep> angle_sweeps;  // in the order of the panels
  std::vector<DrawCost> costs;           // in the order of the panels
  std::string cost_clock;                // what timed the draws, in words
  QualityReport quality;
};

// The image quality of the panel of `config`'s filter and AF level in `report`, or null where it
// was not measured.
const PanelQuality* panel_quality(const Report& report, const PanelConfig& config);

// The anisotropy of the per-unit measurements.
inline constexpr float unit_anisotropy = 8.0f;

// The AF levels a run measures on a driver that advertises `max_anisotropy`: those `asked`, or
// 1, 2, 4, 8 and the maximum where it is above 8 when none are; each above the maximum taken
// as the maximum, as the driver takes it; 1 added, as every comparison needs the isotropic
// panels; in increasing order, each once.
std::vector<float> anisotropy_levels(const std::vector<float>& asked, float max_anisotropy);

