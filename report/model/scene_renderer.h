// What the report asks of a graphics API, and all it asks: the test's scene drawn offscreen one
// panel at a time and read back, each panel's draws timed and by which clock, the driver's
// strings and the test's window. The measurement works through this alone; each API implements
// it in the draw layer.
#pragma once

#include <string>

#include "image/rgb_image.h"
#include "interact/pose.h"
#include "report/model/report.h"

// The texture a panel shows on its measured unit.
enum class PanelTexture {
  level_colours,  // the colour-mipmap texture of colour delta 0, one flat colour a level
  quality,        // the picture of set_quality_texture
};

class SceneRenderer {
 public:
  virtual ~SceneRenderer() = default;

  // The driver's strings and the limits it advertises.
  virtual DriverInfo driver() const = 0;

  // The test's window as it starts, its panels labelled, as panels.png shows it.
  virtual RgbImage test_window() = 0;

  // Makes `level0`, whose sides are powers of two, with the box filter's mipmap chain (mip_chain),
  // the texture that PanelTexture::quality shows.
  virtual void set_quality_texture(const RgbImage& level0) = 0;

  // Draws the plane of `config` alone, seen in `view` and moved by (shift_x, shift_y) pixels,
  // into width × height pixels and reads them back: `texture` on config.unit with the LOD bias
  // config.lod_bias, a white texel on the other units in use.
  virtual RgbImage draw(const PanelConfig& config, const SceneView& view, int width, int height,
                        PanelTexture texture, double shift_x = 0.0, double shift_y = 0.0) = 0;

  // Draws the plane of `config` alone, seen in `view`, into width × height pixels `draws` times
  // back to back after one clear, each draw passing the depth test and filtering every pixel
  // again as the first does, and gives the time the draws took together, in milliseconds, by
  // cost_clock. Nothing is read back.
  virtual double time_draws(const PanelConfig& config, const SceneView& view, int width,
                            int height, int draws) = 0;

  // The clock that time_draws reads, in words: "GL timer queries (GL_TIME_ELAPSED)".
  virtual std::string cost_clock() const = 0;
};
