// The results of a completed run as CSV, for spreadsheets and scripts.
#pragma once

#include <string>

#include "vorn/results.hpp"

namespace vorn {

// RFC 4180 (CRLF line ends, UTF-8): a header row, then one row per chemical in input
// order with index, CHEMNAME, CHEMCAS, the 55 result slots and the report's values,
// its arrays spread as SF_ALLOW_1 .. SF_ALLOW_5 and GW_WELL_1 .. GW_WELL_5. Numbers in
// their shortest form that reads back as the same double; NaN, Infinity, -Infinity.
std::string results_csv(const Results& results);

}  // namespace vorn
