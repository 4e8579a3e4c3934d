#include "core/input_file.hpp"

namespace vorn {

std::optional<std::string_view> InputFile::next_line() {
  if (pos_ >= bytes_.size()) return std::nullopt;
  const std::string_view all(bytes_);
  auto end = all.find('\n', pos_);
  std::string_view line;
  if (end == std::string_view::npos) {
    line = all.substr(pos_);
    pos_ = bytes_.size();
  } else {
    line = all.substr(pos_, end - pos_);
    pos_ = end + 1;
  }
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++line_number_;
  return line;
}

std::optional<std::string> InputFile::read_line(std::size_t width) {
  std::string text;
  if (!read_line(width, text)) return std::nullopt;
  return text;
}

bool InputFile::read_line(std::size_t width, std::string& line) {
  auto next = next_line();
  if (!next) return false;
  line.assign(next->substr(0, width));
  line.resize(width, ' ');
  return true;
}

}  // namespace vorn
