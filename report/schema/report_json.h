// report.json: the writer of the schema that read_stored_report reads back.
#pragma once

#include <string>
#include <vector>

#include "report/judge/baseline.h"
#include "report/judge/findings.h"
#include "report/judge/verdicts.h"
#include "report/model/report.h"

// report.json: the driver, the panel size, the settings, the thresholds, the verdicts, each
// panel's and each unit's statistics with their distance bands, the angle sweeps, the costs,
// the image quality of each panel and distance band when it was measured, and the findings; and,
// when `baseline` is given, the run against it: its file, whether the run regressed, every
// figure beside the baseline's and what the baseline lacks.
std::string report_json(const Report& report, const std::vector<Finding>& findings,
                        const std::vector<Verdict>& verdicts,
                        const BaselineComparison* baseline = nullptr);
