// The report's pictures: the test's window, and the labelled false-colour maps with legends.
#include "report/pictures/report_pictures.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "image/picture_text.h"
#include "report/measure/float_picture.h"
#include "report/pictures/heat_map.h"
#include "scene/scene.h"

namespace {

// The strip below a map: a title, a colour bar with evenly spaced tick labels, and a swatch of
// the plane pixels that were not measured.
struct Legend {
  std::vector<std::string> title;  // lines
  RgbImage bar{0, 0};
  std::vector<std::string> ticks;  // from the bar's left end to its right end
};

constexpr int legend_height = 50;
constexpr RgbTexel legend_paper = {40, 40, 40};
constexpr int bar_left = 256;
constexpr int bar_top = 20;
constexpr int bar_width = 480;
constexpr int bar_height = 12;
constexpr int swatch_size = 12;

void fill(RgbImage& canvas, int left, int bottom, int width, int height, RgbTexel colour) {
  for (int y = bottom; y < bottom + height; ++y) std::fill_n(&canvas.texel(left, y), width, colour);
}

RgbImage legend_strip(int width, const Legend& legend) {
  RgbImage strip(width, legend_height);
  fill(strip, 0, 0, width, legend_height, legend_paper);
  // Rows count from the bottom in an RgbImage, from the top in the texts.
  paste(strip, legend.bar, bar_left, legend_height - bar_top - bar_height);
  const int swatch_left = bar_left + bar_width + 40;
  fill(strip, swatch_left, legend_height - bar_top - swatch_size, swatch_size, swatch_size,
       unmeasured_colour);
  std::vector<PlacedText> texts = {{swatch_left + swatch_size + 6, bar_top + 10, "not measured"}};
  for (std::size_t line = 0; line < legend.title.size(); ++line)
    texts.push_back({4, 16 + 14 * static_cast<int>(line), legend.title[line]});
  const int intervals = std::max(static_cast<int>(legend.ticks.size()) - 1, 1);
  for (std::size_t i = 0; i < legend.ticks.size(); ++i) {
    const int centre = bar_left + (bar_width - 1) * static_cast<int>(i) / intervals;
    const int text_width = overlay_glyph_width * static_cast<int>(legend.ticks[i].size());
    texts.push_back({centre - text_width / 2, bar_top + bar_height + 12, legend.ticks[i]});
  }
  return print_over(strip, texts);
}

// `top` above `bottom`, both of the same width.
RgbImage stacked(const RgbImage& top, const RgbImage& bottom) {
  RgbImage both(top.width(), top.height() + bottom.height());
  paste(both, bottom, 0, 0);
  paste(both, top, 0, bottom.height());
  return both;
}

// The panels' pictures laid out as the test lays out its panels, one column per AF level and
// the bilinear row above the trilinear one, each labelled where the test prints its label, above
// the legend.
RgbImage panels_picture(const Report& report,
                        const std::function<RgbImage(const PanelMeasurement&)>& picture_of,
                        const Legend& legend) {
  const int columns = static_cast<int>(report.anisotropy_levels.size());
  const int width = columns * report.panel_width, height = 2 * report.panel_height;
  RgbImage map(width, height);
  std::vector<PlacedText> labels;
  for (const PanelMeasurement& panel : report.panels) {
    const auto level = std::find(report.anisotropy_levels.begin(), report.anisotropy_levels.end(),
                                 panel.config.anisotropy);
    const int left =
        static_cast<int>(level - report.anisotropy_levels.begin()) * report.panel_width;
    const int bottom = panel.config.trilinear ? 0 : report.panel_height;
    paste(map, picture_of(panel), left, bottom);
    labels.push_back(
        {left + panel_text_x, height - bottom - report.panel_height + panel_label_y,
         configuration_label(panel.config)});
  }
  return stacked(print_over(map, labels), legend_strip(width, legend));
}

std::vector<std::string> numbers(int from, int to, bool signs, int step = 1) {
  std::vector<std::string> ticks;
  for (int n = from; n <= to; n += step)
    ticks.push_back(signs && n > 0 ? "+" + std::to_string(n) : std::to_string(n));
  return ticks;
}

// The pixels the image quality counts in white, the others unmeasured.
RgbImage counted_pixels(const IdealPicture& ideal) {
  const FloatPicture& picture = ideal.picture;
  RgbImage counted(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      counted.texel(x, y) = ideal.valid[std::size_t(y) * picture.width + x]
                                ? RgbTexel{255, 255, 255}
                                : unmeasured_colour;
  return counted;
}

// One filter's two rows of the quality figure: the pictures above their differences, the ideal
// picture and the counted pixels in the first column, labelled.
RgbImage quality_rows(const Report& report, bool trilinear) {
  const QualityReport& quality = report.quality;
  const int w = report.panel_width, h = report.panel_height;
  const int width = (1 + static_cast<int>(report.anisotropy_levels.size())) * w;
  RgbImage rows(width, 2 * h);
  paste(rows, rounded_picture(quality.ideal.picture), 0, h);
  paste(rows, counted_pixels(quality.ideal), 0, 0);
  std::vector<PlacedText> labels = {{panel_text_x, panel_label_y, "ideal (EWA)"},
                                    {panel_text_x, h + panel_label_y, "pixels counted"}};
  for (const PanelQuality& panel : quality.panels) {
    if (panel.config.trilinear != trilinear) continue;
    const auto level = std::find(report.anisotropy_levels.begin(), report.anisotropy_levels.end(),
                                 panel.config.anisotropy);
    const int left = (1 + static_cast<int>(level - report.anisotropy_levels.begin())) * w;
    paste(rows, panel.picture, left, h);
    paste(rows, picture_difference(panel.picture, quality.ideal), left, 0);
    const QualityFigures& f = panel.figures;
    labels.push_back({left + panel_text_x, panel_label_y, configuration_label(panel.config)});
    labels.push_back({left + panel_text_x, h + panel_label_y, "minus the ideal"});
    labels.push_back({left + panel_text_x, h + panel_label_y + panel_line_spacing,
                      format_text("PSNR %.1f dB, detail %.2f", f.psnr, f.detail)});
    labels.push_back({left + panel_text_x, h + panel_label_y + 2 * panel_line_spacing,
                      format_text("flicker %.2f", f.flicker)});
  }
  return print_over(rows, labels);
}

}  // namespace

RgbImage measured_levels_picture(const Report& report) {
  const int max_level = color_mip_max_level();
  return panels_picture(
      report,
      [max_level](const PanelMeasurement& panel) {
        return measured_level_picture(panel, max_level);
      },
      {{"measured mip level"}, level_colour_bar(bar_width, bar_height, max_level),
       numbers(0, max_level, false)});
}

RgbImage level_errors_picture(const Report& report) {
  const int range = static_cast<int>(error_range);
  return panels_picture(report, level_error_picture,
                        {{"measured - reference level", "(- sharper, + blurrier)"},
                         error_colour_bar(bar_width, bar_height), numbers(-range, range, true)});
}

RgbImage quality_comparison_picture(const Report& report) {
  const int range = static_cast<int>(difference_range);
  const RgbImage rows =
      stacked(quality_rows(report, false), quality_rows(report, true));
  return stacked(rows, legend_strip(rows.width(),
                                    {{"picture - ideal brightness", "(- darker, + brighter)"},
                                     error_colour_bar(bar_width, bar_height),
                                     numbers(-range, range, true, range / 2)}));
}
