// A run against its baseline in words: each change named and valued, and regressions.md.
#pragma once

#include <string>

#include "report/judge/baseline.h"

// "trilinear, AF level 8: mean error", "bounds: bilinear, isotropic: verdict": what changed.
std::string change_name(const Change& change);

// The change's name with both values: "...: mean error 0.012 in the baseline, 0.456 in this run".
std::string change_description(const Change& change);

// How regressions.md shows `change`: the panel, or the verdict's rule and subject; the figure in
// words; and its value in the baseline or, when `now`, in the run (of a verdict, PASS or FAIL
// with the figure that decided).
std::string change_subject(const Change& change);
std::string change_figure(const Change& change);
std::string change_value(const Change& change, bool now);

// regressions.md: the run's provenance, the baseline and where it comes from elsewhere, how many
// figures regressed, improved and changed, those figures, and every figure beside the baseline's.
std::string regressions_markdown(const BaselineComparison& comparison);
