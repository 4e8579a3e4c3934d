#include "core/free_form.hpp"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/exact_powers.hpp"
#include "core/number_text.hpp"
#include "core/run_error.hpp"

namespace vorn {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool ends_unquoted(char c) {
  return is_blank(c) || c == ',' || c == '/';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

class Reader {
 public:
  Reader(InputFile* file, std::string_view text, int line_number)
      : file_(file), line_(text), line_number_(line_number) {}

  void read(std::initializer_list<Item> items) {
    if (file_ != nullptr && !advance()) {
      kind_ = items.size() > 0 ? items.begin()->kind() : Item::Kind::Text;
      fail_end_of_file();
    }
    const Item* list = items.begin();
    const std::size_t count = items.size();
    std::size_t k = 0;
    bool after_comma = true;  // a comma first in the read is a null value
    while (k < count) {
      item_ = k;
      kind_ = list[k].kind();
      while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
      if (pos_ >= line_.size()) {
        if (!advance()) fail_ran_out(k, count);
        continue;
      }
      const char c = line_[pos_];
      if (c == '/') return;
      if (c == ',') {
        if (after_comma) ++k;  // null value: the item keeps its value
        after_comma = true;
        ++pos_;
        continue;
      }
      assign(list[k]);
      ++k;
      after_comma = false;
    }
  }

 private:
  bool advance() {
    if (file_ == nullptr) return false;
    auto next = file_->next_line();
    if (!next) return false;
    line_ = *next;
    pos_ = 0;
    line_number_ = file_->line_number();
    return true;
  }

  [[noreturn]] void fail(FreeFormError::Problem problem, std::string_view found,
                         std::string_view what) const {
    fail_at(line_number_, problem, found, what);
  }
  [[noreturn]] void fail_at(int line, FreeFormError::Problem problem, std::string_view found,
                            std::string_view what) const {
    throw FreeFormError(input_error_message(line, what), line, problem, std::string(found), kind_,
                        item_);
  }
  [[noreturn]] void fail_end_of_file() const {
    fail_at(line_number_ + 1, FreeFormError::Problem::file_ended, {},
            "end of file before all values were read");
  }
  [[noreturn]] void fail_ran_out(std::size_t found, std::size_t wanted) const {
    if (file_ != nullptr) fail_end_of_file();
    fail(FreeFormError::Problem::line_ended, {},
         "the line ends after " + std::to_string(found) + " of " + std::to_string(wanted) +
             " values");
  }

  std::string_view unquoted_token() {
    const std::size_t start = pos_;
    while (pos_ < line_.size() && !ends_unquoted(line_[pos_])) ++pos_;
    return line_.substr(start, pos_ - start);
  }

  std::string quoted_token() {
    const char quote = line_[pos_];
    const int first_line = line_number_;
    // The line the quote opens on: a quoted text read from the file may run on over later lines.
    const std::string_view opening_line = line_;
    const std::size_t start = pos_;
    ++pos_;
    std::string value;
    for (;;) {
      if (pos_ >= line_.size()) {
        if (!advance()) {
          fail_at(first_line, FreeFormError::Problem::quoted_text, opening_line.substr(start),
                  "quoted text " + shown_text(opening_line.substr(start)) + " is not closed");
        }
        continue;
      }
      const char c = line_[pos_++];
      if (c != quote) {
        value += c;
        continue;
      }
      if (pos_ < line_.size() && line_[pos_] == quote) {
        value += quote;
        ++pos_;
        continue;
      }
      break;
    }
    if (pos_ < line_.size() && !ends_unquoted(line_[pos_])) {
      // Shown from the opening quote, or from the start of the line the text ends on.
      const std::size_t from = line_number_ == first_line ? start : 0;
      const std::size_t end = line_.find_first_of(" \t,/", pos_);
      const std::string_view text =
          line_.substr(from, end == std::string_view::npos ? end : end - from);
      fail(FreeFormError::Problem::quoted_text, text,
           "quoted text " + shown_text(text) + " is followed by " +
               shown_text(line_.substr(pos_, 1)));
    }
    return value;
  }

  void assign(const Item& item) {
    const char c = line_[pos_];
    switch (item.kind()) {
      case Item::Kind::Text: {
        // Into the target's own storage: no string per token.
        std::string& target = *static_cast<std::string*>(item.target());
        if (c == '\'' || c == '"')
          target = quoted_token();
        else
          target.assign(unquoted_token());
        target.resize(item.width(), ' ');
        return;
      }
      case Item::Kind::Integer: {
        const std::string_view token = (c == '\'' || c == '"') ? quoted_raw() : unquoted_token();
        if (!parse_integer(token, *static_cast<std::int32_t*>(item.target())))
          fail(FreeFormError::Problem::not_a_value, token,
               shown_text(token) + " is not an integer");
        return;
      }
      case Item::Kind::Real: {
        const std::string_view token = (c == '\'' || c == '"') ? quoted_raw() : unquoted_token();
        if (!parse_real(token, *static_cast<double*>(item.target())))
          fail(FreeFormError::Problem::not_a_value, token, shown_text(token) + " is not a real");
        return;
      }
    }
  }

  // A quoted value met where a number is expected: its text, for the message.
  std::string_view quoted_raw() {
    const std::size_t start = pos_;
    ++pos_;
    while (pos_ < line_.size() && !ends_unquoted(line_[pos_])) ++pos_;
    return line_.substr(start, pos_ - start);
  }

  InputFile* file_;
  std::string_view line_;
  std::size_t pos_ = 0;
  int line_number_;
  std::size_t item_ = 0;  // the item being read, for a failure
  Item::Kind kind_ = Item::Kind::Text;
};

}  // namespace

std::string shown_text(std::string_view token, std::size_t kMax) {
  std::string out = "\"";
  for (std::size_t i = 0; i < token.size() && i < kMax; ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    if (c < 0x20 || c >= 0x7F) {
      static const char* hex = "0123456789abcdef";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  if (token.size() > kMax) out += "...";
  out += '"';
  return out;
}

std::string input_error_message(int line_number, std::string_view what) {
  return "vorn: fatal input error on unit 1 (VORN.IN), line " + std::to_string(line_number) + ": " +
         std::string(what);
}

bool parse_integer(std::string_view token, std::int32_t& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == token.size()) return false;
  long long v = 0;
  for (; i < token.size(); ++i) {
    if (!is_digit(token[i])) return false;
    v = v * 10 + (token[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

bool parse_real(std::string_view token, double& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i < token.size() && !is_digit(token[i]) && token[i] != '.') {
    std::string word;
    for (std::size_t j = i; j < token.size(); ++j)
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(token[j])));
    if (word == "nan") {
      value = negative ? -std::numeric_limits<double>::quiet_NaN()
                       : std::numeric_limits<double>::quiet_NaN();
      return true;
    }
    if (word == "inf" || word == "infinity") {
      value = negative ? -std::numeric_limits<double>::infinity()
                       : std::numeric_limits<double>::infinity();
      return true;
    }
    return false;
  }
  // digits [. digits] [(e|d) [sign] digits], with digits on at least one side of the point
  const std::size_t int_start = i;
  bool plain = true;  // in the form from_chars reads, with a short exponent
  while (i < token.size() && is_digit(token[i])) ++i;
  const std::string_view int_digits = token.substr(int_start, i - int_start);
  std::string_view frac_digits;
  if (i < token.size() && token[i] == '.') {
    const std::size_t frac_start = ++i;
    while (i < token.size() && is_digit(token[i])) ++i;
    frac_digits = token.substr(frac_start, i - frac_start);
  }
  if (int_digits.empty() && frac_digits.empty()) return false;
  // A huge exponent is clamped: no token has enough digits to bring it back into range.
  constexpr long long kExponentClamp = 1'000'000'000'000'000LL;
  long long exponent = 0;
  if (i < token.size()) {
    const char e = token[i];
    if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return false;
    plain = e == 'e' || e == 'E';
    ++i;
    bool exp_negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) exp_negative = token[i++] == '-';
    const std::size_t digits_start = i;
    for (; i < token.size() && is_digit(token[i]); ++i) {
      exponent = exponent * 10 + (token[i] - '0');
      if (exponent > kExponentClamp) exponent = kExponentClamp;
    }
    if (i == digits_start || i != token.size()) return false;
    if (i - digits_start > 3) plain = false;
    if (exp_negative) exponent = -exponent;
  }
  // A mantissa of at most 2^53 times an exact power of ten: one multiplication or division
  // rounds the decimal value correctly, which is what reading it as it stands gives.
  if (int_digits.size() + frac_digits.size() <= 19) {
    std::uint64_t d = 0;
    for (const char c : int_digits) d = d * 10 + static_cast<std::uint64_t>(c - '0');
    for (const char c : frac_digits) d = d * 10 + static_cast<std::uint64_t>(c - '0');
    const long long scale = exponent - static_cast<long long>(frac_digits.size());
    if (d <= (std::uint64_t{1} << 53) && scale >= -kMaxExactPower && scale <= kMaxExactPower) {
      const double m = static_cast<double>(d);
      const double v = scale < 0 ? m / kExactPowersOfTen[-scale] : m * kExactPowersOfTen[scale];
      value = negative ? -v : v;
      return true;
    }
  }
  // The value is 0.ddd... times ten to `magnitude`, with the first d not zero.
  const std::size_t int_first = int_digits.find_first_not_of('0');
  const std::size_t frac_first =
      int_first == std::string_view::npos ? frac_digits.find_first_not_of('0') : 0;
  double v = 0.0;
  if (int_first != std::string_view::npos || frac_first != std::string_view::npos) {
    const long long magnitude =
        int_first != std::string_view::npos
            ? exponent + static_cast<long long>(int_digits.size() - int_first)
            : exponent - static_cast<long long>(frac_first);
    // The same decimal value gives the same double, so the token is read as it stands where
    // it can be: far from the ends of the range, in the form from_chars reads.
    const char* end = token.data() + token.size();
    if (plain && magnitude >= -300 && magnitude <= 300 &&
        read_real(token.data() + int_start, end, v).ptr == end) {
      // Read as it stands.
    } else if (magnitude > 400) {
      v = std::numeric_limits<double>::infinity();
    } else if (magnitude >= -400) {
      std::string normal = "0.";
      if (int_first != std::string_view::npos) {
        normal.append(int_digits.substr(int_first));
        normal.append(frac_digits);
      } else {
        normal.append(frac_digits.substr(frac_first));
      }
      normal += 'e';
      normal += std::to_string(magnitude);
      auto [ptr, ec] =
          read_real(normal.data(), normal.data() + normal.size(), v, RealTextForm::scientific);
      if (ec == std::errc::result_out_of_range)
        v = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
      else if (ec != std::errc() || ptr != normal.data() + normal.size())
        return false;
    }
  }
  value = negative ? -v : v;
  return true;
}

void read_free(InputFile& file, std::initializer_list<Item> items) {
  Reader(&file, std::string_view(), file.line_number()).read(items);
}

void skip_line(InputFile& file, std::string_view what) {
  if (!file.next_line())
    throw FatalInputError(
        input_error_message(file.line_number() + 1, "end of file before " + std::string(what)));
}

void read_free(std::string_view text, int line_number, std::initializer_list<Item> items) {
  Reader(nullptr, text, line_number).read(items);
}

}  // namespace vorn
