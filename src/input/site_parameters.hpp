// The eight site and waste-unit parameters at the top of VORN.IN.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

// Reads, checks and echoes the parameters into rs.wu; stops on a bad unit type,
// volume, volume unit or active life.
void readsiteparameters(RunState& rs, int inUnit, int dbgUnit);

}  // namespace vorn
