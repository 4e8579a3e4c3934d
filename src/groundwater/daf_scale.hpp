// The DAF scale factor from the unit's size.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

// Sets DAF_SCALE from WU_VOLYD3 (at least 1) and logs it.
void calcdafscale(RunState& rs, int dbgUnit);

// Stops the run with "Error in WMUTYPE:" on `unit`; a second guard behind the input check.
[[noreturn]] void stop_bad_unit_type(const RunState& rs, int unit);

}  // namespace vorn
