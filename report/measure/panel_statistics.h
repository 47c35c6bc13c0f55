// The numbers that sum up one measured panel: how far its levels stray from the ideal, how much
// is blurrier or sharper than allowed, and the anisotropy it reaches at each distance.
#pragma once

#include <vector>

#include "report/model/panel_measurement.h"

// Sums up the decisive quads of one panel and the pixel classes of its level map. Without
// decisive quads the errors and shares are 0 and the anisotropy 1.
PanelStatistics panel_statistics(const std::vector<QuadLevels>& quads, const LevelMap& levels);

// The share of the pixels of `quads` whose level in `levels` lies more than blend_threshold from
// a whole level: blends of two levels. With `blendable_only`, of the pixels of the decisive quads
// alone that sample between level 0 and the coarsest level, more than blend_threshold from
// either: a pixel at level 0 may be magnified, which blends nothing. 0 for no pixels.
double blended_share(const std::vector<QuadLevels>& quads, const LevelMap& levels,
                     bool blendable_only);

// The mean |level difference| between the decisive quads of `a` and the same quads of `b`, over
// the quads that both measured; 0 when there are none.
double mean_level_difference(const PanelMeasurement& a, const PanelMeasurement& b);

// The mean |ideal level difference| between the decisive quads of `a` and the quads of `b` at
// the same places, over the quads that both hold; 0 when there are none.
double mean_reference_difference(const PanelMeasurement& a, const PanelMeasurement& b);
