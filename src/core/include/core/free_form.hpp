// Free-form reads: values separated by blanks, tabs, commas or line ends, with
// null values, a slash that ends the read, and quoted or unquoted texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/input_file.hpp"
#include "core/run_error.hpp"

namespace vorn {

// One item of a read: where the value goes and how it is read.
class Item {
 public:
  enum class Kind { Integer, Real, Text };
  static Item integer(std::int32_t& target) { return Item(Kind::Integer, &target, 0); }
  static Item real(double& target) { return Item(Kind::Real, &target, 0); }
  // A text cut or blank-padded to `width` characters.
  static Item text(std::string& target, std::size_t width) {
    return Item(Kind::Text, &target, width);
  }
  Kind kind() const { return kind_; }
  void* target() const { return target_; }
  std::size_t width() const { return width_; }

 private:
  Item(Kind kind, void* target, std::size_t width) : kind_(kind), target_(target), width_(width) {}
  Kind kind_;
  void* target_;
  std::size_t width_;
};

// A read that failed, with what a message in plain words needs: the line, the text found
// there and the item that was being read. what() is the log's line (input_error_message).
class FreeFormError : public FatalInputError {
 public:
  enum class Problem {
    not_a_value,  // `found` is not a value of the item's kind
    line_ended,   // the line ends before the item
    file_ended,   // the file ends before the item
    quoted_text,  // a quoted text is not closed, or is followed by more
  };
  FreeFormError(const std::string& message, int line, Problem problem, std::string found,
                Item::Kind expected, std::size_t item)
      : FatalInputError(message),
        line_(line),
        problem_(problem),
        found_(std::move(found)),
        expected_(expected),
        item_(item) {}
  int line() const { return line_; }
  Problem problem() const { return problem_; }
  const std::string& found() const { return found_; }
  Item::Kind expected() const { return expected_; }
  // The item's place in the read, from 0.
  std::size_t item() const { return item_; }

 private:
  int line_;
  Problem problem_;
  std::string found_;
  Item::Kind expected_;
  std::size_t item_;
};

// Reads from the next lines of the file; the rest of the last line touched is
// discarded. An empty list skips one line.
void read_free(InputFile& file, std::initializer_list<Item> items);

// Skips one line; the end of the file there is a fatal input error naming `what`.
void skip_line(InputFile& file, std::string_view what);

// Reads from one text (a line already read whole); `line_number` names it in messages.
void read_free(std::string_view text, int line_number, std::initializer_list<Item> items);

// The message of a fatal input error on VORN.IN.
std::string input_error_message(int line_number, std::string_view what);

// A text of the input as a message shows it: quoted, bytes outside printable ASCII as \xNN,
// shortened to `max_length` bytes with "..." after.
std::string shown_text(std::string_view token, std::size_t max_length = 80);

// Parses a complete real token; false when it is not a real.
bool parse_real(std::string_view token, double& value);
// Parses a complete integer token; false when it is not a 32-bit integer.
bool parse_integer(std::string_view token, std::int32_t& value);

}  // namespace vorn
