// The plane z = 0 seen through a panel's matrices: the homography between plane and window and
// the texel derivatives it gives.
#include "report/measure/plane_footprint.h"

#include <algorithm>
#include <cmath>

namespace {

// Element (row, column) of a column-major matrix.
double at(const Matrix4& m, int row, int column) { return m.m[4 * column + row]; }

// Below this determinant, relative to the cube of the largest element, the plane is seen
// edge-on and no point of it has a footprint.
constexpr double singular_determinant = 1e-12;

}  // namespace

PlaneFootprint::PlaneFootprint(const PanelGeometry& geometry)
    : texels_per_unit_(geometry.texels_per_unit) {
  // clip = P · M · (x, y, 0, 1): only the columns 0, 1 and 3 of P · M matter on the plane.
  double pm[4][4];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k)
        sum += at(geometry.projection, r, k) * at(geometry.modelview, k, c);
      pm[r][c] = sum;
    }
  // window x = width / 2 · (clip x / clip w + 1), likewise y: in homogeneous form the rows of H.
  const double half_width = 0.5 * geometry.width, half_height = 0.5 * geometry.height;
  const int columns[3] = {0, 1, 3};
  double h[3][3];
  for (int j = 0; j < 3; ++j) {
    const int c = columns[j];
    h[0][j] = half_width * (pm[0][c] + pm[3][c]);
    h[1][j] = half_height * (pm[1][c] + pm[3][c]);
    h[2][j] = pm[3][c];
  }
  std::copy(&h[0][0], &h[0][0] + 9, &forward_[0][0]);
  const double det = h[0][0] * (h[1][1] * h[2][2] - h[1][2] * h[2][1]) -
                     h[0][1] * (h[1][0] * h[2][2] - h[1][2] * h[2][0]) +
                     h[0][2] * (h[1][0] * h[2][1] - h[1][1] * h[2][0]);
  double largest = 0.0;
  for (const auto& row : h)
    for (const double element : row) largest = std::max(largest, std::fabs(element));
  if (!(std::fabs(det) > singular_determinant * largest * largest * largest)) return;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      // The cofactor of (c, r), divided by the determinant.
      const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
      inverse_[r][c] = (h[r1][c1] * h[r2][c2] - h[r1][c2] * h[r2][c1]) / det;
    }
  valid_ = true;
}

bool PlaneFootprint::point_at(double wx, double wy, PlanePoint& point) const {
  if (!valid_) return false;
  const double a = inverse_[0][0] * wx + inverse_[0][1] * wy + inverse_[0][2];
  const double b = inverse_[1][0] * wx + inverse_[1][1] * wy + inverse_[1][2];
  const double c = inverse_[2][0] * wx + inverse_[2][1] * wy + inverse_[2][2];
  // c = 1 / w: positive exactly for points in front of the eye.
  if (!(c > 0.0)) return false;
  point.x = a / c;
  point.y = b / c;
  point.eye_depth = 1.0 / c;
  // d(a / c) / dx = (inverse_[0][0] - x · inverse_[2][0]) / c, and so on.
  const double k = texels_per_unit_ / c;
  point.derivatives.dudx = k * (inverse_[0][0] - point.x * inverse_[2][0]);
  point.derivatives.dudy = k * (inverse_[0][1] - point.x * inverse_[2][1]);
  point.derivatives.dvdx = k * (inverse_[1][0] - point.y * inverse_[2][0]);
  point.derivatives.dvdy = k * (inverse_[1][1] - point.y * inverse_[2][1]);
  return true;
}

bool PlaneFootprint::window_at(double x, double y, double& wx, double& wy) const {
  if (!valid_) return false;
  const double w = forward_[2][0] * x + forward_[2][1] * y + forward_[2][2];
  if (!(w > 0.0)) return false;
  wx = (forward_[0][0] * x + forward_[0][1] * y + forward_[0][2]) / w;
  wy = (forward_[1][0] * x + forward_[1][1] * y + forward_[1][2]) / w;
  return true;
}

void PlaneFootprint::receding_direction(double& dx, double& dy) const {
  // The depth is 1 / c with c linear in the window position: it grows where c falls.
  dx = valid_ ? -inverse_[2][0] : 0.0;
  dy = valid_ ? -inverse_[2][1] : 0.0;
}
