// The quads of a turned panel summed up over the disc that every angle shares.
#include "report/measure/angle_sweep.h"

#include <algorithm>
#include <cmath>

#include "report/measure/plane_footprint.h"

namespace {

// The margin that keeps a quad whose centre lies on the disc's rim inside the panel.
constexpr double quad_margin = 2.0;

}  // namespace

TurnDisc turn_disc(const PanelGeometry& geometry) {
  TurnDisc disc;
  if (!PlaneFootprint(geometry).window_at(0.0, 0.0, disc.x, disc.y)) return disc;
  const double room = std::min({disc.x, disc.y, geometry.width - disc.x, geometry.height - disc.y});
  disc.radius = std::max(room - quad_margin, 0.0);
  return disc;
}

AngleSample angle_sample(double degrees, const PanelMeasurement& measurement,
                         const TurnDisc& disc) {
  AngleSample sample;
  sample.degrees = degrees;
  double measured = 0.0, formula = 0.0, invariant = 0.0;
  for (const QuadLevels& quad : measurement.quads) {
    // The quad's centre, where its four pixel centres meet.
    if (std::hypot(quad.x + 1.0 - disc.x, quad.y + 1.0 - disc.y) > disc.radius) continue;
    ++sample.quads;
    measured += quad.major - quad.measured;
    formula += quad.major - quad.reference;
    invariant += quad.major - quad.invariant;
  }
  if (sample.quads == 0) return sample;
  sample.measured = std::exp2(measured / sample.quads);
  sample.formula = std::exp2(formula / sample.quads);
  sample.invariant = std::exp2(invariant / sample.quads);
  return sample;
}
