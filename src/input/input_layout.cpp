#include "input/input_layout.hpp"

#include "core/free_form.hpp"
#include "core/text.hpp"

namespace vorn {
namespace {

bool is_blank_line(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The line's words as the reader would split them, up to a slash.
std::vector<std::string_view> words_of(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t,", pos);
    if (start == std::string_view::npos || line[start] == '/') break;
    const std::size_t end = line.find_first_of(" \t,/", start);
    words.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    pos = end == std::string_view::npos ? line.size() : end;
  }
  return words;
}

}  // namespace

InputLayout::InputLayout(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(line);
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  places_.assign(lines_.size(), InputPlace{});

  std::size_t k = 0;
  // The next line that holds a value, as a free-form read finds it.
  const auto value_line = [&](InputSection section, int index) {
    while (k < lines_.size() && is_blank_line(lines_[k])) ++k;
    if (k < lines_.size()) places_[k++] = {section, index};
  };
  const auto whole_line = [&](InputSection section, int index) {
    if (k < lines_.size()) places_[k++] = {section, index};
  };
  for (int p = 0; p < 8; ++p) value_line(InputSection::unit, p);
  value_line(InputSection::count, 0);
  const int count_line = line_of(InputSection::count);
  if (count_line == 0) return;
  const std::vector<std::string_view> words = words_of(line(count_line));
  std::int32_t n = 0;
  if (words.empty() || !parse_integer(words.front(), n)) return;
  count_ = n;
  whole_line(InputSection::property_heading, 0);
  // A count far beyond the file's lines stops with them.
  for (int i = 1; i <= n && k < lines_.size(); ++i) whole_line(InputSection::property, i);
  whole_line(InputSection::concentration_heading, 0);
  for (int i = 1; i <= n && k < lines_.size(); ++i) value_line(InputSection::concentration, i);
  whole_line(InputSection::daf_heading, 0);
  for (int r = 1; k < lines_.size(); ++r) whole_line(InputSection::daf, r);
}

std::string_view InputLayout::line(int number) const {
  if (number < 1 || number > line_count()) return {};
  return lines_[static_cast<std::size_t>(number - 1)];
}

InputPlace InputLayout::place_of(int line) const {
  if (line < 1 || line > line_count()) return {};
  return places_[static_cast<std::size_t>(line - 1)];
}

int InputLayout::line_of(InputSection section, int index) const {
  for (std::size_t k = 0; k < places_.size(); ++k)
    if (places_[k].section == section && places_[k].index == index) return static_cast<int>(k) + 1;
  return 0;
}

std::string InputLayout::chemical_name(int i) const {
  const std::string_view text = line(line_of(InputSection::property, i));
  const std::size_t at = text.find('@');
  if (at == std::string_view::npos) return {};
  return std::string(trim_blanks(text.substr(0, at)));
}

bool InputLayout::looks_like_heading(int number) const {
  const std::vector<std::string_view> words = words_of(line(number));
  if (words.size() < 2) return false;
  for (std::string_view w : words) {
    double value = 0;
    if (parse_real(w, value)) return false;
  }
  return true;
}

}  // namespace vorn
