// The chemical section of VORN.IN: count, property lines, concentration lines.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

// Reads, checks, adjusts and echoes every chemical into rs.chem; sets N.
void readchemicals(RunState& rs, int inUnit, int dbgUnit, int& N);

}  // namespace vorn
