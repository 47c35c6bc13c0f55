// Where a pixel of a panel finds its texels: the plane z = 0 seen through the panel's matrices,
// and the screen-space derivatives of the level-0 texel coordinates at any point of the panel.
#pragma once

#include "report/measure/panel_geometry.h"

// The derivatives of the level-0 texel coordinates (u, v) with respect to the window
// coordinates (x, y), in texels per pixel.
struct TexelDerivatives {
  double dudx = 0.0, dvdx = 0.0;
  double dudy = 0.0, dvdy = 0.0;
};

// What one point of the panel shows of the plane.
struct PlanePoint {
  double x = 0.0, y = 0.0;  // the point on the plane, in scene units
  double eye_depth = 0.0;   // its distance in front of the eye along the view axis (clip w)
  TexelDerivatives derivatives;
};

// The plane z = 0 mapped onto the panel. The mapping from the plane to the window is a
// homography: window = H · (x, y, 1) up to the clip w, built from the projection, the model-view
// matrix and the viewport; its inverse gives, for every window point, the plane point and, by
// the quotient rule, the exact derivatives there.
class PlaneFootprint {
 public:
  explicit PlaneFootprint(const PanelGeometry& geometry);

  // The plane point seen at window position (wx, wy) of the panel (pixel centres lie at
  // i + 0.5). Returns false, leaving `point` as it was, where the ray through the position
  // meets the plane behind the eye or not at all (above the horizon).
  bool point_at(double wx, double wy, PlanePoint& point) const;

  // The window position (wx, wy) at which the plane point (x, y) is seen. Returns false, leaving
  // both as they were, where the point lies behind the eye or the plane is seen edge-on.
  bool window_at(double x, double y, double& wx, double& wy) const;

  // The direction in the window along which the plane recedes, the eye depth of its points
  // growing fastest: the same at every point of the panel, since the depth of a plane is a
  // projective function of the window position with straight lines of equal depth. Not of unit
  // length; (0, 0) where the plane faces the viewer or is seen edge-on.
  void receding_direction(double& dx, double& dy) const;

 private:
  double forward_[3][3] = {};  // plane (x, y, 1) -> window (x, y, 1) · w
  double inverse_[3][3] = {};  // window (x, y, 1) -> plane (x, y, 1) / w
  double texels_per_unit_ = 1.0;
  bool valid_ = false;  // false when the plane is seen edge-on
};
