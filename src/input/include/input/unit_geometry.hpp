// Size of the waste unit and the unit-level release terms the pathways need.
#pragma once

#include "vorn/records.hpp"

namespace vorn {

// Derives every WU_ geometry field for the unit type.
void unitgeometry(WasteUnit& wu);
// Landfill particulate emission terms WU_EMITP and WU_EMITD.
void landfillemissions(WasteUnit& wu);
// Landfill surface-water terms WU_SWDFAC, WU_SWFAC and WU_SUSP.
void landfillsurfacewater(WasteUnit& wu);

}  // namespace vorn
