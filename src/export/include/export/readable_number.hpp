// Numbers on the HTML pages as people write them: three significant digits, a real
// multiplication sign and superscript exponents, never the report's `0.887E-01` field.
#pragma once

#include <string>

namespace vorn {

// UTF-8 text of `value`, rounded to three significant digits:
// - plain where at most two zeros place the point, that is from 0.00100 up to 99 900
//   after rounding ("0.00887", "0.0887", "8.87", "88700"), with trailing zeros kept
//   ("0.500"), since they say how many digits are significant;
// - otherwise "8.87 × 10⁻⁵": no-break spaces around the sign, superscript digits and minus;
// - a whole number below 10⁵ in full ("6543", "100", "1"): counts and values as typed;
// - rounding may carry into the next decade, which then decides the form (9.995e-3 reads
//   "0.0100", 99 999.7 reads "1.00 × 10⁵");
// - zero (of either sign) is "0"; a negative value starts with the minus sign "−";
// - NaN is "NaN", the infinities "∞" and "−∞".
std::string readable_number(double value);

// The power 10^exponent as an axis label: "10⁻⁵", "10⁰", "10¹²".
std::string power_of_ten(int exponent);

}  // namespace vorn
