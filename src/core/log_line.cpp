#include "core/log_line.hpp"

#include <charconv>

#include "core/real_text.hpp"

namespace vorn {
namespace {

// The text of the last line that ended on this thread, kept for the next one: a log of
// many lines allocates its text once.
thread_local std::string spare;

}  // namespace

LogLine::LogLine() : text_(std::move(spare)) {
  text_.assign(1, ' ');
}

LogLine::~LogLine() {
  if (text_.capacity() > spare.capacity()) spare = std::move(text_);
}

LogLine& LogLine::operator<<(std::string_view text) {
  if (!first_) text_ += ' ';
  first_ = false;
  text_.append(text);
  return *this;
}

LogLine& LogLine::operator<<(double value) {
  char buf[kRealTextSize];
  return *this << std::string_view(buf, static_cast<std::size_t>(write_real(buf, value) - buf));
}

LogLine& LogLine::operator<<(std::int32_t value) {
  char buf[12];
  return *this << std::string_view(
             buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, value).ptr - buf));
}

}  // namespace vorn
