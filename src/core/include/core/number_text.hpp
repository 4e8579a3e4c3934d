// Doubles as text and text as doubles, with the same bytes on every platform.
//
// Every number text of the program goes through here. Natively these are the standard
// <charconv> conversions; where the standard library lacks their floating-point forms
// (a WebAssembly build), an implementation over fmt and fast_float stands in and gives
// the same bytes, which a test checks on both implementations side by side.
#pragma once

#include <cstddef>
#include <string>
#include <system_error>

namespace vorn {

// Room for any text written here (precision at most kMaxTextPrecision).
inline constexpr std::size_t kNumberTextSize = 64;
inline constexpr int kMaxTextPrecision = 40;

// The shortest text that reads back as the same double, in the plain form std::to_chars
// writes: fixed or scientific, whichever is shorter, fixed on a tie; an integer too large
// for its digits in fixed form is written exactly ("1152921504606846976"). Non-finite
// values as "inf", "-inf", "nan", "-nan". Returns the end of the text written at `out`.
char* write_shortest(char* out, double value);

// write_shortest as a string: "0.1", "1e+23", "inf", "nan".
inline std::string shortest_text(double value) {
  char text[kNumberTextSize];
  return std::string(text, write_shortest(text, value));
}

// The shortest text with the words documents use for the values that are not numbers:
// "7.2309e-05", "NaN", "Infinity", "-Infinity".
inline std::string exact_number(double value) {
  if (value != value) return "NaN";
  if (value - value != 0) return value > 0 ? "Infinity" : "-Infinity";
  return shortest_text(value);
}

// The same digits always in scientific form, d[.ddd]e±XX ("1e+23", "5e-324").
char* write_shortest_scientific(char* out, double value);

// Scientific form with `precision` digits after the point (0..kMaxTextPrecision), rounded
// from the exact value, ties to even ("1.12e+00" for 1.125 at precision 2).
char* write_scientific(char* out, double value, int precision);

enum class RealTextForm { general, scientific };

struct ReadRealResult {
  const char* ptr;  // the first character not read
  std::errc ec;     // invalid_argument: no number; result_out_of_range: beyond the doubles
};

// Reads a double at [first, last) as std::from_chars does: no leading blank or '+', a
// decimal number (with an exponent required in scientific form), inf, infinity or nan in
// any case. A value beyond the range of doubles, or a nonzero value below the smallest
// subnormal, is result_out_of_range and leaves `value` as it was.
ReadRealResult read_real(const char* first, const char* last, double& value,
                         RealTextForm form = RealTextForm::general);

}  // namespace vorn
