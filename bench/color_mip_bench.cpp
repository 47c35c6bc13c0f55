// Times the texel generation of the sixteen colour-mipmap textures (GL upload excluded) against
// the direct per-texel formula, checks that both give the same bytes, and prints the speed-up.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "image/color_mip_levels.h"
#include "color_mip_direct.h"

namespace {

constexpr int texture_size = 256;
constexpr int texture_count = 16;

// The levels of the sixteen textures, one after another.
void generate_textures() {
  const ColorMipPattern pattern(texture_size);
  for (int k = 0; k < texture_count; ++k)
    generate_color_mip_levels(pattern, 2 * k, [](int, int, const unsigned char* texels) {
      benchmark::DoNotOptimize(texels);
      benchmark::ClobberMemory();
    });
}

void generate_textures_directly(std::vector<unsigned char>& texels) {
  for (int k = 0; k < texture_count; ++k) {
    for (int level = 0; texture_size >> level > 0; ++level) {
      fill_color_mip_level_direct(texture_size, 2 * k, level, texels.data());
      benchmark::DoNotOptimize(texels.data());
      benchmark::ClobberMemory();
    }
  }
}

void BM_generator(benchmark::State& state) {
  for (auto _ : state) generate_textures();
}
BENCHMARK(BM_generator)->Unit(benchmark::kMillisecond);

void BM_direct_formula(benchmark::State& state) {
  // One level-0-sized buffer reused for every level, as the generator does.
  std::vector<unsigned char> texels(texture_size * texture_size * 3);
  for (auto _ : state) generate_textures_directly(texels);
}
BENCHMARK(BM_direct_formula)->Unit(benchmark::kMillisecond);

// Every level of every texture, byte for byte.
bool outputs_identical() {
  const ColorMipPattern pattern(texture_size);
  std::vector<unsigned char> direct(texture_size * texture_size * 3);
  bool identical = true;
  for (int k = 0; k < texture_count; ++k) {
    const int delta = 2 * k;
    generate_color_mip_levels(pattern, delta, [&](int level, int n, const unsigned char* texels) {
      fill_color_mip_level_direct(texture_size, delta, level, direct.data());
      if (std::memcmp(texels, direct.data(), static_cast<std::size_t>(n) * n * 3) != 0) {
        std::printf("colour delta %d, level %d: the generator's texels differ\n", delta, level);
        identical = false;
      }
    });
  }
  return identical;
}

// The heap bytes that one generation of the sixteen textures leaves allocated.
long long heap_kept_by_generation() {
  const std::size_t before = mallinfo2().uordblks;
  generate_textures();
  return static_cast<long long>(mallinfo2().uordblks) - static_cast<long long>(before);
}

// Keeps the fastest CPU time per iteration of each benchmark while reporting as usual. CPU time,
// because other work on the machine stretches the real time of both unevenly.
class TimeKeeper : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
      auto [entry, added] = fastest_.emplace(run.run_name.function_name, seconds);
      if (!added) entry->second = std::min(entry->second, seconds);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The fastest time of `name`, or 0 when it did not run.
  double fastest(const std::string& name) const {
    const auto entry = fastest_.find(name);
    return entry == fastest_.end() ? 0.0 : entry->second;
  }

 private:
  std::map<std::string, double> fastest_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const bool identical = outputs_identical();
  std::printf("heap kept after generating the sixteen textures: %lld bytes\n",
              heap_kept_by_generation());
  TimeKeeper reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double generator = reporter.fastest("BM_generator");
  const double direct = reporter.fastest("BM_direct_formula");
  if (generator <= 0.0 || direct <= 0.0) {
    std::printf("speed-up over the direct formula: not measured (both benchmarks must run)\n");
    return identical ? 0 : 1;
  }
  std::printf("speed-up over the direct formula: %.1fx (%s)\n", direct / generator,
              identical ? "outputs identical" : "outputs DIFFER");
  return identical ? 0 : 1;
}
