// What anisotropic filtering costs: each panel configuration's draw timed on its own, again and
// again, and its median beside the isotropic draw of the same filter.
#pragma once

#include <vector>

#include "image/texture_object.h"
#include "report/measure/panel_measurement.h"
#include "interact/pose.h"
#include "report/model/draw_cost.h"

// The median and quartiles of `times`, each by linear interpolation between the neighbouring
// ranks; all 0 for no times.
TimeSpread time_spread(std::vector<double> times);

// Times the draw of `config` seen in `view` (the plane alone, as render_configuration draws it,
// width × height pixels) `repetitions` times after one draw that warms the driver up. Each time
// runs from a glFinish after the clear to a glFinish after the draw, so that it holds the draw
// whole and nothing else; the clear matters, as a depth buffer left from the last draw would let the
// driver skip every pixel. Needs the test started; repetitions >= 1.
DrawCost time_configuration(const PanelConfig& config, const SceneView& view, int width,
                            int height, TextureObject2D& neutral, int repetitions);

// Sets the relative cost of every entry against the isotropic entry of its filter; entries
// whose filter has no isotropic entry, or one of median 0, keep a relative cost of 1.
void relate_to_isotropic(std::vector<DrawCost>& costs);
