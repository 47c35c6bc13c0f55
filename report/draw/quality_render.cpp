// The panels drawn with the quality texture at sub-pixel offsets, read back and compared with
// the ideal filter's pictures.
#include "report/draw/quality_render.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>

#include "image/box_filter.h"
#include "image/upload_image.h"
#include "report/draw/panel_render.h"
#include "report/draw/run_times.h"
#include "report/measure/parallel_for.h"

void build_quality_texture(TextureObject2D& texture, const RgbImage& level0) {
  texture.bind();
  upload_mip_chain(mip_chain(level0));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glBindTexture(GL_TEXTURE_2D, 0);
}

QualityReport measure_quality(const std::vector<PanelConfig>& configs, const SceneView& view,
                              const RgbImage& picture, const std::string& name, int width,
                              int height, TextureObject2D& neutral) {
  QualityReport quality;
  quality.texture = name;
  quality.texture_width = picture.width();
  quality.texture_height = picture.height();
  quality.offsets = quality_offsets;
  std::fprintf(stderr,
               "kestrel-report: measuring the image quality against the ideal filter, %d "
               "offsets\n",
               quality_offsets);
  const PanelGeometry geometry = panel_geometry(view, width, height);
  const OffsetStep step = flicker_step(geometry, quality_offsets);
  quality.step_x = step.x;
  quality.step_y = step.y;
  const auto start = std::chrono::steady_clock::now();
  const float lod_bias = configs.empty() ? 0.0f : configs.front().lod_bias;
  std::vector<IdealPicture> ideal =
      ideal_pictures(EwaTexture(picture), geometry, lod_bias, quality_offsets, step);
  for (const IdealPicture& offset : ideal) quality.taps += offset.taps;
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  quality.reference_seconds = seconds.count();
  run_times.reference += quality.reference_seconds;
  TextureObject2D texture;
  build_quality_texture(texture, picture);
  // Drawn one after the other, compared on every core.
  std::vector<std::vector<RgbImage>> drawn(configs.size());
  for (std::size_t i = 0; i < configs.size(); ++i)
    for (int k = 0; k < quality_offsets; ++k)
      drawn[i].push_back(render_configuration(configs[i], view, width, height, neutral, &texture,
                                              k * step.x, k * step.y));
  const PhaseTimer timer(&RunTimes::analysis);
  quality.panels.resize(configs.size());
  parallel_for(static_cast<int>(configs.size()), [&](int i) {
    std::vector<FloatPicture> driver;
    for (const RgbImage& picture : drawn[i]) driver.push_back(float_picture(picture));
    quality.panels[i] = compare_with_ideal(configs[i], ideal, driver);
  });
  quality.ideal = std::move(ideal.front());
  return quality;
}
