// Reports of several drivers or machines side by side, read from their folders: compare.md with
// their strings, verdicts, panels, image quality and pictures, and compare.svg with their angle
// curves on one chart.
#pragma once

#include <string>
#include <vector>

#include "report/judge/baseline.h"

// Each function below takes one report or more.

// One report of a comparison.
struct ComparedReport {
  std::string name;     // as the comparison calls it: the folder as given
  std::string folder;   // the report's folder as a link from the comparison's folder
  StoredReport stored;  // its report.json
  std::string summary;  // its summary.md; empty when it has none
};

// Orders `reports` by driver, then by release: the first word of the renderer (and "through
// Vulkan"), then the version after "Mesa " in the driver's version (else the whole version),
// digits compared as numbers; reports of the same driver and release keep their order.
void order_by_driver(std::vector<ComparedReport>& reports);

// The AF levels that compare.svg draws, a chart each: those above 1 at which every report swept
// the angles with trilinear filtering, in increasing order; 1 alone when they share no other.
std::vector<float> compared_levels(const std::vector<ComparedReport>& reports);

// The angles that every report measured, in the first report's order.
std::vector<double> shared_angles(const std::vector<ComparedReport>& reports);

// compare.md: a link to every report, the settings in which they differ (compared where they
// overlap: the panels of the same label, the angles all measured), then side by side their
// verdicts, the figures in which they differ most, a line per driver on what changed from its
// release before (in the order given, order_by_driver's), their driver strings and settings,
// the figures of each panel every report holds,
// the image quality of those panels when any report measured it ("–" for a report without),
// compare.svg, and their pictures linked through `folder`; last each report's summary.md.
std::string comparison_markdown(const std::vector<ComparedReport>& reports);

// compare.svg: a polar chart of the measured effective anisotropy against the turn per
// compared_levels level, side by side, with trilinear filtering over the shared_angles, one
// colour per report; so the levels where the reports differ most show beside those where they
// agree.
std::string comparison_svg(const std::vector<ComparedReport>& reports);
