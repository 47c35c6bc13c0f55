// The filters' and the panels' names.
#include "scene/panel_config.h"

#include "base/text_format.h"

const char* filter_name(bool trilinear) { return trilinear ? "trilinear" : "bilinear"; }

const char* min_filter_name(bool trilinear) {
  return trilinear ? "GL_LINEAR_MIPMAP_LINEAR" : "GL_LINEAR_MIPMAP_NEAREST";
}

std::string filter_description(bool trilinear) {
  return std::string(min_filter_name(trilinear)) + " (" + filter_name(trilinear) + ")";
}

std::string panel_label(bool trilinear, float anisotropy) {
  return anisotropy == 1.0f
             ? format_text("%s, isotropic", filter_name(trilinear))
             : format_text("%s, AF level %g", filter_name(trilinear), double(anisotropy));
}

std::vector<std::string> panel_text_lines(bool trilinear, float anisotropy, int unit,
                                          bool compressed, int colour_delta) {
  return {panel_label(trilinear, anisotropy),
          "color mipmap levels on TMU " + std::to_string(unit) + (compressed ? ",TC" : ""),
          "color delta threshold " + std::to_string(colour_delta)};
}

std::string configuration_label(const PanelConfig& config) {
  return panel_label(config.trilinear, config.anisotropy);
}

