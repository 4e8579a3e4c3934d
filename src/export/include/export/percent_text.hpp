// A percentile's level as the documents name it: 5 -> "5", 99.9 -> "99.9".
#pragma once

#include <charconv>
#include <string>

namespace vorn {

inline std::string percent_text(double q) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, q);
  return std::string(buf, res.ptr);
}

}  // namespace vorn
