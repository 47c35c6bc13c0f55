// Polar charts of the effective anisotropy against the turn of the plane about the viewing axis:
// angles.svg, a driver's angle dependence per filter, and the page that both it and the
// comparison of reports draw their charts on.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "report/measure/angle_sweep.h"

// The radius of the charts is log2 of the effective anisotropy, from 1 at the centre to the
// smallest power of two at or above every value plotted, and at least this.
inline constexpr double least_chart_anisotropy = 2.0;
// Values above this are drawn at the rim.
inline constexpr double most_chart_anisotropy = 65536.0;

enum class LineStyle { solid, dashed, dotted };

// One curve of a chart, drawn in the order of its angles; a solid one with a dot at each angle.
struct PolarCurve {
  std::vector<std::pair<double, double>> points;  // degrees, effective anisotropy
  std::string colour;                             // an SVG colour
  LineStyle style = LineStyle::solid;
};

struct PolarChart {
  std::string heading;
  std::vector<PolarCurve> curves;
};

// An entry of the legend: a short line of its colour and style, and its text.
struct LegendEntry {
  std::string colour;
  LineStyle style = LineStyle::solid;
  std::string text;
};

// The colour of the curve at `index` among the curves of one kind: eight that repeat.
const char* chart_colour(std::size_t index);

// The SVG text of `charts` side by side under `title`, then `legend` below them, each of its rows
// starting on a line of its own and wrapping at the page's width. Every chart has one scale
// (above) and the same sector: the angle runs counter-clockwise from the right, as the plane
// turns on the screen, over the whole quadrants that the curves' angles reach. Values below 1
// are drawn at the centre; points at angles beyond a full turn either way, or of values that are
// not finite, are left out.
std::string polar_charts_svg(const std::string& title, const std::vector<PolarChart>& charts,
                             const std::vector<std::vector<LegendEntry>>& legend);

// angles.svg: a polar chart per filter of `sweeps` (trilinear left, bilinear right), `title`
// above them. Each AF level has its colour in both, its measured curve drawn solid, the
// extension's formula dashed and the rotation-invariant ideal dotted.
std::string angle_chart_svg(const std::vector<AngleSweep>& sweeps, const std::string& title);
