// The elliptical weighted average over level 0 of a repeating texture, and the ideal picture of
// the plane it gives pixel by pixel, the rows shared among threads.
#include "report/measure/ewa_filter.h"

#include <atomic>
#include <cmath>

#include "report/measure/parallel_for.h"
#include "scene/scene.h"

namespace {

// The pixel's Gaussian in texel space: Q(d) = a du² + 2b du dv + c dv² = dᵀ Σ⁻¹ d for the offset
// d = (du, dv) of a texel centre from the footprint's centre; the cut-off ellipse Q <= R² lies
// within ±half_u, ±half_v of the centre.
struct Ellipse {
  double a = 0.0, b = 0.0, c = 0.0;
  double half_u = 0.0, half_v = 0.0;
};

constexpr double cutoff_squared = ewa_cutoff * ewa_cutoff;

// exp(-Q / 2) over 0 <= Q <= R², interpolated linearly between samples h = R² / intervals
// apart, since exp dominated the cost of a tap. The interpolation errs by at most
// h² / 8 · max |d²/dQ² exp(-Q / 2)| = h² / 32 = 4.8e-7 with R = 2, relative to the weight of a
// texel at the cut-off exp(-2) at most 3.6e-6; an average's error is then below twice that times
// the texels' range, 0.002 on the 0 .. 255 scale, far below what the image measures resolve.
class WeightTable {
 public:
  static constexpr int intervals = 1024;
  static constexpr double per_q = intervals / cutoff_squared;

  WeightTable() {
    for (int k = 0; k <= intervals; ++k) entries_[k].weight = std::exp(-0.5 * k / per_q);
    for (int k = 0; k < intervals; ++k)
      entries_[k].slope = entries_[k + 1].weight - entries_[k].weight;
  }

  // 0 <= q <= R².
  double operator()(double q) const {
    const double position = q * per_q;
    const int k = static_cast<int>(position);
    const Entry& e = entries_[k];
    return e.weight + (position - k) * e.slope;
  }

 private:
  struct Entry {
    double weight = 0.0, slope = 0.0;  // at the sample, and to the next (0 after the last)
  };
  Entry entries_[intervals + 1];
};

const WeightTable weight_table;

Ellipse ellipse_of(const TexelDerivatives& d, double lod_bias) {
  const double scale = std::exp2(lod_bias);
  const double dudx = scale * d.dudx, dudy = scale * d.dudy;
  const double dvdx = scale * d.dvdx, dvdy = scale * d.dvdy;
  // Σ = σp² J Jᵀ + σt² I: the pixel's Gaussian carried onto the texture, convolved with the
  // texels' own, which keeps Σ invertible however thin the footprint.
  const double pixel_variance = ewa_pixel_sigma * ewa_pixel_sigma;
  const double texel_variance = ewa_texel_sigma * ewa_texel_sigma;
  const double suu = pixel_variance * (dudx * dudx + dudy * dudy) + texel_variance;
  const double suv = pixel_variance * (dudx * dvdx + dudy * dvdy);
  const double svv = pixel_variance * (dvdx * dvdx + dvdy * dvdy) + texel_variance;
  const double det = suu * svv - suv * suv;
  Ellipse e;
  e.a = svv / det;
  e.b = -suv / det;
  e.c = suu / det;
  // The extreme u of dᵀ Σ⁻¹ d = R² is R √Σuu, likewise v.
  e.half_u = ewa_cutoff * std::sqrt(suu);
  e.half_v = ewa_cutoff * std::sqrt(svv);
  return e;
}

// The index of the repeat of texel i in a texture `size` texels wide, for negative i too. The
// averages start from a centre within the first repeat, so most indices lie in it or the one
// before and need no division.
int wrapped(long long i, int size) {
  if (i >= 0 && i < size) return static_cast<int>(i);
  if (i < 0 && i >= -size) return static_cast<int>(i + size);
  const long long r = i % size;
  return static_cast<int>(r < 0 ? r + size : r);
}

// floor and ceil to an integer inline: the library calls cost as much as a row's few taps.
long long floor_to_integer(double x) {
  const long long i = static_cast<long long>(x);
  return i > x ? i - 1 : i;
}
long long ceil_to_integer(double x) { return -floor_to_integer(-x); }

// The texel coordinates of the plane point (x, y): quad (0, 0) spans -1 .. 1 and carries the
// repeat whose u runs from 0 to the texture's width.
double texel_coordinate(double plane_coordinate, int size) {
  return 0.5 * (plane_coordinate + 1.0) * size;
}

}  // namespace

EwaTexture::EwaTexture(const RgbImage& texture)
    : width_(texture.width()),
      height_(texture.height()),
      values_(3 * static_cast<std::size_t>(width_) * height_) {
  const RgbTexel* texels = texture.texels();
  for (std::size_t i = 0; i < values_.size() / 3; ++i) {
    values_[3 * i] = texels[i].red;
    values_[3 * i + 1] = texels[i].green;
    values_[3 * i + 2] = texels[i].blue;
  }
}

int EwaTexture::average(double u, double v, const TexelDerivatives& d, double lod_bias,
                        double rgb[3]) const {
  const Ellipse e = ellipse_of(d, lod_bias);
  // The same texels a whole number of repeats away: u - k W is exact, being a multiple of u's
  // last place no larger than u.
  u -= std::floor(u / width_) * width_;
  v -= std::floor(v / height_) * height_;
  // The rows of texel centres j + 0.5 within the bounding box.
  const long long j_first = ceil_to_integer(v - e.half_v - 0.5);
  const long long j_last = floor_to_integer(v + e.half_v - 0.5);
  // Along a row at dv, Q(du) = R² where du = (-b dv ± √(a R² - dv² (ac - b²))) / a: only the
  // texels between the two are visited, which for a thin slanted ellipse is a small part of
  // its bounding box.
  const double ac_b2 = e.a * e.c - e.b * e.b;
  const double ddq = 2.0 * e.a;
  double sum[3] = {0.0, 0.0, 0.0};
  double weight_sum = 0.0;
  int taps = 0;
  int y = wrapped(j_first, height_);
  for (long long j = j_first; j <= j_last; ++j, y = y + 1 == height_ ? 0 : y + 1) {
    const double dv = j + 0.5 - v;
    const double discriminant = e.a * cutoff_squared - dv * dv * ac_b2;
    if (discriminant < 0.0) continue;
    const double half_span = std::sqrt(discriminant) / e.a;
    const double centre = u - e.b * dv / e.a - 0.5;
    const long long i_first = ceil_to_integer(centre - half_span);
    const long long i_last = floor_to_integer(centre + half_span);
    const double* row = &values_[3 * static_cast<std::size_t>(y) * width_];
    // Q is a quadratic in du: step it by its first and (constant) second differences. The check
    // against R² stays, for the ends where the root and the steps round differently.
    const double du = i_first + 0.5 - u;
    double q = (e.a * du + 2.0 * e.b * dv) * du + e.c * dv * dv;
    double dq = e.a * (2.0 * du + 1.0) + 2.0 * e.b * dv;
    int x = wrapped(i_first, width_);
    for (long long i = i_first; i <= i_last; ++i) {
      if (q <= cutoff_squared) {
        const double w = weight_table(q);
        const double* texel = row + 3 * x;
        sum[0] += w * texel[0];
        sum[1] += w * texel[1];
        sum[2] += w * texel[2];
        weight_sum += w;
        ++taps;
      }
      q += dq;
      dq += ddq;
      if (++x == width_) x = 0;
    }
  }
  for (int k = 0; k < 3; ++k) rgb[k] = weight_sum > 0.0 ? sum[k] / weight_sum : 0.0;
  return taps;
}

IdealPicture ideal_picture(const EwaTexture& texture, const PanelGeometry& geometry,
                           double lod_bias, double shift_x, double shift_y, int threads) {
  // Derivatives in scene units per pixel, scaled to texels below along each axis on its own,
  // since the texture need not be square.
  PanelGeometry unit_geometry = geometry;
  unit_geometry.texels_per_unit = 1.0;
  const PlaneFootprint footprint(unit_geometry);
  const int width = geometry.width, height = geometry.height;
  const int tw = texture.width(), th = texture.height();
  const double u_scale = 0.5 * tw, v_scale = 0.5 * th;
  // The plane's edges, -plane_half_extent - 1 and plane_half_extent - 1, in texels.
  const double u_low = texel_coordinate(-plane_half_extent - 1.0, tw);
  const double u_high = texel_coordinate(plane_half_extent - 1.0, tw);
  const double v_low = texel_coordinate(-plane_half_extent - 1.0, th);
  const double v_high = texel_coordinate(plane_half_extent - 1.0, th);

  IdealPicture result;
  result.picture = FloatPicture(width, height);
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  result.valid.assign(pixels, 0);
  result.eye_depth.assign(pixels, 0.0f);

  // Each pixel is computed alone and written once, so the picture does not depend on which
  // thread takes which row; rows are handed out one at a time since the far ones cost more.
  std::atomic<std::int64_t> taps{0};
  const auto row = [&](int y) {
    std::int64_t row_taps = 0;
    for (int x = 0; x < width; ++x) {
      PlanePoint point;
      if (!footprint.point_at(x + 0.5 - shift_x, y + 0.5 - shift_y, point)) continue;
      TexelDerivatives d = point.derivatives;
      d.dudx *= u_scale;
      d.dudy *= u_scale;
      d.dvdx *= v_scale;
      d.dvdy *= v_scale;
      const double u = texel_coordinate(point.x, tw), v = texel_coordinate(point.y, th);
      const Ellipse e = ellipse_of(d, lod_bias);
      if (!(u - e.half_u >= u_low && u + e.half_u <= u_high && v - e.half_v >= v_low &&
            v + e.half_v <= v_high))
        continue;
      double rgb[3];
      row_taps += texture.average(u, v, d, lod_bias, rgb);
      float* out = result.picture.pixel(x, y);
      for (int k = 0; k < 3; ++k) out[k] = static_cast<float>(rgb[k]);
      const std::size_t index = static_cast<std::size_t>(y) * width + x;
      result.valid[index] = 1;
      result.eye_depth[index] = static_cast<float>(point.eye_depth);
    }
    taps += row_taps;
  };
  parallel_for(height, row, threads);
  result.taps = taps;
  return result;
}
