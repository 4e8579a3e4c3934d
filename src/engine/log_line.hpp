// Log lines: one blank, then the items joined by single blanks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/units.hpp"

namespace vorn {

// Shortest text that reads back as the same double (fixed form for exponents
// -4..15, otherwise d.ddde+XX); NaN, Infinity and -Infinity for non-finite values.
std::string format_real(double value);

class LogLine {
 public:
  LogLine() : text_(" ") {}
  LogLine& operator<<(std::string_view text);
  LogLine& operator<<(const char* text) { return *this << std::string_view(text); }
  LogLine& operator<<(const std::string& text) { return *this << std::string_view(text); }
  LogLine& operator<<(double value) { return *this << std::string_view(format_real(value)); }
  LogLine& operator<<(std::int32_t value) {
    return *this << std::string_view(std::to_string(value));
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  bool first_ = true;
};

// Text with its trailing blanks removed (only the space character counts).
std::string_view trim_trailing(std::string_view text);
// Text with its leading blanks removed (only the space character counts).
std::string_view trim_leading(std::string_view text);

}  // namespace vorn
