// One set-up of the measured plane, and the names the test and the report give the filters and
// the panels.
#pragma once

#include <string>
#include <vector>

// "trilinear" or "bilinear", the filter's word in every label.
const char* filter_name(bool trilinear);

// "GL_LINEAR_MIPMAP_LINEAR" or "GL_LINEAR_MIPMAP_NEAREST", the minification filter's GL name.
const char* min_filter_name(bool trilinear);

// "GL_LINEAR_MIPMAP_LINEAR (trilinear)" or "GL_LINEAR_MIPMAP_NEAREST (bilinear)": both names at
// once, as the report's sentences and charts give a filter.
std::string filter_description(bool trilinear);

// A panel's label: "trilinear, isotropic" for anisotropy 1, else "bilinear, AF level 8" and the
// like, the level as printf's %g writes it.
std::string panel_label(bool trilinear, float anisotropy);

// The lines a panel of the test shows from its upper left corner down: its label (panel_label),
// the unit `unit` that carries the colour-mipmap texture, ",TC" after it when the texture is
// stored `compressed`, and the colour delta `colour_delta`.
std::vector<std::string> panel_text_lines(bool trilinear, float anisotropy, int unit,
                                          bool compressed, int colour_delta);

// One set-up of the plane to measure.
struct PanelConfig {
  bool trilinear = true;    // GL_LINEAR_MIPMAP_LINEAR, else GL_LINEAR_MIPMAP_NEAREST
  float anisotropy = 1.0f;  // GL_TEXTURE_MAX_ANISOTROPY_EXT
  int unit = 0;             // the unit that carries the colour-mipmap texture
  int units = 1;            // the units in use, 0 .. units - 1; the others carry a white texel
  float lod_bias = 0.0f;    // GL_TEXTURE_LOD_BIAS of the colour-mipmap texture
};

// The label of the panel `config` draws (panel_label).
std::string configuration_label(const PanelConfig& config);

