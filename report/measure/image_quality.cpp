// The error, detail kept and flicker of a driver's pictures against the ideal filter's, over the
// whole plane and per distance band.
#include "report/measure/image_quality.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "report/measure/panel_statistics.h"
#include "report/measure/plane_footprint.h"

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr int band_count = static_cast<int>(std::size(distance_band_edges)) - 1;

// The sums behind one set of figures.
struct QualitySums {
  std::int64_t pixels = 0;
  double squared_error = 0.0;  // over the channels of the pixels at every offset
  std::int64_t samples = 0;    // the channels summed in squared_error
  double driver_contrast = 0.0, ideal_contrast = 0.0;
  double driver_flicker = 0.0, ideal_flicker = 0.0;
};

double ratio(double driver, double ideal) {
  return ideal > 0.0 ? driver / ideal : std::numeric_limits<double>::quiet_NaN();
}

QualityFigures figures(const QualitySums& s) {
  QualityFigures f;
  f.pixels = s.pixels;
  const double mean_square = s.samples > 0 ? s.squared_error / s.samples : 0.0;
  f.psnr = mean_square > 0.0 ? 10.0 * std::log10(255.0 * 255.0 / mean_square) : infinity;
  f.detail = ratio(s.driver_contrast, s.ideal_contrast);
  f.flicker = ratio(s.driver_flicker, s.ideal_flicker);
  return f;
}

// The band of distance_band_edges that holds `depth`; band_count when none does.
int band_of(double depth) {
  for (int band = 0; band < band_count; ++band)
    if (depth >= distance_band_edges[band] && depth < distance_band_edges[band + 1]) return band;
  return band_count;
}

// The population standard deviation of values whose sum and sum of squares are given.
double deviation(double sum, double sum_of_squares, int count) {
  const double mean = sum / count;
  return std::sqrt(std::max(sum_of_squares / count - mean * mean, 0.0));
}

// Accumulates what the pixels of two pictures of one panel deviate in, by band (the last entry
// of `sums` for the whole plane).
class QualityAccumulator {
 public:
  QualityAccumulator(const std::vector<IdealPicture>& ideal,
                     const std::vector<FloatPicture>& driver)
      : ideal_(ideal), driver_(driver), width_(ideal.front().picture.width),
        height_(ideal.front().picture.height), counted_(std::size_t(width_) * height_, 1),
        band_(counted_.size(), band_count) {
    for (std::size_t p = 0; p < counted_.size(); ++p) {
      for (const IdealPicture& picture : ideal) counted_[p] &= picture.valid[p];
      if (counted_[p]) band_[p] = band_of(ideal.front().eye_depth[p]);
    }
  }

  void add_errors_and_flicker() {
    const int offsets = static_cast<int>(ideal_.size());
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        const std::size_t p = std::size_t(y) * width_ + x;
        if (!counted_[p]) continue;
        double driver_sum = 0.0, driver_squares = 0.0, ideal_sum = 0.0, ideal_squares = 0.0,
               squared_error = 0.0;
        for (int k = 0; k < offsets; ++k) {
          const float* a = driver_[k].pixel(x, y);
          const float* b = ideal_[k].picture.pixel(x, y);
          for (int c = 0; c < 3; ++c) squared_error += double(a[c] - b[c]) * (a[c] - b[c]);
          const double g = driver_[k].grey(x, y), i = ideal_[k].picture.grey(x, y);
          driver_sum += g;
          driver_squares += g * g;
          ideal_sum += i;
          ideal_squares += i * i;
        }
        for (QualitySums* s : {&sums_[band_[p]], &sums_[band_count]}) {
          ++s->pixels;
          s->squared_error += squared_error;
          s->samples += 3 * offsets;
          s->driver_flicker += deviation(driver_sum, driver_squares, offsets);
          s->ideal_flicker += deviation(ideal_sum, ideal_squares, offsets);
        }
      }
  }

  void add_contrast() {
    for (int y0 = 0; y0 + detail_window <= height_; y0 += detail_window)
      for (int x0 = 0; x0 + detail_window <= width_; x0 += detail_window) {
        double depth = 0.0;
        if (!whole_window(x0, y0, depth)) continue;
        const int band = band_of(depth);
        for (std::size_t k = 0; k < ideal_.size(); ++k) {
          const double driver = window_deviation(driver_[k], x0, y0);
          const double ideal = window_deviation(ideal_[k].picture, x0, y0);
          for (QualitySums* s : {&sums_[band], &sums_[band_count]}) {
            s->driver_contrast += driver;
            s->ideal_contrast += ideal;
          }
        }
      }
  }

  void fill(PanelQuality& quality) const {
    quality.figures = figures(sums_[band_count]);
    for (int band = 0; band < band_count; ++band) {
      if (sums_[band].pixels == 0) continue;
      quality.bands.push_back(
          {distance_band_edges[band], distance_band_edges[band + 1], figures(sums_[band])});
    }
  }

 private:
  // Whether every pixel of the window at (x0, y0) counts; `depth` gets their mean eye depth.
  bool whole_window(int x0, int y0, double& depth) const {
    double sum = 0.0;
    for (int y = y0; y < y0 + detail_window; ++y)
      for (int x = x0; x < x0 + detail_window; ++x) {
        const std::size_t p = std::size_t(y) * width_ + x;
        if (!counted_[p]) return false;
        sum += ideal_.front().eye_depth[p];
      }
    depth = sum / (detail_window * detail_window);
    return true;
  }

  static double window_deviation(const FloatPicture& picture, int x0, int y0) {
    double sum = 0.0, squares = 0.0;
    for (int y = y0; y < y0 + detail_window; ++y)
      for (int x = x0; x < x0 + detail_window; ++x) {
        const double g = picture.grey(x, y);
        sum += g;
        squares += g * g;
      }
    return deviation(sum, squares, detail_window * detail_window);
  }

  const std::vector<IdealPicture>& ideal_;
  const std::vector<FloatPicture>& driver_;
  const int width_, height_;
  std::vector<std::uint8_t> counted_;  // per pixel: the ideal holds at every offset
  std::vector<int> band_;              // per counted pixel, band_count beyond every band
  QualitySums sums_[band_count + 1];
};

}  // namespace

OffsetStep flicker_step(const PanelGeometry& geometry, int offsets) {
  double dx = 0.0, dy = 0.0;
  PlaneFootprint(geometry).receding_direction(dx, dy);
  const double length = std::hypot(dx, dy);
  if (!(length > 0.0)) return {0.0, 1.0 / offsets};
  // Adding 0 turns a -0 into 0, which the report would print with its sign.
  return {dx / length / offsets + 0.0, dy / length / offsets + 0.0};
}

std::vector<IdealPicture> ideal_pictures(const EwaTexture& texture, const PanelGeometry& geometry,
                                         double lod_bias, int offsets, OffsetStep step) {
  std::vector<IdealPicture> pictures;
  for (int k = 0; k < offsets; ++k)
    pictures.push_back(ideal_picture(texture, geometry, lod_bias, k * step.x, k * step.y));
  return pictures;
}

PanelQuality compare_with_ideal(const PanelConfig& config, const std::vector<IdealPicture>& ideal,
                                const std::vector<FloatPicture>& driver) {
  PanelQuality quality;
  quality.config = config;
  QualityAccumulator accumulator(ideal, driver);
  accumulator.add_errors_and_flicker();
  accumulator.add_contrast();
  accumulator.fill(quality);
  quality.picture = rounded_picture(driver.front());
  return quality;
}
