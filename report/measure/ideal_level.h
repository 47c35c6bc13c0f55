// The mipmap level a pixel ought to sample, from its texel derivatives alone: the isotropic
// level of core GL, the level of anisotropic filtering in its continuous form, and the sharpest
// level the anisotropic filtering extension allows.
#pragma once

#include "report/measure/plane_footprint.h"

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

// The footprint's true axes: the lengths of the longest and the shortest texel vector that a
// one-pixel step in any screen direction gives, the singular values of the Jacobian
// [dudx dudy; dvdx dvdy]. Unlike Pmax and Pmin they do not change when the screen turns.
struct FootprintAxes {
  double major = 0.0, minor = 0.0;
};

// The axes of a footprint with the derivatives `d`.
FootprintAxes footprint_axes(const TexelDerivatives& d);

// The rotation-invariant ideal level under the maximum anisotropy `max_anisotropy`:
// log2(max(minor, major / max_anisotropy)), the continuous form of the extension's formula taken
// along the footprint's true axes instead of the screen's; log2(major) for 1. -infinity for a
// footprint without extent.
double invariant_level(const FootprintAxes& axes, double max_anisotropy);

// The level that GL_LINEAR_MIPMAP_NEAREST samples at level `lambda` by the core rule:
// ceil(lambda + 1/2) - 1, and 0 up to lambda = 1/2 (magnification samples level 0 as well),
// clamped to 0 .. max_level.
int nearest_mip_level(double lambda, int max_level);

// The level the alternative rounding of the core rule picks, floor(lambda + 1/2), clamped to
// 0 .. max_level. It differs from nearest_mip_level only at exact half levels.
int nearest_mip_level_rounded_up(double lambda, int max_level);
