// Reals as text that reads back as the same double.
#pragma once

#include <cstddef>
#include <string>

namespace vorn {

// Room for the longest text, "-1.2345678901234567e-308".
inline constexpr std::size_t kRealTextSize = 32;

// Shortest text that reads back as the same double (fixed form for exponents
// -4..15, otherwise d.ddde+XX); NaN, Infinity and -Infinity for non-finite values.
// Writes it at `out` (kRealTextSize characters of room) and returns its end.
char* write_real(char* out, double value);
std::string format_real(double value);

}  // namespace vorn
