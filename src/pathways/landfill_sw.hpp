// Landfill surface-water pathways: drinking surface water and eating fish.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

void landfillsw(RunState& rs, int dbgUnit, int& i);
// The fish uptake factor BIOF of chemical i.
double fishuptake(const RunState& rs, int i);

}  // namespace vorn
