// The mipmap level a pixel ought to sample, from its texel derivatives alone: the isotropic
// level of core GL, the level of anisotropic filtering in its continuous form, and the sharpest
// level the anisotropic filtering extension allows.
#pragma once

#include "report/plane_footprint.h"

struct IdealLevels {
  double px = 0.0, py = 0.0;      // the footprint's extent along the screen's x and y, in texels
  double pmax = 0.0, pmin = 0.0;  // the larger and the smaller of the two
  double isotropic = 0.0;         // log2(pmax): the level without anisotropic filtering
  double reference = 0.0;         // log2(max(pmin, pmax / max_anisotropy))
  double extension = 0.0;         // log2(pmax / N), N = min(ceil(pmax / pmin), max_anisotropy)
};

// The levels of a footprint with the derivatives `d` under the maximum anisotropy
// `max_anisotropy` (1 for isotropic filtering, which makes all three levels log2(pmax)). The
// levels are not clamped to the texture's levels; a footprint without extent gives -infinity.
IdealLevels ideal_levels(const TexelDerivatives& d, double max_anisotropy);

// The level that GL_LINEAR_MIPMAP_NEAREST samples at level `lambda` by the core rule:
// ceil(lambda + 1/2) - 1, and 0 up to lambda = 1/2 (magnification samples level 0 as well),
// clamped to 0 .. max_level.
int nearest_mip_level(double lambda, int max_level);

// The level the alternative rounding of the core rule picks, floor(lambda + 1/2), clamped to
// 0 .. max_level. It differs from nearest_mip_level only at exact half levels.
int nearest_mip_level_rounded_up(double lambda, int max_level);
