// The image quality of the panels on the driver: the test texture drawn at sub-pixel offsets
// and compared with the ideal filter's pictures at the same offsets.
#pragma once

#include <string>
#include <vector>

#include "image/rgb_image.h"
#include "image/texture_object.h"
#include "interact/pose.h"
#include "report/draw/report.h"
#include "report/measure/image_quality.h"

// The sub-pixel steps of the flicker measure: the plane moved by 0, 1/8, ..., 7/8 of a pixel
// along the way it recedes.
inline constexpr int quality_offsets = 8;

// Defines `texture` as `level0`, whose sides must be powers of two, with the mipmap chain the box
// filter makes of it (mip_chain), so that the driver's own mipmap generation plays no part.
// Needs the GL context current.
void build_quality_texture(TextureObject2D& texture, const RgbImage& level0);

// Draws each of `configs` seen in `view` (the texture on unit 0, config.units 1) with `picture` at
// quality_offsets sub-pixel offsets into width × height pixels and compares them with the ideal
// pictures of the same offsets, computed once on the CPU and shared by every configuration.
// `name` says in the report what `picture` is. Writes a progress line to standard error. Needs
// the test started.
QualityReport measure_quality(const std::vector<PanelConfig>& configs, const SceneView& view,
                              const RgbImage& picture, const std::string& name, int width,
                              int height, TextureObject2D& neutral);
