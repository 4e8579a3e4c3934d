// The kind of input a [[vary]] field names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::scenario {

// The unit inputs a scenario may vary, a chemical's REAL columns, and DAF (a factor on
// the chemical's dilution-attenuation factors).
enum class VaryTarget { unit, chemical, daf };
std::optional<VaryTarget> vary_target(std::string_view field);
// Every field vary_target() accepts: the unit inputs, the chemical columns, then DAF.
std::vector<std::string> varied_fields();

}  // namespace vorn::scenario
