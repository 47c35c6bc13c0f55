// The extension's formula drawn pixel by pixel: the footprint from the exact projection, N probes
// along its major axis, each filtered by the min filter, and the planted defects.
#include "report/measure/formula_filter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "report/measure/ideal_level.h"
#include "report/measure/parallel_for.h"
#include "report/measure/plane_footprint.h"
#include "scene/scene.h"

namespace {

// The plane's edges on both axes, in scene units.
constexpr double plane_low = -plane_half_extent - 1.0;
constexpr double plane_high = plane_half_extent - 1.0;

bool power_of_two(int side) { return side > 0 && (side & (side - 1)) == 0; }

// Whether pixel column x of a panel `width` pixels wide lies in the share `share` of its columns
// of 2 × 2 quads, counted from the middle rightwards: a part of the plane that runs from near to
// far, as the level decoder walks it, away from the plane's edges.
bool in_share(int x, int width, double share) {
  const int column = (x >> 1) - (width >> 2);
  return column >= 0 && column < share * (width >> 1);
}

// How one unit filters at one pixel, once the planted defect has had its say.
struct UnitFilter {
  bool trilinear = true;     // blends two levels, else samples the level nearest λ'
  double anisotropy = 1.0;   // N at most
  double lod_bias = 0.0;
  double band = 0.5;         // blends within ±band of each level change: 0.5 everywhere
  double probe_share = 1.0;  // of the N probes taken
  bool coarser = false;      // one level coarser than log2(Pmax), whatever N
};

UnitFilter unit_filter(const FormulaDraw& draw, int unit, float lod_bias, int x, int width) {
  const PanelConfig& config = draw.config;
  const PlantedDefect& planted = draw.defect;
  const bool af = config.anisotropy > 1.0f;
  UnitFilter f;
  f.trilinear = config.trilinear;
  f.anisotropy = config.anisotropy;
  f.lod_bias = lod_bias;
  switch (planted.defect) {
    case Defect::none:
      break;
    case Defect::af_ignored:
      f.anisotropy = 1.0;
      break;
    case Defect::af_level_ignored:
      if (af) f.anisotropy = draw.max_anisotropy;
      break;
    case Defect::trilinear_dropped:
      if (af) f.trilinear = false;
      break;
    case Defect::trilinear_narrowed:
      if (af) f.band = std::clamp(planted.strength, 0.0, 0.5);
      break;
    case Defect::half_probes:
      f.probe_share = planted.strength;
      break;
    case Defect::af_on_unit_0_only:
      if (unit > 0 && in_share(x, width, planted.strength)) f.anisotropy = 1.0;
      break;
    case Defect::lod_bias_ignored:
      f.lod_bias = 0.0;
      break;
    case Defect::bilinear_af_without_effect:
      if (!config.trilinear) f.anisotropy = 1.0;
      break;
    case Defect::coarse_reach:
      f.coarser = af && in_share(x, width, planted.strength);
      break;
  }
  return f;
}

// The levels the min filter samples at `lambda`, the same for every probe of a pixel: `level`
// alone, or blended with the next by `next_weight`.
struct LevelBlend {
  int level = 0;
  float next_weight = 0.0f;
};

LevelBlend level_blend(double lambda, const UnitFilter& f, int max_level) {
  if (!f.trilinear || f.band <= 0.0) return {nearest_mip_level(lambda, max_level), 0.0f};
  // Magnification (λ <= 0) samples level 0 linearly, as the minification's first level does.
  const double clamped = lambda > 0.0 ? std::min(lambda, double(max_level)) : 0.0;
  const int level = static_cast<int>(clamped);
  if (level == max_level) return {level, 0.0f};
  double fraction = clamped - level;
  if (f.band < 0.5) fraction = std::clamp((fraction - 0.5 + f.band) / (2.0 * f.band), 0.0, 1.0);
  return {level, static_cast<float>(fraction)};
}

// The colour of one unit's texture at (u, v) with the texel derivatives `d`, both in the
// texture's level-0 texels.
void unit_colour(const FormulaTexture& texture, double u, double v, const TexelDerivatives& d,
                 const UnitFilter& f, float rgba[4]) {
  // Not std::hypot, whose care for overflow costs more than the rest of a probe.
  const double px = std::sqrt(d.dudx * d.dudx + d.dvdx * d.dvdx);
  const double py = std::sqrt(d.dudy * d.dudy + d.dvdy * d.dvdy);
  const double pmax = std::max(px, py), pmin = std::min(px, py);
  double n = 1.0;
  if (f.anisotropy > 1.0)
    n = pmin > 0.0 ? std::min(std::ceil(pmax / pmin), f.anisotropy) : f.anisotropy;
  const double lambda =
      (f.coarser ? std::log2(pmax) + 1.0 : std::log2(pmax / n)) + f.lod_bias;
  const LevelBlend blend = level_blend(lambda, f, texture.max_level());
  const int probes = std::max(1, static_cast<int>(std::ceil(n) * f.probe_share + 1e-9));
  const bool along_x = px >= py;
  const double du = along_x ? d.dudx : d.dudy, dv = along_x ? d.dvdx : d.dvdy;
  const double step = 1.0 / (probes + 1);
  const float weight = 1.0f / static_cast<float>(probes);
  const float next = weight * blend.next_weight, own = weight - next;
  for (int c = 0; c < 4; ++c) rgba[c] = 0.0f;
  for (int i = 1; i <= probes; ++i) {
    const double offset = i * step - 0.5;
    const float pu = static_cast<float>(u + offset * du), pv = static_cast<float>(v + offset * dv);
    if (own > 0.0f) texture.add_bilinear(blend.level, pu, pv, own, rgba);
    if (next > 0.0f) texture.add_bilinear(blend.level + 1, pu, pv, next, rgba);
  }
}

std::uint8_t rounded(float value) {
  return static_cast<std::uint8_t>(std::clamp(value + 0.5f, 0.0f, 255.0f));
}

}  // namespace

FormulaTexture::FormulaTexture(const std::vector<RgbImage>& levels) {
  for (const RgbImage& image : levels) {
    if (!power_of_two(image.width()) || !power_of_two(image.height())) break;
    Level level;
    level.width = image.width();
    level.height = image.height();
    level.u_scale = float(level.width) / float(levels.front().width());
    level.v_scale = float(level.height) / float(levels.front().height());
    const std::size_t count = std::size_t(level.width) * level.height;
    level.rgba.resize(4 * count);
    for (std::size_t i = 0; i < count; ++i) {
      const RgbTexel& texel = image.texels()[i];
      level.rgba[4 * i] = texel.red;
      level.rgba[4 * i + 1] = texel.green;
      level.rgba[4 * i + 2] = texel.blue;
    }
    levels_.push_back(std::move(level));
  }
  if (levels_.empty()) levels_.push_back({1, 1, 1.0f, 1.0f, {0.0f, 0.0f, 0.0f, 0.0f}});
}

void FormulaTexture::add_bilinear(int level, float u, float v, float weight,
                                  float rgba[4]) const {
  const Level& l = levels_[static_cast<std::size_t>(level)];
  const float x = u * l.u_scale - 0.5f, y = v * l.v_scale - 0.5f;
  // floor inline: the library call costs as much as the texel reads.
  int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
  x0 -= x0 > x;
  y0 -= y0 > y;
  const float a = x - float(x0), b = y - float(y0);
  // Sides are powers of two: the repeat is a mask, for negative positions too.
  const int mask_x = l.width - 1, mask_y = l.height - 1;
  const int i0 = x0 & mask_x, i1 = (i0 + 1) & mask_x;
  const int j0 = y0 & mask_y, j1 = (j0 + 1) & mask_y;
  const float* row0 = &l.rgba[4 * std::size_t(j0) * l.width];
  const float* row1 = &l.rgba[4 * std::size_t(j1) * l.width];
  const float w00 = weight * (1 - a) * (1 - b), w10 = weight * a * (1 - b);
  const float w01 = weight * (1 - a) * b, w11 = weight * a * b;
  // Four channels, the fourth unused, so that each sum is one vector operation.
  for (int c = 0; c < 4; ++c)
    rgba[c] += w00 * row0[4 * i0 + c] + w10 * row0[4 * i1 + c] + w01 * row1[4 * i0 + c] +
               w11 * row1[4 * i1 + c];
}

RgbImage formula_picture(const FormulaDraw& draw, const PanelGeometry& geometry, double shift_x,
                         double shift_y, int threads) {
  // Derivatives in scene units per pixel, scaled to each texture's texels below.
  PanelGeometry unit_geometry = geometry;
  unit_geometry.texels_per_unit = 1.0;
  const PlaneFootprint footprint(unit_geometry);
  RgbImage picture(geometry.width, geometry.height);
  const auto row = [&](int y) {
    for (int x = 0; x < geometry.width; ++x) {
      PlanePoint point;
      if (!footprint.point_at(x + 0.5 - shift_x, y + 0.5 - shift_y, point)) continue;
      if (point.x < plane_low || point.x > plane_high || point.y < plane_low ||
          point.y > plane_high || point.eye_depth < panel_z_near || point.eye_depth > panel_z_far)
        continue;
      float colour[3] = {255.0f, 255.0f, 255.0f};
      for (std::size_t unit = 0; unit < draw.units.size(); ++unit) {
        const FormulaUnit& u = draw.units[unit];
        if (!u.texture) continue;
        const double su = 0.5 * u.texture->width(), sv = 0.5 * u.texture->height();
        const TexelDerivatives d{su * point.derivatives.dudx, sv * point.derivatives.dvdx,
                                 su * point.derivatives.dudy, sv * point.derivatives.dvdy};
        float rgba[4];
        unit_colour(*u.texture, su * (point.x + 1.0), sv * (point.y + 1.0), d,
                    unit_filter(draw, static_cast<int>(unit), u.lod_bias, x, geometry.width), rgba);
        for (int c = 0; c < 3; ++c) colour[c] *= rgba[c] / 255.0f;
      }
      picture.texel(x, y) = {rounded(colour[0]), rounded(colour[1]), rounded(colour[2])};
    }
  };
  parallel_for(geometry.height, row, threads);
  return picture;
}
