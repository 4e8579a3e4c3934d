// Doubles for JSON documents: JSON has no NaN or infinity, so those go as strings.
#pragma once

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "core/real_text.hpp"

namespace vorn {

inline nlohmann::ordered_json json_number(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
  return v;
}

// The same value as JSON text, a finite one in its shortest round-trip form (the JSON
// library's own writer is not always the shortest).
inline void append_json_number(std::string& out, double v) {
  char buf[kRealTextSize];
  char* end = write_real(buf, v);
  const bool word = !std::isfinite(v);
  if (word) out += '"';
  out.append(buf, static_cast<std::size_t>(end - buf));
  if (word) out += '"';
}

}  // namespace vorn
