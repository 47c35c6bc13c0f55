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

// The findings of `report`, one sentence each, in a fixed order. Panels the report lacks are
// left out of the sentences that need them.
std::vector<std::string> describe_findings(const Report& report);
