// The sources of a filled stream's values on its page: the provenance line of its chemical
// data, the values that differ from the tables, the values the user must still supply or
// confirm, and where every value came from.
#pragma once

#include <string>

#include "chemicals/run_sources.hpp"

namespace vorn {

// HTML for the provenance block: the tables and dates the values came from, and how many
// the user gave or changed; or why sources.csv could not be used.
std::string chemical_data_fact(const chemicals::RunSources& sources);

// <section id="differing">: the user's overrides with their notes, and the values changed
// after the fill, each marked with a sign and words.
std::string differing_values_section(const chemicals::RunSources& sources);

// <section id="to-supply">: the values still written as missing or inferred, with the
// pathways each decides.
std::string values_to_supply_section(const chemicals::RunSources& sources);

// <section id="sources">: per chemical, every value with its origin, table, date, key,
// derivation and note. Beyond `open_up_to` chemicals the tables start folded.
std::string value_sources_section(const chemicals::RunSources& sources, std::size_t open_up_to);

// The style of these sections, added to the page's only when it has them.
inline constexpr const char* kSourcesStyle = R"css(
table.sources td.value { white-space: nowrap; font-variant-numeric: tabular-nums; }
.how { font-size: .92em; }
tr.user td { background: #e3eef8; }
tr.changed td { background: #fbe0cf; }
.mark { font-weight: bold; white-space: nowrap; }
details.sources { border: 1px solid #ccc; margin: .6em 0; padding: .2em .7em .5em; }
details.sources summary { cursor: pointer; font-weight: bold; padding: .2em 0; }
)css";

}  // namespace vorn
