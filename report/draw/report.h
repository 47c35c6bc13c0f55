// The report: every measurement of one run on one driver, and what they show in plain words.
#pragma once

#include <string>
#include <vector>

#include "report/draw/driver_info.h"
#include "report/draw/panel_cost.h"
#include "report/measure/angle_sweep.h"
#include "report/measure/image_quality.h"
#include "report/measure/panel_measurement.h"

// What a run measures, as the command line sets it.
struct MeasureSettings {
  std::vector<double> angles;     // the turns of the angle sweep, in degrees
  std::vector<float> anisotropy;  // the AF levels; empty: 1, 2, 4, 8 and the driver's
                                  // advertised maximum where it is above 8
  float lod_bias = 0.0f;          // GL_TEXTURE_LOD_BIAS of every measurement
  int repeats = 31;               // the timed draws of each configuration
  std::string texture;            // the picture the image quality is measured with; empty: the
                                  // generated test texture
};

// The image quality of the panels against the ideal filter, with the test texture on unit 0.
struct QualityReport {
  std::string texture;  // "generated test texture", or the file of the user's picture
  int texture_width = 0, texture_height = 0;  // as measured: each side a power of two
  int offsets = 0;                            // the sub-pixel steps of the flicker measure
  double step_x = 0.0, step_y = 0.0;          // one step, in pixels: the way the plane recedes
  std::int64_t taps = 0;                      // the ideal pictures' texels weighed, in all
  double reference_seconds = 0.0;             // the time the ideal pictures took
  IdealPicture ideal;                         // at the first offset
  std::vector<PanelQuality> panels;           // in the order of Report::panels
};

// The AF 8 panels measured once per texture unit in use, against unit 0.
struct UnitMeasurement {
  int unit = 0;
  PanelMeasurement trilinear, bilinear;
  // The mean |level difference| from unit 0 over the quads both measured.
  double trilinear_difference = 0.0, bilinear_difference = 0.0;
  bool matches_unit_0 = true;  // both differences within level_tolerance
};

struct Report {
  DriverInfo driver;
  std::string platform;  // where it ran: the window system, the display or device, the buffer
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
  QualityReport quality;
};

// The anisotropy of the per-unit measurements.
inline constexpr float unit_anisotropy = 8.0f;

// The AF levels a run measures on a driver that advertises `max_anisotropy`: those `asked`, or
// 1, 2, 4, 8 and the maximum where it is above 8 when none are; each above the maximum taken
// as the maximum, as the driver takes it; 1 added, as every comparison needs the isotropic
// panels; in increasing order, each once.
std::vector<float> anisotropy_levels(const std::vector<float>& asked, float max_anisotropy);

// The mean |level difference| between the decisive quads of `a` and the same quads of `b`, over
// the quads that both measured; 0 when there are none.
double mean_level_difference(const PanelMeasurement& a, const PanelMeasurement& b);

// Measures, each `width` × `height` pixels with the LOD bias `options` ask for: the panels of
// both filters at each AF level on one unit; the AF 8 panels once per unit in use; the same
// panels as the first with the plane turned by each angle of `options`; their image quality
// with `quality_picture` (options.texture, or the generated test texture where that is empty);
// and the cost of each panel's draw, timed options.repeats times. Writes progress lines to
// standard error. Needs the test started.
Report measure_report(const MeasureSettings& options, int width, int height,
                      const RgbImage& quality_picture);
