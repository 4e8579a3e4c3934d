// The visual report of a run: one self-contained HTML page for people.
#pragma once

#include <string>

#include "vorn/outcome.hpp"

namespace vorn {

// HTML5 (also well-formed XML) with inline CSS and SVG and nothing to fetch: no
// scripts, fonts, images or links. A completed run gives the unit, a verdict per
// chemical, the risk drivers and per-chemical pathway charts; any other outcome
// gives a short page with the outcome and its message. Reads only `outcome`.
std::string html_page(const Outcome& outcome);

}  // namespace vorn
