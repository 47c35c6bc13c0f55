// The verdicts of a report, for CI: each rule applied per panel, AF level and texture unit,
// each a pass or a fail with the figure that decided it, taken over the decisive quads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "report/model/report.h"

enum class Rule {
  bounds,             // the levels lie within what the extension and core GL allow
  af_without_effect,  // an AF panel samples finer levels than the isotropic one where it should
  unit,               // a unit's AF panels sample what unit 0's do
};

// "bounds", "AF without effect", "unit".
const char* rule_name(Rule rule);

struct Verdict {
  Rule rule;
  std::string subject;  // the panel's label, or "unit N"
  bool pass;
  double figure;        // the number that decided: a share of quads, or a level difference
  std::string reason;   // the figure and the limit it was held to, in words
};

// A panel fails its bounds when more than this share of its decisive quads lies outside them.
inline constexpr double bounds_failing_share = 0.01;

// An AF panel whose levels differ from the isotropic panel's by less than this, on average,
// samples the isotropic levels.
inline constexpr double af_effect_threshold = 0.1;

// The verdicts of `report`, in order: bounds per panel, AF without effect per AF panel (against
// the isotropic panel of its filter), and unit per unit after unit 0. A quad is out of bounds
// when its level lies more than report.tolerance finer than the finest level the extension allows,
// log2(Pmax / N), or coarser than the isotropic level log2(Pmax) (for GL_LINEAR_MIPMAP_NEAREST
// the whole levels of either rounding of core GL's rule). An AF panel is without effect when it
// samples the isotropic levels (a mean difference under af_effect_threshold) where the
// extension's formula asks for levels at least one finer on average. A unit fails when its AF
// panels differ from unit 0's by more than level_tolerance on average.
std::vector<Verdict> judge_report(const Report& report);

// How many of `verdicts` fail.
std::size_t failed_count(const std::vector<Verdict>& verdicts);
