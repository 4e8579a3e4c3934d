// VORN.IN as a sequence of lines read from bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Lines end at LF; one CR right before the LF (or at the end of the file) is
// dropped. A last line without terminator is a line.
class InputFile {
 public:
  explicit InputFile(std::string bytes) : bytes_(std::move(bytes)) {}

  // The next line, or nothing at the end of the file.
  std::optional<std::string_view> next_line();
  // Whole-line read: the next line cut or blank-padded to `width` characters.
  std::optional<std::string> read_line(std::size_t width);
  // The same into `line`, in its own storage; false at the end of the file.
  bool read_line(std::size_t width, std::string& line);
  // Number (from 1) of the line returned last; 0 before the first.
  int line_number() const { return line_number_; }
  // The whole file as given.
  std::string_view text() const { return bytes_; }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
  int line_number_ = 0;
};

}  // namespace vorn
