// The polar charts of angles.svg, written as SVG text.
#include "report/output/angle_chart.h"

#include <algorithm>
#include <cmath>

#include "interact/angles.h"
#include "report/output/text_format.h"

namespace {

constexpr int chart_size = 440;  // each chart's square, in SVG units
constexpr int margin = 40;       // around each chart, for the angle labels
constexpr int title_height = 40;
constexpr int legend_height = 70;

constexpr const char* level_colours[] = {"#444444", "#1f77b4", "#2ca02c", "#ff7f0e",
                                         "#d62728", "#9467bd", "#8c564b", "#e377c2"};

std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Each AF level keeps its colour in both charts: its place among the levels of its filter.
const char* colour_of(const std::vector<AngleSweep>& sweeps, const AngleSweep& sweep) {
  std::size_t index = 0;
  for (const AngleSweep& other : sweeps)
    if (other.config.trilinear == sweep.config.trilinear &&
        other.config.anisotropy < sweep.config.anisotropy)
      ++index;
  return level_colours[index % std::size(level_colours)];
}

// Where a chart's sector lies and how it maps onto the page.
struct Frame {
  double from = 0.0, to = 90.0;  // the sector, in degrees, whole quadrants
  double centre_x = 0.0, centre_y = 0.0, radius = 1.0;
  double top_level = 1.0;  // log2 of the anisotropy at the rim
};

// The whole quadrants that hold every angle of the sweeps, at most a full turn.
void sector(const std::vector<AngleSweep>& sweeps, double& from, double& to) {
  double low = 0.0, high = 0.0;
  bool any = false;
  for (const AngleSweep& sweep : sweeps)
    for (const AngleSample& sample : sweep.samples) {
      low = any ? std::min(low, sample.degrees) : sample.degrees;
      high = any ? std::max(high, sample.degrees) : sample.degrees;
      any = true;
    }
  from = 90.0 * std::floor(low / 90.0);
  to = std::max(90.0 * std::ceil(high / 90.0), from + 90.0);
  to = std::min(to, from + 360.0);
}

double largest_value(const std::vector<AngleSweep>& sweeps) {
  double largest = least_chart_anisotropy;
  for (const AngleSweep& sweep : sweeps)
    for (const AngleSample& s : sweep.samples)
      largest = std::max({largest, s.measured, s.formula, s.invariant});
  return largest;
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

// One curve through the samples, in the order of the angles.
std::string curve(const Frame& f, const AngleSweep& sweep, double AngleSample::*value,
                  const char* colour, const char* style, bool dots) {
  std::vector<AngleSample> samples = sweep.samples;
  std::stable_sort(samples.begin(), samples.end(), [](const AngleSample& a, const AngleSample& b) {
    return a.degrees < b.degrees;
  });
  std::string points, marks;
  for (const AngleSample& sample : samples) {
    double x = 0.0, y = 0.0;
    place(f, sample.degrees, sample.*value, x, y);
    points += format_text("%.1f,%.1f ", x, y);
    if (dots)
      marks +=
          format_text("<circle cx=\"%.1f\" cy=\"%.1f\" r=\"2.5\" fill=\"%s\"/>\n", x, y, colour);
  }
  return "<polyline fill=\"none\" stroke=\"" + std::string(colour) + "\" " + style + " points=\"" +
         points + "\"/>\n" + marks;
}

constexpr const char* solid = "stroke-width=\"2\"";
constexpr const char* dashed = "stroke-width=\"1.2\" stroke-dasharray=\"6 4\"";
constexpr const char* dotted = "stroke-width=\"1.2\" stroke-dasharray=\"1.5 3\"";

std::string legend(const std::vector<AngleSweep>& sweeps, double top) {
  std::string svg;
  double x = margin;
  for (const AngleSweep& sweep : sweeps) {
    if (!sweep.config.trilinear) continue;
    const char* colour = colour_of(sweeps, sweep);
    const std::string label = sweep.config.anisotropy == 1.0f
                                  ? std::string("isotropic")
                                  : format_text("AF %g", double(sweep.config.anisotropy));
    svg += format_text(
        "<line x1=\"%.0f\" y1=\"%.0f\" x2=\"%.0f\" y2=\"%.0f\" stroke=\"%s\" %s/>\n"
        "<text x=\"%.0f\" y=\"%.0f\" font-size=\"13\">%s</text>\n",
        x, top, x + 24.0, top, colour, solid, x + 30.0, top + 4.0, label.c_str());
    x += 40.0 + 8.0 * static_cast<double>(label.size()) + 20.0;
  }
  const struct {
    const char* style;
    const char* text;
  } styles[] = {{solid, "measured"},
                {dashed, "the extension's formula (Px, Py along the screen axes)"},
                {dotted, "rotation-invariant ideal (the footprint's true axes)"}};
  x = margin;
  for (const auto& s : styles) {
    svg += format_text(
        "<line x1=\"%.0f\" y1=\"%.0f\" x2=\"%.0f\" y2=\"%.0f\" stroke=\"#000\" %s/>\n"
        "<text x=\"%.0f\" y=\"%.0f\" font-size=\"13\">%s</text>\n",
        x, top + 26.0, x + 24.0, top + 26.0, s.style, x + 30.0, top + 30.0, s.text);
    x += 40.0 + 7.0 * static_cast<double>(std::char_traits<char>::length(s.text)) + 20.0;
  }
  return svg;
}

}  // namespace

std::string angle_chart_svg(const std::vector<AngleSweep>& sweeps, const std::string& title) {
  const int width = 2 * (chart_size + 2 * margin);
  const int height = title_height + chart_size + 2 * margin + legend_height;
  double from = 0.0, to = 90.0;
  sector(sweeps, from, to);
  const double top_level = std::ceil(std::log2(largest_value(sweeps)) - 1e-9);
  std::string svg = format_text(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
      "viewBox=\"0 0 %d %d\" font-family=\"sans-serif\">\n"
      "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n",
      width, height, width, height);
  svg += format_text("<text x=\"%d\" y=\"24\" font-size=\"15\">", margin) + escaped(title) +
         "</text>\n";
  for (const bool trilinear : {true, false}) {
    const double left = trilinear ? margin : 3 * margin + chart_size;
    const Frame f = frame_for(from, to, top_level, left, title_height + margin);
    svg += format_text(
        "<g>\n<text x=\"%.0f\" y=\"%d\" font-size=\"14\" font-weight=\"bold\">%s"
        "</text>\n",
        left, title_height + 12,
        filter_description(trilinear).c_str());
    svg += grid(f);
    for (const AngleSweep& sweep : sweeps) {
      if (sweep.config.trilinear != trilinear) continue;
      const char* colour = colour_of(sweeps, sweep);
      svg += curve(f, sweep, &AngleSample::invariant, colour, dotted, false);
      svg += curve(f, sweep, &AngleSample::formula, colour, dashed, false);
      svg += curve(f, sweep, &AngleSample::measured, colour, solid, true);
    }
    svg += "</g>\n";
  }
  svg += legend(sweeps, title_height + chart_size + 2 * margin + 16);
  svg += "</svg>\n";
  return svg;
}
