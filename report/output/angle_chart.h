// angles.svg: the angle dependence of a driver's filtering as polar charts, the effective
// anisotropy against the turn of the plane about the viewing axis.
#pragma once

#include <string>
#include <vector>

#include "report/measure/angle_sweep.h"

// The radius of the charts is log2 of the effective anisotropy, from 1 at the centre to the
// smallest power of two at or above every value plotted, and at least this.
inline constexpr double least_chart_anisotropy = 2.0;

// The SVG text of one polar chart per filter of `sweeps` (trilinear left, bilinear right), `title`
// above them. The angle runs counter-clockwise from the right, as the plane turns on the screen,
// over the quadrants the sweeps' angles reach; each AF level has its colour, its measured curve
// drawn solid with a dot per angle, the extension's formula dashed and the rotation-invariant
// ideal dotted, in the order of the angles. Values below 1 are drawn at the centre.
std::string angle_chart_svg(const std::vector<AngleSweep>& sweeps, const std::string& title);
