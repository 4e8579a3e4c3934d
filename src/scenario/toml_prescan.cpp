#include "toml_prescan.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorn::scenario {
namespace {

bool starts_key(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '"' || c == '\'' || c == ']';
}

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::optional<TomlTextProblem> first_problem() {
    bool statement_start = true, in_header = false;
    int depth = 0;  // arrays and inline tables of a value
    while (i_ < text_.size()) {
      const char c = text_[i_];
      if (c == '\n') {
        advance();
        if (depth == 0) statement_start = true;
        in_header = false;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        advance();
      } else if (c == '#') {
        while (i_ < text_.size() && text_[i_] != '\n') advance();
      } else if (c == '"' || c == '\'') {
        if (!skip_string(c)) return std::nullopt;
        statement_start = false;
      } else if (statement_start && depth == 0 && c == '[') {
        advance();
        if (i_ < text_.size() && text_[i_] == '[') advance();
        while (i_ < text_.size() && (text_[i_] == ' ' || text_[i_] == '\t')) advance();
        if (i_ < text_.size() && !starts_key(text_[i_]))
          return TomlTextProblem{{line_, column_},
                                 "a table header starts with a key: a bare key or a quoted one"};
        statement_start = false;
        in_header = true;
      } else if (static_cast<unsigned char>(c) >= 0x80) {
        return TomlTextProblem{{line_, column_},
                               "a character outside the ASCII range where only a key, a value "
                               "or white space may stand (put text in quotes)"};
      } else {
        if (!in_header && (c == '[' || c == '{')) ++depth;
        if (!in_header && (c == ']' || c == '}') && depth > 0) --depth;
        statement_start = false;
        advance();
      }
    }
    return std::nullopt;
  }

 private:
  // Past one character; columns count characters, not the bytes that continue one.
  void advance() {
    const char c = text_[i_++];
    if (c == '\n') {
      ++line_;
      column_ = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column_;
    }
  }

  // Past a string opened by `quote` (one or three); false when it does not end.
  bool skip_string(char quote) {
    const std::string triple(3, quote);
    const bool multi = text_.substr(i_, 3) == triple;
    for (int k = 0; k < (multi ? 3 : 1); ++k) advance();
    while (i_ < text_.size()) {
      const char c = text_[i_];
      if (c == '\\' && quote == '"') {
        advance();
        if (i_ < text_.size()) advance();
      } else if (!multi && c == quote) {
        advance();
        return true;
      } else if (multi && text_.substr(i_, 3) == triple) {
        // Up to two quotes more belong to the string: """a"""" ends in a quote.
        for (int k = 0; k < 3; ++k) advance();
        for (int k = 0; k < 2 && i_ < text_.size() && text_[i_] == quote; ++k) advance();
        return true;
      } else if (c == '\n' && !multi) {
        return false;
      } else {
        advance();
      }
    }
    return false;
  }

  std::string_view text_;
  std::size_t i_ = 0;
  std::uint32_t line_ = 1, column_ = 1;
};

}  // namespace

std::optional<TomlTextProblem> toml_text_problem(std::string_view text) {
  return Scanner(text).first_problem();
}

}  // namespace vorn::scenario
