#include "export/readable_number.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/number_text.hpp"

namespace vorn {
namespace {

constexpr const char* kMinus = "\xE2\x88\x92";  // U+2212
constexpr const char* kTimesTen =
    "\xC2\xA0\xC3\x97\xC2\xA0"
    "10";                       // NBSP × NBSP 10
constexpr int kPlainFrom = -3;  // 0.00100
constexpr int kPlainTo = 4;     // 99 900
constexpr double kWholeBelow = 1e5;

// Superscript digits 0..9 and the superscript minus.
constexpr const char* kSuperscript[] = {
    "\xE2\x81\xB0", "\xC2\xB9",     "\xC2\xB2",     "\xC2\xB3",     "\xE2\x81\xB4",
    "\xE2\x81\xB5", "\xE2\x81\xB6", "\xE2\x81\xB7", "\xE2\x81\xB8", "\xE2\x81\xB9"};
constexpr const char* kSuperscriptMinus = "\xE2\x81\xBB";

std::string superscript(int exponent) {
  std::string out = exponent < 0 ? kSuperscriptMinus : "";
  for (const char d : std::to_string(std::abs(exponent))) out += kSuperscript[d - '0'];
  return out;
}

// |value| > 0 and finite: three significant digits as the plain or the scientific form.
std::string magnitude(double a) {
  if (a < kWholeBelow && a == std::floor(a)) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.0f", a);
    return buf;
  }
  // d.dde±X rounds the exact binary value once, carrying into the exponent where it must.
  char buf[kNumberTextSize];
  *write_scientific(buf, a, 2) = '\0';
  const std::string digits = {buf[0], buf[2], buf[3]};
  const int e = std::atoi(buf + 5);
  if (e < kPlainFrom || e > kPlainTo) return std::string(buf, 4) + kTimesTen + superscript(e);
  if (e >= 2) return digits + std::string(static_cast<std::size_t>(e - 2), '0');
  if (e >= 0) return digits.substr(0, 1 + e) + "." + digits.substr(1 + e);
  return "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + digits;
}

}  // namespace

std::string readable_number(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "\xE2\x88\x9E" : std::string(kMinus) + "\xE2\x88\x9E";
  if (value == 0.0) return "0";
  return (value < 0 ? kMinus : "") + magnitude(std::fabs(value));
}

std::string power_of_ten(int exponent) {
  return "10" + superscript(exponent);
}

}  // namespace vorn
