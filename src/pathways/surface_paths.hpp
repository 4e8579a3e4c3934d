// Air pathways from the waste unit: particulates, soil, volatilisation.
#pragma once

#include "engine/run_state.hpp"

namespace vorn {

void surfacepaths(RunState& rs, int dbgUnit, int& i);
void airparticulates(RunState& rs, int i);
void airsoil(RunState& rs, int i);
void lfvolatilization(RunState& rs, int i);
void sivolatilization(RunState& rs, int i);

// Overall mass transfer of an impoundment: unit area times transfer coefficient
// (m³/s) and the time to lose 99 % (days).
struct MassTransfer {
  double KA;
  double t99;
};
MassTransfer simasstransfer(const WasteUnit& wu, double henry, double diffa, double diffw);

}  // namespace vorn
