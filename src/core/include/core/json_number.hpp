// Doubles for JSON documents: JSON has no NaN or infinity, so those go as strings.
#pragma once

#include <cmath>
#include <nlohmann/json.hpp>

namespace vorn {

inline nlohmann::ordered_json json_number(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
  return v;
}

}  // namespace vorn
