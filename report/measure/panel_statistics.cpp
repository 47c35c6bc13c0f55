// The summary numbers of one measured panel.
#include "report/measure/panel_statistics.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <utility>

#include "scene/scene.h"

namespace {

// The 95th percentile by the nearest rank.
double percentile_95(std::vector<double> values) {
  if (values.empty()) return 0.0;
  const std::size_t rank =
      static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(values.size()))) - 1;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(rank),
                   values.end());
  return values[rank];
}


std::vector<DistanceBand> distance_bands(const std::vector<QuadLevels>& quads) {
  std::vector<DistanceBand> bands;
  for (auto edge = std::begin(distance_band_edges);
       std::next(edge) != std::end(distance_band_edges); ++edge) {
    DistanceBand band;
    band.near = *edge;
    band.far = *std::next(edge);
    double ideal = 0.0, measured = 0.0;
    for (const QuadLevels& quad : quads) {
      if (quad.eye_depth < band.near || quad.eye_depth >= band.far) continue;
      ++band.quads;
      ideal += quad.isotropic - quad.reference;
      measured += quad.isotropic - quad.measured;
    }
    if (band.quads == 0) continue;
    band.ideal_anisotropy = std::exp2(ideal / band.quads);
    band.measured_anisotropy = std::exp2(measured / band.quads);
    bands.push_back(band);
  }
  return bands;
}

}  // namespace

double blended_share(const std::vector<QuadLevels>& quads, const LevelMap& levels,
                     bool blendable_only) {
  const double coarsest = color_mip_max_level();
  int blended = 0, pixels = 0;
  for (const QuadLevels& quad : quads) {
    if (blendable_only && !quad.decisive) continue;
    for (int dy = 0; dy < 2; ++dy)
      for (int dx = 0; dx < 2; ++dx) {
        const double level = levels.level(quad.x + dx, quad.y + dy);
        if (blendable_only && !(level > blend_threshold && level < coarsest - blend_threshold))
          continue;
        ++pixels;
        blended += std::fabs(level - std::round(level)) > blend_threshold;
      }
  }
  return pixels > 0 ? static_cast<double>(blended) / pixels : 0.0;
}

PanelStatistics panel_statistics(const std::vector<QuadLevels>& measured,
                                 const LevelMap& levels) {
  PanelStatistics s;
  s.background_pixels = levels.count(PixelClass::background);
  s.undecodable_pixels = levels.count(PixelClass::undecodable);
  s.unresolved_pixels = levels.count(PixelClass::unresolved);
  s.quads = static_cast<int>(measured.size());
  s.pixels = 4 * s.quads;
  std::vector<QuadLevels> quads;
  std::copy_if(measured.begin(), measured.end(), std::back_inserter(quads),
               [](const QuadLevels& quad) { return quad.decisive; });
  s.decisive_quads = static_cast<int>(quads.size());
  if (quads.empty()) return s;

  double sum = 0.0, sum_squares = 0.0, anisotropy = 0.0, ideal_anisotropy = 0.0;
  int blurrier = 0, sharper = 0;
  std::vector<double> magnitudes;
  magnitudes.reserve(quads.size());
  for (const QuadLevels& quad : quads) {
    sum += quad.error;
    sum_squares += quad.error * quad.error;
    magnitudes.push_back(std::fabs(quad.error));
    blurrier += quad.error > blurry_threshold;
    sharper += quad.measured < quad.sharpest - level_tolerance;
    anisotropy += quad.isotropic - quad.measured;
    ideal_anisotropy += quad.isotropic - quad.reference;
  }
  const double n = static_cast<double>(quads.size());
  s.mean_error = sum / n;
  s.rms_error = std::sqrt(sum_squares / n);
  s.p95_abs_error = percentile_95(std::move(magnitudes));
  s.blurrier_share = blurrier / n;
  s.sharper_share = sharper / n;
  s.blended_share = blended_share(quads, levels, false);
  s.effective_anisotropy = std::exp2(anisotropy / n);
  s.ideal_anisotropy = std::exp2(ideal_anisotropy / n);
  s.bands = distance_bands(quads);
  return s;
}

double mean_level_difference(const PanelMeasurement& a, const PanelMeasurement& b) {
  double sum = 0.0;
  int count = 0;
  for (const QuadLevels& quad : a.quads) {
    if (!quad.decisive || quad.x + 1 >= b.levels.width() || quad.y + 1 >= b.levels.height() ||
        !b.levels.quad_resolved(quad.x, quad.y))
      continue;
    sum += std::fabs(quad.measured - b.levels.quad_level(quad.x, quad.y));
    ++count;
  }
  return count > 0 ? sum / count : 0.0;
}

double mean_reference_difference(const PanelMeasurement& a, const PanelMeasurement& b) {
  std::map<std::pair<int, int>, double> references;
  for (const QuadLevels& quad : b.quads)
    references.emplace(std::pair{quad.x, quad.y}, quad.reference);
  double sum = 0.0;
  int count = 0;
  for (const QuadLevels& quad : a.quads) {
    const auto other = references.find({quad.x, quad.y});
    if (!quad.decisive || other == references.end()) continue;
    sum += std::fabs(quad.reference - other->second);
    ++count;
  }
  return count > 0 ? sum / count : 0.0;
}
