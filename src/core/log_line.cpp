#include "core/log_line.hpp"

namespace vorn {

LogLine& LogLine::operator<<(std::string_view text) {
  if (!first_) text_ += ' ';
  first_ = false;
  text_.append(text);
  return *this;
}

}  // namespace vorn
