// The report's 10-character number field: " 0.123E-04", "-0.250E+01", " 0.100+101".
#pragma once

#include <string>

namespace vorn {

inline constexpr std::size_t kNumberWidth = 10;

// Three significant digits, correctly rounded (ties to even); a zero of either
// sign is " 0.000E+00"; NaN, +Inf, -Inf are "       NaN", "  Infinity", " -Infinity".
// Writes the kNumberWidth characters at `out` and returns their end.
char* write_number_field(char* out, double value);
std::string number_field(double value);

}  // namespace vorn
