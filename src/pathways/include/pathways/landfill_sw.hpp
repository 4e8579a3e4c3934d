// Landfill surface-water pathways: drinking surface water and eating fish.
#pragma once

#include "vorn/records.hpp"

namespace vorn {

void landfillsw(const WasteUnit& wu, const Chemical& c, ResultSlots& r);
// The fish uptake factor BIOF (L/kg).
double fishuptake(const Chemical& c);

}  // namespace vorn
