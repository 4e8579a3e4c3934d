// A percentile's level as the documents name it: 5 -> "5", 99.9 -> "99.9".
#pragma once

#include <string>

#include "core/number_text.hpp"

namespace vorn {

inline std::string percent_text(double q) {
  char buf[kNumberTextSize];
  return std::string(buf, write_shortest(buf, q));
}

}  // namespace vorn
