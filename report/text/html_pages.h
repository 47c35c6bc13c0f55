// report.html and compare.html: report.md's and compare.md's facts on one page each, readable in
// any browser, with the pictures and charts inside the page: nothing is fetched, nothing runs.
// Every text that comes from the driver or from a file is escaped.
#pragma once

#include <string>
#include <vector>

#include "report/judge/baseline.h"
#include "report/judge/findings.h"
#include "report/judge/verdicts.h"
#include "report/model/report.h"

// The report's pictures as the bytes of their PNG files, and angles.svg as text.
struct ReportPictures {
  std::string panels;        // panels.png
  std::string levels;        // lod-measured.png
  std::string level_errors;  // lod-error.png
  std::string quality;       // quality.png
  std::string angles_svg;    // angles.svg
};

// report.html: the driver and the settings, the verdicts coloured by pass and fail (each row of
// the table of verdicts with its rule, subject and pass in data-rule, data-subject and data-pass),
// the panels with panels.png, the level maps with the distance bands and the units, the image
// quality with quality.png when it was measured, the angle chart with its tables, the costs,
// the findings and, when `baseline` is given, the run against it: the regressed figures, then
// every figure, each change's row of class "regressed" when it regressed.
std::string report_html(const Report& report, const std::vector<Finding>& findings,
                        const std::vector<Verdict>& verdicts, const BaselineComparison* baseline,
                        const ReportPictures& pictures);

// compare.html: compare.md, the Markdown `markdown`, with compare.svg, the SVG document `svg`,
// inside the page and each report's own pictures linked, so that the page loads nothing from
// their folders.
std::string comparison_html(const std::string& markdown, const std::string& svg);
