// Structural checks of a finished run: what every outcome must satisfy, whatever the input.
#pragma once

#include <string>
#include <vector>

#include "vorn/run.hpp"

namespace vorn::test {

// The faults found in the outcome of a run on files held in memory; empty when it is sound:
// a completed run has the ten tables with one row per chemical, every row of its table's
// length and every number 10 characters wide; a stop or a fatal input error ends its file
// with its message, and only a stop in the report leaves a VORN.OUT.
std::vector<std::string> outcome_problems(const Outcome& outcome, const MemoryFiles& files);

// The faults of a report of `chemicals` rows per table.
std::vector<std::string> report_problems(const std::string& report, std::size_t chemicals);

// True for a 10-character number field: " 0.123E-04", "-0.100+101", "       NaN", "  Infinity".
bool is_number_field(const std::string& field);

}  // namespace vorn::test
