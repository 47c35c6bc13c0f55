// The report's text files (report.json, with every number, is the schema's: report_json.h):
// report.md, the readable summary with the driver's strings, the settings, the findings in plain
// words and the tables, the image quality against the ideal filter among them; and summary.md,
// the driver's section of a comparison of drivers; and the parts of report.md, which report.html
// arranges beside the pictures.
#pragma once

#include <string>
#include <vector>

#include "report/judge/findings.h"
#include "report/judge/verdicts.h"
#include "report/model/report.h"

// report.md: the same as a summary for people, the verdicts in a table near the top, with the
// pictures linked; the image quality only when it was measured.
std::string report_markdown(const Report& report, const std::vector<Finding>& findings,
                            const std::vector<Verdict>& verdicts);

// summary.md: a section headed by the renderer's name with the driver, the settings, the
// verdicts, the findings and the tables of the panels, the image quality (when measured), the
// costs and the angle sweeps, its subsections one heading level down, for compare.md.
std::string summary_markdown(const Report& report, const std::vector<Finding>& findings,
                             const std::vector<Verdict>& verdicts);

// The parts of report.md that report.html sets beside the pictures, each in Markdown.
enum class ReportPart {
  driver,         // the driver's strings, the platform and the settings, as a list
  warnings,       // what the start-up warned of; empty without warnings
  verdict_rules,  // what each rule holds its subjects to, a sentence without a heading
  panels,         // each panel's figures
  bands,          // the effective anisotropy by distance
  quality,        // the image quality, without a link to quality.png; empty when not measured
  units,          // the texture units
  angles,         // the angle sweeps
  costs,          // what AF costs
};

// `part` of `report`, headed at the Markdown heading `heading` ("##", "###") where it has a
// heading.
std::string report_part(ReportPart part, const Report& report, const char* heading);
