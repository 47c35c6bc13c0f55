// The anisotropic filtering extension's level selection, evaluated in double precision.
#include "report/measure/ideal_level.h"

#include <algorithm>
#include <cmath>

IdealLevels ideal_levels(const TexelDerivatives& d, double max_anisotropy) {
  // The extension defines, with u and v the texel coordinates of level 0:
  //   Px = sqrt(dudx^2 + dvdx^2)      Py = sqrt(dudy^2 + dvdy^2)
  //   Pmax = max(Px, Py)              Pmin = min(Px, Py)
  //   N = min(ceil(Pmax / Pmin), maxAniso)
  //   lambda' = log2(Pmax / N)
  // and lets an implementation use any lambda between lambda' and log2(Pmax). Its continuous
  // form lambda = log2(max(Pmin, Pmax / maxAniso)) takes the footprint's width, or its length
  // over the anisotropy where that is the larger, without the rounding of N: the reference the
  // report measures against.
  IdealLevels levels;
  levels.px = std::hypot(d.dudx, d.dvdx);
  levels.py = std::hypot(d.dudy, d.dvdy);
  levels.pmax = std::max(levels.px, levels.py);
  levels.pmin = std::min(levels.px, levels.py);
  levels.isotropic = std::log2(levels.pmax);
  levels.reference = std::log2(std::max(levels.pmin, levels.pmax / max_anisotropy));
  // A footprint without width (pmin 0) takes every probe the anisotropy allows.
  const double probes = levels.pmin > 0.0
                            ? std::min(std::ceil(levels.pmax / levels.pmin), max_anisotropy)
                            : max_anisotropy;
  levels.extension = std::log2(levels.pmax / probes);
  return levels;
}

FootprintAxes footprint_axes(const TexelDerivatives& d) {
  // For J = [a b; c d] the singular values are (s + t) / 2 and |s - t| / 2 with
  // s = |(a + d, c - b)| and t = |(a - d, c + b)|: J is the sum of a scaled rotation and a
  // scaled reflection of those lengths. The form needs no square root of a difference, so it
  // stays exact for the thinnest footprints.
  const double s = std::hypot(d.dudx + d.dvdy, d.dvdx - d.dudy);
  const double t = std::hypot(d.dudx - d.dvdy, d.dvdx + d.dudy);
  return {0.5 * (s + t), 0.5 * std::fabs(s - t)};
}

double invariant_level(const FootprintAxes& axes, double max_anisotropy) {
  return std::log2(std::max(axes.minor, axes.major / max_anisotropy));
}

// Clamping before the rounding keeps the conversion to int defined for any level.
int nearest_mip_level(double lambda, int max_level) {
  if (!(lambda > 0.5)) return 0;
  return static_cast<int>(std::ceil(std::min(lambda, double(max_level)) + 0.5)) - 1;
}

int nearest_mip_level_rounded_up(double lambda, int max_level) {
  if (!(lambda > 0.0)) return 0;
  return static_cast<int>(std::floor(std::min(lambda, double(max_level)) + 0.5));
}
