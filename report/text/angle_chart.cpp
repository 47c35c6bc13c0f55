// The polar charts of angles.svg and compare.svg, written as SVG text.
#include "report/text/angle_chart.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "base/text_format.h"
#include "interact/angles.h"
#include "scene/panel_config.h"

namespace {

constexpr int chart_size = 440;  // each chart's square, in SVG units
constexpr int margin = 40;       // around each chart, for the angle labels
constexpr int title_height = 40;

constexpr const char* level_colours[] = {"#444444", "#1f77b4", "#2ca02c", "#ff7f0e",
                                         "#d62728", "#9467bd", "#8c564b", "#e377c2"};

// Each AF level keeps its colour in both charts: its place among the levels of its filter.
const char* colour_of(const std::vector<AngleSweep>& sweeps, const AngleSweep& sweep) {
  std::size_t index = 0;
  for (const AngleSweep& other : sweeps)
    if (other.config.trilinear == sweep.config.trilinear &&
        other.config.anisotropy < sweep.config.anisotropy)
      ++index;
  return chart_colour(index);
}

// Where a chart's sector lies and how it maps onto the page.
struct Frame {
  double from = 0.0, to = 90.0;  // the sector, in degrees, whole quadrants
  double centre_x = 0.0, centre_y = 0.0, radius = 1.0;
  double top_level = 1.0;  // log2 of the anisotropy at the rim
};

// Points read from a file may hold anything: only finite anisotropies at angles of at most a
// full turn either way are drawn.
bool drawn(const std::pair<double, double>& point) {
  return std::fabs(point.first) <= 360.0 && std::isfinite(point.second);
}

// The whole quadrants that hold every angle of the charts, at most a full turn.
void sector(const std::vector<PolarChart>& charts, double& from, double& to) {
  double low = 0.0, high = 0.0;
  bool any = false;
  for (const PolarChart& chart : charts)
    for (const PolarCurve& curve : chart.curves)
      for (const auto& point : curve.points) {
        if (!drawn(point)) continue;
        low = any ? std::min(low, point.first) : point.first;
        high = any ? std::max(high, point.first) : point.first;
        any = true;
      }
  from = 90.0 * std::floor(low / 90.0);
  to = std::max(90.0 * std::ceil(high / 90.0), from + 90.0);
  to = std::min(to, from + 360.0);
}

double largest_value(const std::vector<PolarChart>& charts) {
  double largest = least_chart_anisotropy;
  for (const PolarChart& chart : charts)
    for (const PolarCurve& curve : chart.curves)
      for (const auto& point : curve.points)
        if (drawn(point)) largest = std::max(largest, point.second);
  return std::min(largest, most_chart_anisotropy);
}

// The chart in the square at (left, top): the sector's bounding box, scaled to fit.
Frame frame_for(double from, double to, double top_level, double left, double top) {
  Frame f;
  f.from = from;
  f.to = to;
  f.top_level = top_level;
  // The unit sector's bounding box: its centre, its ends and the axis directions inside it.
  double min_x = 0.0, max_x = 0.0, min_y = 0.0, max_y = 0.0;
  for (double a = from; a <= to; a += 90.0) {
    const double x = std::cos(radians(a)), y = std::sin(radians(a));
    min_x = std::min(min_x, x);
    max_x = std::max(max_x, x);
    min_y = std::min(min_y, y);
    max_y = std::max(max_y, y);
  }
  const double scale = chart_size / std::max(max_x - min_x, max_y - min_y);
  f.radius = scale;
  f.centre_x = left + (chart_size - scale * (max_x - min_x)) / 2.0 - scale * min_x;
  // SVG's y grows downward.
  f.centre_y = top + (chart_size - scale * (max_y - min_y)) / 2.0 + scale * max_y;
  return f;
}

// The page position of anisotropy `value` at `degrees`.
void place(const Frame& f, double degrees, double value, double& x, double& y) {
  const double r = f.radius * std::clamp(std::log2(std::max(value, 1.0)) / f.top_level, 0.0, 1.0);
  x = f.centre_x + r * std::cos(radians(degrees));
  y = f.centre_y - r * std::sin(radians(degrees));
}

std::string grid(const Frame& f) {
  std::string svg;
  // Rings at every power of two, labelled along the sector's first edge.
  for (int level = 1; level <= static_cast<int>(f.top_level); ++level) {
    const double r = f.radius * level / f.top_level;
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    place(f, f.from, std::exp2(level), x0, y0);
    place(f, f.to, std::exp2(level), x1, y1);
    const bool full = f.to - f.from >= 360.0;
    svg += full
               ? format_text(
                     "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"none\" stroke=\"#ccc\"/>\n",
                     f.centre_x, f.centre_y, r)
               : format_text(
                     "<path d=\"M %.1f %.1f A %.1f %.1f 0 %d 0 %.1f %.1f\" fill=\"none\" "
                     "stroke=\"#ccc\"/>\n",
                     x0, y0, r, r, f.to - f.from > 180.0 ? 1 : 0, x1, y1);
    svg += format_text("<text x=\"%.1f\" y=\"%.1f\" font-size=\"11\" fill=\"#666\">%d</text>\n",
                       x0 - 4.0, y0 + 14.0, 1 << level);
  }
  // Spokes every 15 degrees, labelled at the rim.
  for (double a = f.from; a <= f.to && a < f.from + 360.0; a += 15.0) {
    double x = 0.0, y = 0.0, lx = 0.0, ly = 0.0;
    place(f, a, std::exp2(f.top_level), x, y);
    lx = f.centre_x + (f.radius + 18.0) * std::cos(radians(a));
    ly = f.centre_y - (f.radius + 18.0) * std::sin(radians(a));
    svg += format_text(
        "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#ddd\"/>\n"
        "<text x=\"%.1f\" y=\"%.1f\" font-size=\"11\" fill=\"#666\" text-anchor=\"middle\">"
        "%g°</text>\n",
        f.centre_x, f.centre_y, x, y, lx, ly + 4.0, a);
  }
  return svg;
}

const char* stroke(LineStyle style) {
  switch (style) {
    case LineStyle::solid: return "stroke-width=\"2\"";
    case LineStyle::dashed: return "stroke-width=\"1.2\" stroke-dasharray=\"6 4\"";
    case LineStyle::dotted: return "stroke-width=\"1.2\" stroke-dasharray=\"1.5 3\"";
  }
  return "";
}

// One curve through its points in the order of the angles.
std::string curve(const Frame& f, const PolarCurve& c) {
  std::vector<std::pair<double, double>> points;
  std::copy_if(c.points.begin(), c.points.end(), std::back_inserter(points), drawn);
  std::stable_sort(points.begin(), points.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string line, marks;
  for (const auto& point : points) {
    double x = 0.0, y = 0.0;
    place(f, point.first, point.second, x, y);
    line += format_text("%.1f,%.1f ", x, y);
    if (c.style == LineStyle::solid)
      marks += format_text("<circle cx=\"%.1f\" cy=\"%.1f\" r=\"2.5\" fill=\"%s\"/>\n", x, y,
                           xml_escaped(c.colour).c_str());
  }
  return "<polyline fill=\"none\" stroke=\"" + xml_escaped(c.colour) + "\" " + stroke(c.style) +
         " points=\"" + line + "\"/>\n" + marks;
}

// The legend's rows from `top` down, wrapped at `width`; returns where the next row would go.
double legend(const std::vector<std::vector<LegendEntry>>& rows, double width, double top,
              std::string& svg) {
  constexpr double row_height = 26.0;
  for (const std::vector<LegendEntry>& row : rows) {
    double x = margin;
    for (const LegendEntry& entry : row) {
      const double entry_width = 50.0 + 6.5 * static_cast<double>(entry.text.size());
      if (x > margin && x + entry_width > width - margin) {
        x = margin;
        top += row_height;
      }
      svg += format_text(
                 "<line x1=\"%.0f\" y1=\"%.0f\" x2=\"%.0f\" y2=\"%.0f\" stroke=\"%s\" %s/>\n"
                 "<text x=\"%.0f\" y=\"%.0f\" font-size=\"13\">",
                 x, top, x + 24.0, top, xml_escaped(entry.colour).c_str(), stroke(entry.style),
                 x + 30.0, top + 4.0) +
             xml_escaped(entry.text) + "</text>\n";
      x += entry_width + 20.0;
    }
    top += row_height;
  }
  return top;
}

}  // namespace

const char* chart_colour(std::size_t index) {
  return level_colours[index % std::size(level_colours)];
}

std::string polar_charts_svg(const std::string& title, const std::vector<PolarChart>& charts,
                             const std::vector<std::vector<LegendEntry>>& legend_rows) {
  const int width = int(std::max<std::size_t>(charts.size(), 1)) * (chart_size + 2 * margin);
  double from = 0.0, to = 90.0;
  sector(charts, from, to);
  const double top_level = std::ceil(std::log2(largest_value(charts)) - 1e-9);
  std::string body = format_text("<text x=\"%d\" y=\"24\" font-size=\"15\">", margin) +
                     xml_escaped(title) + "</text>\n";
  for (std::size_t i = 0; i < charts.size(); ++i) {
    const double left = margin + double(i) * (chart_size + 2 * margin);
    const Frame f = frame_for(from, to, top_level, left, title_height + margin);
    body += format_text("<g>\n<text x=\"%.0f\" y=\"%d\" font-size=\"14\" font-weight=\"bold\">",
                        left, title_height + 12) +
            xml_escaped(charts[i].heading) + "</text>\n" + grid(f);
    for (const PolarCurve& c : charts[i].curves) body += curve(f, c);
    body += "</g>\n";
  }
  const double bottom =
      legend(legend_rows, width, title_height + chart_size + 2 * margin + 16, body);
  const int height = int(bottom) + 10;
  return format_text(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
             "viewBox=\"0 0 %d %d\" font-family=\"sans-serif\">\n"
             "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n",
             width, height, width, height) +
         body + "</svg>\n";
}

std::string angle_chart_svg(const std::vector<AngleSweep>& sweeps, const std::string& title) {
  std::vector<PolarChart> charts;
  std::vector<LegendEntry> levels;
  for (const bool trilinear : {true, false}) {
    PolarChart chart{filter_description(trilinear), {}};
    for (const AngleSweep& sweep : sweeps) {
      if (sweep.config.trilinear != trilinear) continue;
      const char* colour = colour_of(sweeps, sweep);
      // The ideal first and the measured curve last, on top.
      for (const auto& [value, style] :
           {std::pair{&AngleSample::invariant, LineStyle::dotted},
            std::pair{&AngleSample::formula, LineStyle::dashed},
            std::pair{&AngleSample::measured, LineStyle::solid}}) {
        PolarCurve c{{}, colour, style};
        for (const AngleSample& sample : sweep.samples)
          c.points.emplace_back(sample.degrees, sample.*value);
        chart.curves.push_back(std::move(c));
      }
      if (trilinear)
        levels.push_back({colour, LineStyle::solid,
                          sweep.config.anisotropy == 1.0f
                              ? std::string("isotropic")
                              : format_text("AF %g", double(sweep.config.anisotropy))});
    }
    charts.push_back(std::move(chart));
  }
  const std::vector<LegendEntry> styles = {
      {"#000", LineStyle::solid, "measured"},
      {"#000", LineStyle::dashed, "the extension's formula (Px, Py along the screen axes)"},
      {"#000", LineStyle::dotted, "rotation-invariant ideal (the footprint's true axes)"}};
  return polar_charts_svg(title, charts, {levels, styles});
}
