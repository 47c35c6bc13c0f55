// What a report's numbers say about the driver, in plain sentences for report.md and
// report.json: whether the isotropic levels are right, whether trilinear filtering still blends
// with AF on, whether AF works with each filter and honours the anisotropy asked for, whether
// levels are sharper or blurrier than allowed, whether AF reaches every unit, whether the
// strongest AF filters every direction alike, and what AF costs.
#pragma once

#include <string>
#include <vector>

#include "report/draw/report.h"

// A share of quads or pixels above this is worth a sentence; smaller shares stay in the tables.
inline constexpr double notable_share = 0.05;

// What a finding says, one value per sentence the report can make.
enum class Fact {
  isotropic_right,           // the isotropic panels sample core GL's levels
  isotropic_strays,          // they do not
  never_blends,              // trilinear filtering does not blend even without AF
  blends_with_af,            // trilinear filtering blends with AF on as well
  stops_blending_with_af,    // it samples whole levels once AF is on
  af_without_effect,         // the AF panels of a filter sample the isotropic levels
  af_level_no_difference,    // AF works but every level asked for samples the same
  af_grows,                  // AF works and grows with the level asked for
  none_sharper,              // no panel samples finer than the extension allows
  sharper,                   // some panels do
  none_blurrier,             // no panel is notably blurrier than the reference
  blurrier,                  // some panels are
  one_unit,                  // only one unit was measured
  every_unit,                // AF reaches every unit alike
  units_differ,              // some unit samples other levels than unit 0
  af_without_effect_turned,  // the strongest AF's angle curve lies on the isotropic one
  direction_alike,           // the strongest AF filters every direction alike
  direction_dependent,       // its effective anisotropy depends on the direction
  af_cost,                   // what the strongest AF costs against the isotropic draw
};

// One finding: what it says and the sentence that says it, with the numbers behind it.
struct Finding {
  Fact fact;
  std::string text;
};

// The findings of `report`, one sentence each, in a fixed order. Panels the report lacks are
// left out of the sentences that need them.
std::vector<Finding> describe_findings(const Report& report);
