// The kind of input a [[vary]] field names.
#pragma once

#include <optional>
#include <string_view>

namespace vorn::scenario {

// The unit inputs a scenario may vary, a chemical's REAL columns, and DAF (a factor on
// the chemical's dilution-attenuation factors).
enum class VaryTarget { unit, chemical, daf };
std::optional<VaryTarget> vary_target(std::string_view field);

}  // namespace vorn::scenario
