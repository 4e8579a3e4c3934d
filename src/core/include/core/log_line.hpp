// Log lines: one blank, then the items joined by single blanks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/real_text.hpp"

namespace vorn {

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

}  // namespace vorn
