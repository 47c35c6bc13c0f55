// Times the ideal filter: whole ideal pictures of the test's panel as the report computes them,
// and single averages over footprints of growing size and anisotropy, in texels weighed a second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "image/color_mip_levels.h"
#include "report/measure/ewa_filter.h"
#include "report/measure/panel_geometry.h"
#include "scene/scene.h"

namespace {

constexpr int texture_size = 256;
constexpr int panel_size = 256;

// Level 0 of a colour-mipmap texture, the detail the report's ideal pictures filter.
RgbImage test_texture() {
  RgbImage image(texture_size, texture_size);
  generate_color_mip_levels(
      ColorMipPattern(texture_size), 64, [&](int level, int n, const unsigned char* texels) {
        if (level != 0) return;
        for (int i = 0; i < n * n; ++i)
          image.texels()[i] = {texels[3 * i], texels[3 * i + 1], texels[3 * i + 2]};
      });
  return image;
}

// The panel where the test starts.
const PanelGeometry& start_geometry() {
  static const PanelGeometry geometry =
      panel_geometry(start_view(start_zoom), panel_size, panel_size);
  return geometry;
}

// One ideal picture of the panel where the test starts, on state.range(0) threads.
void BM_ideal_picture(benchmark::State& state) {
  const PanelGeometry& geometry = start_geometry();
  const EwaTexture texture(test_texture());
  const int threads = static_cast<int>(state.range(0));
  std::int64_t taps = 0, valid = 0;
  for (auto _ : state) {
    const IdealPicture ideal = ideal_picture(texture, geometry, 0.0, 0.0, 0.0, threads);
    taps += ideal.taps;
    valid = 0;
    for (const std::uint8_t v : ideal.valid) valid += v;
    benchmark::DoNotOptimize(ideal.picture.values.data());
  }
  state.counters["taps/s"] =
      benchmark::Counter(static_cast<double>(taps), benchmark::Counter::kIsRate);
  state.counters["taps/picture"] = static_cast<double>(taps) / state.iterations();
  state.counters["valid pixels"] = static_cast<double>(valid);
}
// Real time: the picture's threads run beside the timing one.
BENCHMARK(BM_ideal_picture)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// One average over a footprint whose major axis spans state.range(1) texels per pixel and whose
// minor axis is state.range(0) times shorter, slanted by 30 degrees so that the rows of the
// ellipse do not line up with the texel rows.
void BM_average(benchmark::State& state) {
  const EwaTexture texture(test_texture());
  const double anisotropy = static_cast<double>(state.range(0));
  const double major = static_cast<double>(state.range(1));
  const double cos30 = std::sqrt(3.0) / 2.0, sin30 = 0.5;
  TexelDerivatives d;
  d.dudx = major * cos30;
  d.dvdx = major * sin30;
  d.dudy = -major / anisotropy * sin30;
  d.dvdy = major / anisotropy * cos30;
  // Centres spread over the texture, so that the average does not read the same cached texels
  // in every call.
  std::vector<double> centres;
  for (int k = 0; k < 64; ++k) centres.push_back(k * 37.3);
  std::int64_t taps = 0;
  std::size_t k = 0;
  for (auto _ : state) {
    double rgb[3];
    const double centre = centres[k++ % centres.size()];
    taps += texture.average(centre, 0.7 * centre, d, 0.0, rgb);
    benchmark::DoNotOptimize(rgb);
  }
  state.counters["taps/s"] =
      benchmark::Counter(static_cast<double>(taps), benchmark::Counter::kIsRate);
  state.counters["taps/call"] = static_cast<double>(taps) / state.iterations();
}
BENCHMARK(BM_average)->ArgNames({"anisotropy", "major"})->ArgsProduct({{1, 4, 16}, {1, 4, 16, 64}});

}  // namespace
