// Numbers as the source tables write them, and unit conversions done on that text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn::chemicals {

// Sign, digits with an optional point (a digit on at least one side), an optional exponent
// of E or e and a signed integer: "8.0E+01", "-.5", "2.2000000000000001E-6".
bool is_decimal(std::string_view text);

// The double nearest the decimal `text` (is_decimal), or nothing when that is beyond the
// range of doubles.
std::optional<double> decimal_value(std::string_view text);

// The same number times 10^places, written from the text's own digits as d.dddE<exp>: the
// conversion is exact, so "0.2" shifted by -3 is "2E-4" and reads as the double of 2E-4.
std::string shift_decimal(std::string_view text, int places);

// Whether `value`, rounded to as many significant digits as the decimal `text` shows
// ("0.690": 3), is the number `text` writes.
bool equals_to_digits(double value, std::string_view text);

// The shortest text that reads back as the same double.
std::string shortest_text(double value);

}  // namespace vorn::chemicals
