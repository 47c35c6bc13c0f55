// One run of measurements through a SceneRenderer: the panels on one unit, the AF 8 panels on
// every unit, the panels turned by every angle, their image quality and the cost of each draw,
// gathered into the report's records. Knows no graphics API.
#pragma once

#include <vector>

#include "image/rgb_image.h"
#include "interact/pose.h"
#include "report/model/report.h"
#include "report/model/run_times.h"
#include "report/model/scene_renderer.h"

// The sub-pixel steps of the flicker measure: the plane moved by 0, 1/8, ..., 7/8 of a pixel
// along the way it recedes.
inline constexpr int quality_offsets = 8;

// Draws each of `configs` seen in `view` through `renderer` one after the other, announcing each
// on standard error first when `announce` is set, then measures their pixels (measure_pixels
// with the panel geometry of `view`) on every core, adding the time to times.analysis. In the
// order of `configs`.
std::vector<PanelMeasurement> measure_configurations(SceneRenderer& renderer,
                                                     const std::vector<PanelConfig>& configs,
                                                     const SceneView& view, int width,
                                                     int height, RunTimes& times,
                                                     bool announce = false);

// Measures through `renderer`, each `width` × `height` pixels seen in `view` with the LOD bias
// `options` ask for: the panels of both filters at each AF level on one unit; the AF 8 panels
// once per unit the driver offers; the same panels as the first with the plane turned by each
// angle of `options`; their image quality with `quality_picture` (options.texture, or the
// generated test texture where that is empty) against the ideal filter's pictures at
// quality_offsets sub-pixel offsets; and the cost of each panel's draw (measure_costs), in
// options.repeats rounds at most, with the renderer's clock. Adds the time of its phases to
// `times` and writes progress lines to standard error, unless options.quiet.
Report measure_report(SceneRenderer& renderer, const MeasureSettings& options,
                      const SceneView& view, int width, int height,
                      const RgbImage& quality_picture, RunTimes& times);
