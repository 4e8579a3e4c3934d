// The checks every waste unit passes before anything is derived from it.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/failure.hpp"
#include "vorn/records.hpp"

namespace vorn {

// "LF" or "SI" in any letter case.
Failure check_unit_type(std::string_view type);
// Above 0; a NaN fails.
Failure check_waste_volume(double volume);
// 0 cubic yards, 1 cubic feet, 2 cubic metres, checked before it is narrowed to 16 bits.
Failure check_volume_unit(std::int32_t unit);
// Above 0; a NaN fails.
Failure check_active_life(double years);

// All four, in the order they are read.
Failure check_unit(const WasteUnit& wu);

}  // namespace vorn
