#include "input/free_form_items.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/number_text.hpp"
#include "core/text.hpp"

namespace vorn {
namespace {

std::uint64_t bits_of(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The only NaNs the reader makes: "NaN" and "-NaN".
const std::uint64_t kNan = bits_of(std::numeric_limits<double>::quiet_NaN());
const std::uint64_t kNegativeNan = bits_of(-std::numeric_limits<double>::quiet_NaN());

bool needs_quotes(std::string_view text) {
  // A carriage return last on a line would be dropped with the line end.
  return text.empty() || text.find_first_of(" \t,/'\"\r") != std::string_view::npos;
}

}  // namespace

std::string real_item(double value, std::string_view what) {
  if (std::isnan(value)) {
    const std::uint64_t bits = bits_of(value);
    if (bits == kNan) return "NaN";
    if (bits == kNegativeNan) return "-NaN";
    throw std::invalid_argument(std::string(what) + ": a NaN with a payload the input cannot hold");
  }
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buffer[kNumberTextSize];
  return std::string(buffer, write_shortest(buffer, value));
}

std::string integer_item(std::int64_t value) {
  return std::to_string(value);
}

std::string text_item(std::string_view text, std::size_t width, std::string_view what) {
  const std::string_view kept = trim_trailing(text);
  if (kept.size() > width) {
    throw std::invalid_argument(std::string(what) + ": longer than the " + std::to_string(width) +
                                " characters the input keeps");
  }
  if (kept.find('\n') != std::string_view::npos)
    throw std::invalid_argument(std::string(what) + ": holds a line feed");
  if (!needs_quotes(kept)) return std::string(kept);
  std::string quoted = "\"";
  for (char c : kept) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace vorn
