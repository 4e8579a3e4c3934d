// The DAF scale factor from the unit's size.
#pragma once

#include "core/failure.hpp"
#include "core/log_line.hpp"
#include "vorn/records.hpp"

namespace vorn {

// DAF_SCALE from WU_VOLYD3, at least 1 (a NaN volume gives 1); fails on a unit type
// other than LF or SI.
Failure calcdafscale(const WasteUnit& wu, double& DAF_SCALE);

// The echo line of the factor.
LogLine daf_scale_line(double DAF_SCALE);

// A second guard behind the input check: fails unless the unit is a landfill or an
// impoundment.
Failure check_lookup_unit_type(const WasteUnit& wu);

}  // namespace vorn
