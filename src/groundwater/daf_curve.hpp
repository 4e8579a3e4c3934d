// Gathering one chemical's DAF curve from the table.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

// Fills rs.curve for chemical i from its table rows, or a one-point curve from
// its own DAF (replacing an own DAF not above 0 in the chemical record).
void getdafcurve(RunState& rs, int unit, int& i);

}  // namespace vorn
