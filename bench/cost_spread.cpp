// How far the cost measurement moves from run to run: reads the report.json of several runs on
// one driver and prints each AF configuration's cost ratio in every run, their median and their
// spread, (max − min) / median. Given the runs of an idle machine as well (--idle), it prints how
// far each median moved from the idle one. Exits 1 where a spread is over --limit or a median
// moved more than --shift, after printing every configuration.
// Usage: kestrel-cost-spread --limit PERCENT [--shift PERCENT] REPORT... [--idle REPORT...]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "report/measure/cost_measurement.h"
#include "report/schema/stored_report.h"

namespace {

// Each AF configuration's cost ratio in each report, by its label, in the first report's order.
struct Ratios {
  std::vector<std::string> labels;
  std::map<std::string, std::vector<double>> values;
};

bool read_ratios(const std::vector<std::string>& paths, Ratios& ratios) {
  for (const std::string& path : paths) {
    StoredReport stored;
    std::string error;
    if (!read_stored_report(path, stored, error)) {
      std::fprintf(stderr, "kestrel-cost-spread: %s\n", error.c_str());
      return false;
    }
    for (const DrawCost& cost : stored.report.costs) {
      if (cost.config.anisotropy == 1.0f) continue;
      const std::string label = configuration_label(cost.config);
      if (!ratios.values.count(label)) ratios.labels.push_back(label);
      ratios.values[label].push_back(cost.relative.median);
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  double limit = -1.0, shift = 15.0;
  std::vector<std::string> runs, idle;
  std::vector<std::string>* into = &runs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--limit" || arg == "--shift") && i + 1 < argc)
      (arg == "--limit" ? limit : shift) = std::atof(argv[++i]);
    else if (arg == "--idle")
      into = &idle;
    else
      into->push_back(arg);
  }
  if (limit < 0.0 || runs.empty()) {
    std::fprintf(stderr, "usage: kestrel-cost-spread --limit PERCENT [--shift PERCENT] REPORT... "
                         "[--idle REPORT...]\n");
    return 2;
  }
  Ratios ratios, idle_ratios;
  if (!read_ratios(runs, ratios) || !read_ratios(idle, idle_ratios)) return 2;
  bool held = true;
  for (const std::string& label : ratios.labels) {
    const std::vector<double>& values = ratios.values[label];
    const double middle = median_interval(values).median;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const double spread = 100.0 * (*high - *low) / middle;
    std::printf("%-24s", label.c_str());
    for (const double value : values) std::printf(" %6.2f", value);
    std::printf("   median %6.2f, spread %5.1f %%", middle, spread);
    held = held && spread <= limit;
    if (idle_ratios.values.count(label)) {
      const double idle_middle = median_interval(idle_ratios.values[label]).median;
      const double moved = 100.0 * (middle / idle_middle - 1.0);
      std::printf(", %+5.1f %% from idle", moved);
      held = held && std::fabs(moved) <= shift;
    }
    std::printf("\n");
  }
  std::printf("%s: every spread within %g %%", held ? "held" : "missed", limit);
  if (!idle.empty()) std::printf(", every median within %g %% of the idle one", shift);
  std::printf("\n");
  return held ? 0 : 1;
}
