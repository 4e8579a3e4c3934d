// Air pathways from the waste unit: particulates, soil, volatilisation.
#pragma once

#include "vorn/records.hpp"

namespace vorn {

void surfacepaths(const WasteUnit& wu, const Chemical& c, ResultSlots& r);
void airparticulates(const WasteUnit& wu, const Chemical& c, ResultSlots& r);
void airsoil(const WasteUnit& wu, const Chemical& c, ResultSlots& r);
void lfvolatilization(const WasteUnit& wu, const Chemical& c, ResultSlots& r);
void sivolatilization(const WasteUnit& wu, const Chemical& c, ResultSlots& r);

// Overall mass transfer of an impoundment: unit area times transfer coefficient
// (m³/s) and the time to lose 99 % (days).
struct MassTransfer {
  double KA;
  double t99;
};
MassTransfer simasstransfer(const WasteUnit& wu, double henry, double diffa, double diffw);

}  // namespace vorn
