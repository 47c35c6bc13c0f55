// What the report measures of one panel configuration: the level of every pixel, the levels of
// every 2 × 2 quad beside the ideal ones, and the figures that sum them up.
#pragma once

#include <vector>

#include "report/model/level_map.h"
#include "scene/panel_config.h"

// The levels of one 2 × 2 pixel quad, clamped to the texture's levels.
struct QuadLevels {
  int x = 0, y = 0;        // the quad's lower left pixel in the panel
  double eye_depth = 0.0;  // the distance of its centre in front of the eye, in scene units
  double measured = 0.0;   // the mean level of its four pixels
  double reference = 0.0;  // the level the reference asks for (the core rule's for bilinear)
  double sharpest = 0.0;   // the finest level the extension allows (likewise)
  double isotropic = 0.0;  // the level without anisotropic filtering (likewise)
  double major = 0.0;      // log2 of the footprint's true major axis, the isotropic level that
                           // does not change as the screen turns (likewise)
  double invariant = 0.0;  // the rotation-invariant ideal level (likewise)
  // The continuous levels of the extension's finest and of the isotropic filtering, biased and
  // clamped but never rounded, the bounds a driver's level is held to.
  double extension_lambda = 0.0, isotropic_lambda = 0.0;
  double error = 0.0;      // measured - reference, 0 where a bilinear quad meets either rounding
  bool decisive = false;   // the reference lies strictly between level 0 and the coarsest level
                           // before clamping: here a driver's choice can be wrong
};

// Levels closer than this count as equal: the isotropic trilinear panels of Mesa's llvmpipe and
// softpipe drivers read within 0.1 of the reference, with the decoder's 1/255 steps and the
// drivers' level arithmetic both inside that.
inline constexpr double level_tolerance = 0.25;

// A quad more than this blurrier than the reference counts as blurry.
inline constexpr double blurry_threshold = 0.5;

// A pixel further than this from a whole level shows a blend of two levels.
inline constexpr double blend_threshold = 0.1;

// The quads whose centres lie between `near` and `far` in front of the eye.
struct DistanceBand {
  double near = 0.0, far = 0.0;
  int quads = 0;
  double ideal_anisotropy = 1.0;     // 2^mean(isotropic - reference)
  double measured_anisotropy = 1.0;  // 2^mean(isotropic - measured)
};

// The distance bands every panel is summed up in: octaves of eye depth from 1 to 32 units.
inline constexpr double distance_band_edges[] = {1.0, 2.0, 4.0, 8.0, 16.0, 32.0};

// Every error, share and anisotropy below is taken over the decisive quads alone: where the
// reference is clamped to level 0 or to the coarsest level no driver can be wrong, and such
// quads would pull every figure towards zero.
struct PanelStatistics {
  int quads = 0;           // measured
  int decisive_quads = 0;  // of those, the decisive ones
  int pixels = 0;          // measured: four per quad
  int background_pixels = 0;
  int undecodable_pixels = 0;
  int unresolved_pixels = 0;
  double mean_error = 0.0;  // of measured - reference
  double rms_error = 0.0;
  double p95_abs_error = 0.0;         // the 95th percentile of |measured - reference|
  double blurrier_share = 0.0;        // of quads more than blurry_threshold above the reference
  double sharper_share = 0.0;         // of quads more than level_tolerance below the sharpest level
  double blended_share = 0.0;         // of measured pixels more than blend_threshold from a whole
                                      // level: blends of two levels
  double effective_anisotropy = 1.0;  // 2^mean(isotropic - measured)
  double ideal_anisotropy = 1.0;      // 2^mean(isotropic - reference)
  std::vector<DistanceBand> bands;    // the bands that hold quads, nearest first
};

// Everything measured of one configuration.
struct PanelMeasurement {
  PanelConfig config;
  LevelMap levels{0, 0};          // per pixel
  std::vector<QuadLevels> quads;  // the quads whose four pixels all show a resolved level
  PanelStatistics statistics;
};

