// The anisotropic filtering extension's own formula on the CPU: the picture of the plane that a
// driver doing exactly what core GL's and Vulkan's sampling rules and the extension describe
// draws, pixel by pixel, with no graphics API. The reference renderer draws with it, and the
// aliasing verdict holds each driver's picture to it. Defects that real drivers have had can be
// planted in it, so that the tests can show that each verdict names its defect.
#pragma once

#include <vector>

#include "image/rgb_image.h"
#include "report/measure/panel_geometry.h"
#include "scene/panel_config.h"

// A mipmap chain as the formula samples it: each level's texels as floats on the 0 .. 255
// scale, repeating in both directions.
class FormulaTexture {
 public:
  // `levels` is a mipmap chain, level 0 first, each side a power of two.
  explicit FormulaTexture(const std::vector<RgbImage>& levels);

  int width() const { return levels_.front().width; }
  int height() const { return levels_.front().height; }
  int max_level() const { return static_cast<int>(levels_.size()) - 1; }

  // The bilinear filter of level `level` at the level-0 texel position (u, v), texel centres at
  // i + 0.5, adds `weight` times its red, green and blue to the first three of `rgba`.
  void add_bilinear(int level, float u, float v, float weight, float rgba[4]) const;

 private:
  struct Level {
    int width = 0, height = 0;
    float u_scale = 1.0f, v_scale = 1.0f;  // level texels per level-0 texel
    std::vector<float> rgba;              // texel (x, y) at 4 * (y * width + x), alpha 0
  };
  std::vector<Level> levels_;
};

// A defect planted in the formula. Each is one that real drivers have had; `strength` means
// what its comment says and is not used by the others.
enum class Defect {
  none,
  af_ignored,                  // every panel filtered isotropically, whatever its AF level
  af_level_ignored,            // every AF panel filtered at the maximum anisotropy
  trilinear_dropped,           // trilinear AF samples the whole level nearest λ'
  trilinear_narrowed,          // trilinear AF blends two levels only within ±strength of each
                               // level change (the half level), else samples the nearest one
  half_probes,                 // strength × N probes (at least one), spread over the same span
  af_on_unit_0_only,           // the units after 0 filter isotropically, on the share strength
                               // of the panel's columns of 2 × 2 quads, from the middle
  lod_bias_ignored,            // the LOD bias left out
  bilinear_af_without_effect,  // bilinear AF panels filtered isotropically
  coarse_reach,                // AF panels sample one level coarser than log2(Pmax), on the
                               // share strength of the panel's columns of 2 × 2 quads, from
                               // the middle
};

struct PlantedDefect {
  Defect defect = Defect::none;
  double strength = 1.0;
};

// One texture unit of a draw: its texture, or none for a white texel, and its LOD bias.
struct FormulaUnit {
  const FormulaTexture* texture = nullptr;
  float lod_bias = 0.0f;
};

// What the formula draws: the textures of units 0, 1, ... (their colours multiplied, as the
// test combines them) filtered as `config` says, with N probes at most config.anisotropy.
// `max_anisotropy` is the highest level the renderer takes, which Defect::af_level_ignored uses.
struct FormulaDraw {
  std::vector<FormulaUnit> units;
  PanelConfig config;
  float max_anisotropy = 16.0f;
  PlantedDefect defect;
};

// The picture of the plane (each quad carrying one repeat of each unit's texture) seen through
// `geometry`'s matrices over its width × height pixels on a black background, in 8-bit RGB,
// moved by (shift_x, shift_y) pixels as ideal_picture moves it. A pixel shows the plane where
// its centre does, in front of the near plane and before the far one. For each unit:
// - the texel derivatives at the pixel centre from the exact projection, Px and Py the lengths
//   of (du/dx, dv/dx) and (du/dy, dv/dy) in level-0 texels;
// - N = min(ceil(Pmax / Pmin), anisotropy) (1 for anisotropy 1), λ' = log2(Pmax / N) plus the
//   LOD bias: the core rule's λ = log2(Pmax) where N is 1;
// - ceil(N) probes at the pixel's window positions -1/2 + i / (probes + 1), i = 1 .. probes,
//   along the screen axis of Pmax, each at the texture position the derivatives give there,
//   their average the unit's colour;
// - each probe filtered by the min filter at λ': bilinear on the level the core rule picks
//   (nearest_mip_level) for GL_LINEAR_MIPMAP_NEAREST, the two levels around λ' blended by its
//   fraction for GL_LINEAR_MIPMAP_LINEAR, level 0 where λ' calls for magnification.
// The rows are shared among `threads` threads, one per core when 0.
RgbImage formula_picture(const FormulaDraw& draw, const PanelGeometry& geometry, double shift_x,
                         double shift_y, int threads = 0);
