// One panel configuration measured: decoded levels, per-quad comparison with the ideal levels,
// and the summary numbers.
#include "report/measure/panel_measurement.h"

#include <algorithm>
#include <cmath>

#include "scene/panel_config.h"

#include "report/measure/ideal_level.h"
#include "report/measure/plane_footprint.h"

namespace {

// The levels a footprint ought to sample, before the bias and the clamping.
struct FootprintLevels {
  IdealLevels extension;
  double major = 0.0, invariant = 0.0;
};

FootprintLevels footprint_levels(const TexelDerivatives& d, double max_anisotropy) {
  const FootprintAxes axes = footprint_axes(d);
  return {ideal_levels(d, max_anisotropy), std::log2(axes.major),
          invariant_level(axes, max_anisotropy)};
}

// Fills the ideal levels and the error of `quad`, whose measured level is set.
void compare(QuadLevels& quad, const FootprintLevels& ideal, double bias, bool trilinear,
             int max_level) {
  // GL_LINEAR_MIPMAP_NEAREST samples one whole level, the one the core rule picks.
  const auto level = [=](double lambda) {
    return trilinear ? std::clamp(lambda + bias, 0.0, static_cast<double>(max_level))
                     : nearest_mip_level(lambda + bias, max_level);
  };
  quad.isotropic = level(ideal.extension.isotropic);
  quad.reference = level(ideal.extension.reference);
  quad.sharpest = level(ideal.extension.extension);
  quad.major = level(ideal.major);
  quad.invariant = level(ideal.invariant);
  const auto clamped = [=](double lambda) {
    return std::clamp(lambda + bias, 0.0, static_cast<double>(max_level));
  };
  quad.extension_lambda = clamped(ideal.extension.extension);
  quad.isotropic_lambda = clamped(ideal.extension.isotropic);
  quad.decisive = ideal.extension.reference + bias > 0.0 &&
                  ideal.extension.reference + bias < static_cast<double>(max_level);
  quad.error = quad.measured - quad.reference;
  if (trilinear) return;
  // At an exact half level either whole level is right.
  const double rounded_up =
      nearest_mip_level_rounded_up(ideal.extension.reference + bias, max_level);
  if (std::fabs(quad.measured - rounded_up) < std::fabs(quad.error))
    quad.error = quad.measured - rounded_up;
}

}  // namespace

PanelMeasurement measure_pixels(const PanelConfig& config, const RgbImage& pixels,
                                const PanelGeometry& geometry, int max_level) {
  PanelMeasurement measurement;
  measurement.config = config;
  const PlaneFootprint footprint(geometry);
  double dx = 0.0, dy = 0.0;
  footprint.receding_direction(dx, dy);
  measurement.levels = decode_levels(pixels, walk_along(dx, dy));
  const LevelMap& levels = measurement.levels;
  for (int y = 0; y + 1 < levels.height(); y += 2)
    for (int x = 0; x + 1 < levels.width(); x += 2) {
      if (!levels.quad_resolved(x, y)) continue;
      // The quad's centre, where its four pixel centres meet.
      PlanePoint point;
      if (!footprint.point_at(x + 1.0, y + 1.0, point)) continue;
      QuadLevels quad;
      quad.x = x;
      quad.y = y;
      quad.eye_depth = point.eye_depth;
      quad.measured = levels.quad_level(x, y);
      compare(quad, footprint_levels(point.derivatives, config.anisotropy), config.lod_bias,
              config.trilinear, max_level);
      measurement.quads.push_back(quad);
    }
  measurement.statistics = panel_statistics(measurement.quads, levels);
  return measurement;
}
