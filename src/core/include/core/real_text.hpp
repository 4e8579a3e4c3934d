// Reals as text that reads back as the same double.
#pragma once

#include <string>

namespace vorn {

// Shortest text that reads back as the same double (fixed form for exponents
// -4..15, otherwise d.ddde+XX); NaN, Infinity and -Infinity for non-finite values.
std::string format_real(double value);

}  // namespace vorn
