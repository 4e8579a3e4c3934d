// Log lines: one blank, then the items joined by single blanks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/real_text.hpp"

namespace vorn {

class LogLine {
 public:
  LogLine();
  ~LogLine();
  LogLine(const LogLine&) = default;
  LogLine(LogLine&&) = default;
  LogLine& operator=(const LogLine&) = default;
  LogLine& operator=(LogLine&&) = default;

  LogLine& operator<<(std::string_view text);
  LogLine& operator<<(const char* text) { return *this << std::string_view(text); }
  LogLine& operator<<(const std::string& text) { return *this << std::string_view(text); }
  // The shortest text that reads back as the value (core/real_text.hpp).
  LogLine& operator<<(double value);
  LogLine& operator<<(std::int32_t value);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  bool first_ = true;
};

}  // namespace vorn
