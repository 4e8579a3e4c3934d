// The DAF table section at the end of VORN.IN.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

// Reads the rows up to the end of the file or the first blank line, echoing each.
void readdaftable(RunState& rs, int inUnit, int dbgUnit);

}  // namespace vorn
