// Groundwater pathways at a receptor well: ingestion, dermal contact, indoor inhalation.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

void groundwaterpaths(RunState& rs, int dbgUnit, int& i);
void gwingestion(RunState& rs, int dbgUnit, int& i);
void gwdermal(RunState& rs, int dbgUnit, int& i);
void gwinhalation(RunState& rs, int dbgUnit, int& i);

}  // namespace vorn
