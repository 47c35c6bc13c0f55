// One panel configuration measured: decoded levels, per-quad comparison with the ideal levels,
// and the summary numbers.
#include "report/panel_measurement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/ideal_level.h"
#include "report/plane_footprint.h"

std::string configuration_label(const PanelConfig& config) {
  const char* const filter = config.trilinear ? "trilinear" : "bilinear";
  char label[64];
  if (config.anisotropy == 1.0f)
    std::snprintf(label, sizeof label, "%s, isotropic", filter);
  else
    std::snprintf(label, sizeof label, "%s, AF level %g", filter, double(config.anisotropy));
  return label;
}

namespace {

// Fills the ideal levels and the error of `quad`, whose measured level is set.
void compare(QuadLevels& quad, const IdealLevels& ideal, bool trilinear, int max_level) {
  const auto clamped = [max_level](double level) {
    return std::clamp(level, 0.0, static_cast<double>(max_level));
  };
  if (trilinear) {
    quad.isotropic = clamped(ideal.isotropic);
    quad.reference = clamped(ideal.reference);
    quad.sharpest = clamped(ideal.extension);
    quad.error = quad.measured - quad.reference;
    return;
  }
  // GL_LINEAR_MIPMAP_NEAREST samples one whole level; at an exact half either is right.
  quad.isotropic = nearest_mip_level(ideal.isotropic, max_level);
  quad.reference = nearest_mip_level(ideal.reference, max_level);
  quad.sharpest = nearest_mip_level(ideal.extension, max_level);
  const double rounded_up = nearest_mip_level_rounded_up(ideal.reference, max_level);
  quad.error = quad.measured - quad.reference;
  if (std::fabs(quad.measured - rounded_up) < std::fabs(quad.error))
    quad.error = quad.measured - rounded_up;
}

}  // namespace

PanelMeasurement measure_pixels(const PanelConfig& config, const RgbImage& pixels,
                                const PanelGeometry& geometry, int max_level) {
  PanelMeasurement measurement;
  measurement.config = config;
  measurement.levels = decode_levels(pixels);
  const LevelMap& levels = measurement.levels;
  const PlaneFootprint footprint(geometry);
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
      compare(quad, ideal_levels(point.derivatives, config.anisotropy), config.trilinear,
              max_level);
      measurement.quads.push_back(quad);
    }
  measurement.statistics = panel_statistics(measurement.quads, levels);
  return measurement;
}
