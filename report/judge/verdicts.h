// The verdicts of a report, for CI: each rule applied per panel, AF level and texture unit, each
// a pass or a fail with the figure that decided it, taken over the decisive quads; each named by
// a stable id that expectations files and CI can hold to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "report/model/report.h"

// Each rule names a defect that a user sees or pays for.
enum class Rule {
  reach,              // AF does not reach where it must: levels coarser than the isotropic ones
  aliasing,           // the picture shimmers more than the extension's formula's
  trilinear,          // a trilinear panel samples whole levels where it should blend two
  level_honoured,     // an AF level samples what its neighbour does: the level given is ignored
  af_without_effect,  // an AF panel samples the isotropic levels where it should sample finer
  unit,               // a unit's AF panels sample what unit 0's do
  bounds,             // retired: earlier reports' rule on both bounds at once, read from them
                      // but no longer judged
};

// "reach", "aliasing", "trilinear", "level honoured", "AF without effect", "unit", "bounds".
const char* rule_name(Rule rule);

// Every rule report.json may name, the retired among them.
inline constexpr Rule every_rule[] = {Rule::reach,          Rule::aliasing,
                                      Rule::trilinear,      Rule::level_honoured,
                                      Rule::af_without_effect, Rule::unit,
                                      Rule::bounds};

// Whether judge_report still judges `rule`.
bool judged(Rule rule);

struct Verdict {
  Rule rule;
  std::string subject;         // the panel's label, or "unit N"
  bool pass;
  double value;                // the number that decided: a share of quads, or a level difference
  std::string reason;          // the figure and the limit it was held to, in words
  bool expected_fail = false;  // an expectations file says it fails
};

// The verdict's stable id, "<rule>/<subject>" in lower case with dashes: the rule's name, then
// the subject's words without "level" ("level-honoured/trilinear-af-8",
// "reach/bilinear-isotropic", "unit/unit-2").
std::string verdict_id(const Verdict& verdict);

// The verdict in words, as the comparisons list it: "<rule's name>: <subject>".
std::string verdict_key(const Verdict& verdict);

// A panel fails its reach when more than this share of its decisive quads lies past the bound.
inline constexpr double bounds_failing_share = 0.01;

// A trilinear panel passes when at least this share of the pixels of its decisive quads that
// sample between level 0 and the coarsest blends two levels (more than blend_threshold from a
// whole level). The formula blends wherever λ' lies more than blend_threshold from a whole
// level: 80 % of the pixels where λ' spreads evenly, 83 to 86 % of this program's trilinear
// panels. A driver that blends only within ±b of each level change blends in about 1.6 b of them
// (2 b of the levels, less the ends of the band that read as whole), 1.8 b to 2.1 b here: 28 to
// 32 % for the band of ±0.15 that real drivers have shipped, none where AF drops trilinear.
// Half the formula's band, ±0.25, lies between.
inline constexpr double trilinear_blend_share = 0.5;

// Two panels whose levels differ by less than this on average sample the same levels, and two
// AF levels whose ideal levels differ by less ask for the same: the decoder's 1/255 steps and
// the drivers' level arithmetic move a level by a few hundredths. Over this program's plane the
// ideal levels of neighbouring AF levels differ by 0.17 (AF 8 and 16) to 1.00 (AF 2 and 4);
// softpipe's trilinear AF panels differ by 0.15 to 0.92, llvmpipe's, which take one anisotropy
// whatever level is asked for, by 0.00.
inline constexpr double af_effect_threshold = 0.1;

// The image quality of `panel` in `report` where it can judge aliasing: measured, with its
// flicker against the formula measured (a picture without contrast has none). Null otherwise.
const PanelQuality* aliasing_quality(const Report& report, const PanelMeasurement& panel);

// The verdicts of `report`, in order: reach per panel, aliasing per panel whose image quality
// was measured, trilinear per trilinear panel, AF without effect per AF panel (against the
// isotropic panel of its filter), level honoured per AF panel with effect, and unit per unit
// after unit 0.
// - A quad is coarser than it may be when its level lies more than report.tolerance coarser than
//   the isotropic level log2(Pmax) (for GL_LINEAR_MIPMAP_NEAREST the whole levels of either
//   rounding of core GL's rule); reach fails where more than bounds_failing_share of the decisive
//   quads are.
// - Aliasing fails where the panel's picture flickers more than aliasing_flicker_limit times the
//   formula's picture of the same panel (shows_aliasing), whatever levels it samples.
// - Trilinear fails where less than trilinear_blend_share of the decisive quads blend levels.
// - An AF panel is without effect when it samples the isotropic levels (a mean difference under
//   af_effect_threshold) where the extension's formula asks for levels at least one finer on
//   average.
// - An AF panel with effect fails level honoured when it samples the levels of a neighbouring
//   AF level of its filter (the next lower or higher one measured, isotropic aside): a mean
//   difference under af_effect_threshold where their ideal levels differ by af_effect_threshold
//   or more. The reason names the levels that coincide.
// - A unit fails when its AF panels differ from unit 0's by more than level_tolerance on
//   average.
std::vector<Verdict> judge_report(const Report& report);

// How many of `verdicts` fail.
std::size_t failed_count(const std::vector<Verdict>& verdicts);

// How a verdict came out against what was expected of it.
enum class Outcome {
  pass,      // passes, as expected
  fail,      // fails unexpectedly
  expected,  // fails, as expected
  fixed,     // passes, though expected to fail
};

Outcome outcome(const Verdict& verdict);

// How many of `verdicts` are expected to fail, passing or not.
std::size_t expected_failure_count(const std::vector<Verdict>& verdicts);

// Whether `verdict` is other than expected: a failure not expected, or a pass expected to fail
// (fixed).
bool unexpected(const Verdict& verdict);

// How many of `verdicts` are unexpected.
std::size_t unexpected_count(const std::vector<Verdict>& verdicts);
