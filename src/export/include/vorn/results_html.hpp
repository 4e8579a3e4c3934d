// The visual report of a run: one self-contained HTML page for people.
#pragma once

#include <string>

#include "vorn/outcome.hpp"
#include "vorn/page_stamp.hpp"

namespace vorn {

// HTML5 (also well-formed XML) with inline CSS and SVG and nothing to fetch: no
// scripts, fonts, images or links. A completed run gives the unit, a verdict per
// chemical, the risk drivers and per-chemical pathway charts; any other outcome
// gives a short page with the outcome and its message. Both start with the provenance
// block (engine, the VORN.IN's digest, the run identity, `stamp`'s date) and print with
// the stream's name and the verdict at the top of every sheet. With the sources of a filled
// stream, the block names the tables and sources.csv enters the run identity, and the page
// shows the values that differ from the tables, those still to supply and every value's
// source. Reads only its arguments.
std::string html_page(const Outcome& outcome, const PageStamp& stamp);

}  // namespace vorn
