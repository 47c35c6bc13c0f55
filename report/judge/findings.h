// What a report's numbers say about the driver, in plain sentences for report.md and
// report.json: whether the isotropic levels are right, whether trilinear filtering still blends
// with AF on, whether AF works with each filter and honours the anisotropy asked for, whether
// levels are sharper or blurrier than allowed, whether AF reaches every unit, whether the
// strongest AF filters every direction alike, what AF costs, and, when the image quality was
// measured, which AF level keeps most detail, where the picture flickers and whether AF buys
// detail or aliasing.
#pragma once

#include <string>
#include <vector>

#include "report/model/report.h"

// A share of quads or pixels above this is worth a sentence; smaller shares stay in the tables.
inline constexpr double notable_share = 0.05;

// Detail kept that differs by less than this counts as the same: the tables show two decimals,
// and a level that keeps no visibly more detail is not worth its cost.
inline constexpr double detail_resolution = 0.01;

// The image-quality findings, only when it was measured, each over the panels that hold it:
// - For each filter, the panel that keeps most detail is, of those whose detail kept lies within
//   detail_resolution of the highest, the one of the lowest AF level, as it costs least:
//   most_detail when it shows no aliasing (shows_aliasing); most_detail_aliased, which then
//   also names the panel that keeps most detail without aliasing, when it does.
// - flickers names each panel whose flicker over the plane or in a distance band is above
//   flicker_limit, with those bands; none_flickers says the highest when none is.
// - For each filter with an isotropic panel and AF panels: af_buys_aliasing when an AF panel
//   shows aliasing while the isotropic panel does not; else af_buys_detail when an AF panel
//   without aliasing keeps more than detail_resolution more detail than the isotropic one (the
//   most detailed is named); else af_buys_nothing.

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
  sharper,                   // some panels do, and which of them stay free of aliasing
  none_blurrier,             // no panel is notably blurrier than the reference
  blurrier,                  // some panels are
  one_unit,                  // only one unit was measured
  every_unit,                // AF reaches every unit alike
  units_differ,              // some unit samples other levels than unit 0
  af_without_effect_turned,  // the strongest AF's angle curve lies on the isotropic one
  direction_alike,           // the strongest AF filters every direction alike
  direction_dependent,       // its effective anisotropy depends on the direction
  af_cost,                   // what the strongest AF costs against the isotropic draw
  af_cost_alike,             // a filter's strongest AF costs as much as its weakest, within
                             // both ratios' intervals
  most_detail,               // the level of a filter that keeps most detail, without aliasing
  most_detail_aliased,       // its most detailed panel aliases
  none_flickers,             // no panel flickers more than flicker_limit times the ideal filter
  flickers,                  // some panels do, over the plane or in some distance bands
  af_buys_aliasing,          // a filter's AF panels alias where its isotropic panel does not
  af_buys_detail,            // AF keeps more detail than isotropic, without aliasing
  af_buys_nothing,           // AF keeps no more detail free of aliasing
};

// One finding: what it says and the sentence that says it, with the numbers behind it.
struct Finding {
  Fact fact;
  std::string text;
};

// The findings of `report`, one sentence each, in a fixed order. Panels the report lacks are
// left out of the sentences that need them.
std::vector<Finding> describe_findings(const Report& report);
