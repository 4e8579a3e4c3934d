// The verdict of a one-dimensional run as a short table for a terminal: per chemical its
// P(exceeded) with the 95 % interval, and the verdict the interval gives.
#pragma once

#include <string>

#include "mc/mc_summary.hpp"

namespace vorn {

// UTF-8 text, columns aligned by characters, one line a chemical after a heading line
// that names the decision percentile and the realizations.
std::string mc_verdict_table(const mc::McSummary& m, double decision_percentile);

}  // namespace vorn
