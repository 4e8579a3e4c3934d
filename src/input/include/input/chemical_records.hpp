// The chemical section of VORN.IN: count, property lines, concentration lines.
#pragma once

#include <vector>

#include "core/input_file.hpp"
#include "core/log_unit.hpp"
#include "vorn/records.hpp"

namespace vorn {

// Reads, checks and echoes every chemical into `chemicals`, the values as read (nothing
// converted, replaced or floored), and returns the count as read (below 0: no chemical).
int readchemicals(InputFile& in, const LogUnit& debug, std::vector<Chemical>& chemicals);

}  // namespace vorn
