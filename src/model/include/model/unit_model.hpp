// The model's first step: the waste unit as the pathways see it.
#pragma once

#include "core/failure.hpp"
#include "vorn/records.hpp"

namespace vorn {

// The unit's values as read with everything derived from them.
struct UnitModel {
  WasteUnit wu;
  double DAF_SCALE = 0.0;  // at least 1
};

// Checks the values as read (unit type in any letter case, volume, volume unit, active
// life), then derives the geometry and the DAF scale factor. Writes nothing shared.
Failure derive_unit(const WasteUnit& as_read, UnitModel& unit);

}  // namespace vorn
