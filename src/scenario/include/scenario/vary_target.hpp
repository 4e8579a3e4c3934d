// The kind of input a [[vary]] field names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorn/records.hpp"

namespace vorn::scenario {

// The unit inputs a scenario may vary, a chemical's REAL columns, and DAF (a factor on
// the chemical's dilution-attenuation factors).
enum class VaryTarget { unit, chemical, daf };
std::optional<VaryTarget> vary_target(std::string_view field);
// Every field vary_target() accepts: the unit inputs, the chemical columns, then DAF.
std::vector<std::string> varied_fields();

// The member a unit input or a chemical's real column names; std::invalid_argument for any
// other name.
double WasteUnit::*unit_member(std::string_view name);
double Chemical::*chemical_member(std::string_view name);

}  // namespace vorn::scenario
