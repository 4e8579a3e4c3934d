// The free-form reader on arbitrary bytes: reads from the file and from texts, with every
// kind of item, and the number parsers checked against the C library.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "core/free_form.hpp"
#include "core/input_file.hpp"
#include "core/run_error.hpp"
#include "fuzz_check.hpp"

namespace {

using vorn::Item;
using vorn::test::fuzz_require;

constexpr std::size_t kMaxItems = 8;
constexpr int kMaxReads = 64;
constexpr std::size_t kLineWidth = 1024;

// The items of one read, their kinds and widths taken from the input's first bytes.
struct ItemList {
  std::size_t count = 1;
  Item::Kind kinds[kMaxItems] = {};
  std::size_t width = 1;
  std::int32_t integers[kMaxItems] = {};
  double reals[kMaxItems] = {};
  std::string texts[kMaxItems];

  void read_from(vorn::InputFile* file, std::string_view text) {
    std::vector<Item> items;
    for (std::size_t k = 0; k < count; ++k) {
      switch (kinds[k]) {
        case Item::Kind::Integer:
          items.push_back(Item::integer(integers[k]));
          break;
        case Item::Kind::Real:
          items.push_back(Item::real(reals[k]));
          break;
        case Item::Kind::Text:
          items.push_back(Item::text(texts[k], width));
          break;
      }
    }
    // The reader takes an initializer list: pass the first `count` of a fixed eight.
    auto it = [&](std::size_t k) { return items[k < count ? k : count - 1]; };
    auto read = [&](std::initializer_list<Item> list) {
      if (file != nullptr)
        vorn::read_free(*file, list);
      else
        vorn::read_free(text, 1, list);
    };
    switch (count) {
      case 1:
        read({it(0)});
        break;
      case 2:
        read({it(0), it(1)});
        break;
      case 3:
        read({it(0), it(1), it(2)});
        break;
      case 4:
        read({it(0), it(1), it(2), it(3)});
        break;
      case 5:
        read({it(0), it(1), it(2), it(3), it(4)});
        break;
      case 6:
        read({it(0), it(1), it(2), it(3), it(4), it(5)});
        break;
      case 7:
        read({it(0), it(1), it(2), it(3), it(4), it(5), it(6)});
        break;
      default:
        read({it(0), it(1), it(2), it(3), it(4), it(5), it(6), it(7)});
        break;
    }
  }

  void check_widths() const {
    for (std::size_t k = 0; k < count; ++k) {
      if (kinds[k] == Item::Kind::Text)
        fuzz_require(texts[k].size() == width, "text item of " + std::to_string(texts[k].size()) +
                                                   " characters, not " + std::to_string(width));
    }
  }
};

void check_message(const std::string& message) {
  static const std::string prefix = "vorn: fatal input error on unit 1 (VORN.IN), line ";
  fuzz_require(message.rfind(prefix, 0) == 0, "fatal error message \"" + message + "\"");
  std::size_t k = prefix.size();
  while (k < message.size() && message[k] >= '0' && message[k] <= '9') ++k;
  fuzz_require(
      k > prefix.size() && message[prefix.size()] != '0' && message.compare(k, 2, ": ") == 0,
      "fatal error message without a line number: \"" + message + "\"");
  for (char c : message)
    fuzz_require(c >= 0x20 && c < 0x7F, "fatal error message with a byte outside printable ASCII");
}

// A read that may end in a fatal input error; false when it did.
template <typename Read>
bool attempt(Read read) {
  try {
    read();
    return true;
  } catch (const vorn::FatalInputError& e) {
    check_message(e.what());
  } catch (const std::exception& e) {
    fuzz_require(false, std::string("read ended in an unexpected exception: ") + e.what());
  }
  return false;
}

bool identical(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// The integer grammar and range checked without the engine's parser.
bool reference_integer(const std::string& token, std::int32_t& value) {
  std::size_t i = (!token.empty() && (token[0] == '+' || token[0] == '-')) ? 1 : 0;
  if (i == token.size()) return false;
  for (std::size_t k = i; k < token.size(); ++k)
    if (token[k] < '0' || token[k] > '9') return false;
  const std::size_t nonzero = token.find_first_not_of('0', i);
  if (nonzero != std::string::npos && token.size() - nonzero > 10) return false;
  const long long v = std::strtoll(token.c_str(), nullptr, 10);
  if (v < -2147483648LL || v > 2147483647LL) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

// The real grammar as a state machine over the characters: sign, digits with an optional
// point (a digit on at least one side), optional exponent letter E or D with a signed integer;
// or NaN, Inf, Infinity in any letter case.
bool is_real_form(const std::string& token) {
  std::string t;
  for (char c : token) t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
  const std::string word = t.substr(i);
  if (word == "nan" || word == "inf" || word == "infinity") return true;
  enum State { Start, Int, Point, Frac, Letter, ExpSign, Exp } state = Start;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    const bool digit = c >= '0' && c <= '9';
    switch (state) {
      case Start:
        state = digit ? Int : (c == '.' ? Point : Start);
        if (!digit && c != '.') return false;
        break;
      case Int:
        if (c == '.')
          state = Frac;
        else if (c == 'e' || c == 'd')
          state = Letter;
        else if (!digit)
          return false;
        break;
      case Point:
        if (!digit) return false;
        state = Frac;
        break;
      case Frac:
        if (c == 'e' || c == 'd')
          state = Letter;
        else if (!digit)
          return false;
        break;
      case Letter:
        if (c == '+' || c == '-')
          state = ExpSign;
        else if (digit)
          state = Exp;
        else
          return false;
        break;
      case ExpSign:
        if (!digit) return false;
        state = Exp;
        break;
      case Exp:
        if (!digit) return false;
        break;
    }
  }
  return state == Int || state == Frac || state == Exp;
}

void check_number_token(const std::string& token) {
  std::int32_t mine = 0, theirs = 0;
  const bool ok = vorn::parse_integer(token, mine);
  fuzz_require(ok == reference_integer(token, theirs),
               "integer \"" + token.substr(0, 80) + "\" accepted differently");
  fuzz_require(!ok || mine == theirs, "integer \"" + token + "\" read as another value");

  double value = 0;
  if (vorn::parse_real(token, value)) {
    std::string c_form = token;
    for (char& ch : c_form)
      if (ch == 'd' || ch == 'D') ch = 'e';
    char* end = nullptr;
    const double expected = std::strtod(c_form.c_str(), &end);
    fuzz_require(end == c_form.c_str() + c_form.size(),
                 "real \"" + token.substr(0, 80) + "\" accepted, but not a C real");
    fuzz_require(identical(value, expected),
                 "real \"" + token.substr(0, 80) + "\" read as another value");
  } else {
    fuzz_require(!is_real_form(token), "real \"" + token.substr(0, 80) + "\" rejected");
  }
}

std::vector<std::string> tokens_of(const std::string& text) {
  std::vector<std::string> tokens;
  std::string current;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == ',' || c == '/' || c == '\n' || c == '\r') {
      if (!current.empty()) tokens.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) tokens.push_back(current);
  return tokens;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  vorn::InputFile file(text);
  while (auto line = file.next_line()) lines.emplace_back(*line);
  return lines;
}

}  // namespace

// Byte 0: how to read (bits 3-4) and the number of items (bits 0-2, plus one); bytes 1-2: the
// kind of each item, two bits each; byte 3: the width of text items; the rest is the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  ItemList list;
  list.count = 1 + (data[0] & 7u);
  const unsigned mode = (data[0] >> 3) & 3u;
  const unsigned kinds = data[1] | (static_cast<unsigned>(data[2]) << 8);
  for (std::size_t k = 0; k < kMaxItems; ++k) {
    const unsigned kind = (kinds >> (2 * k)) & 3u;
    list.kinds[k] =
        kind == 0 ? Item::Kind::Integer : (kind == 1 ? Item::Kind::Real : Item::Kind::Text);
  }
  list.width = 1 + data[3] % 40u;
  for (auto& t : list.texts) t.assign(list.width, ' ');
  const std::string input(reinterpret_cast<const char*>(data + 4), size - 4);

  vorn::InputFile file(input);
  for (int r = 0; r < kMaxReads; ++r) {
    const int before = file.line_number();
    bool ok = false;
    switch (mode) {
      case 0:  // successive reads from the file
        ok = attempt([&] { list.read_from(&file, {}); });
        break;
      case 1:  // a line skipped between reads
        ok = attempt([&] { vorn::skip_line(file, "a line"); }) &&
             attempt([&] { list.read_from(&file, {}); });
        break;
      default: {  // whole-line reads, then a read from the text
        auto line = file.read_line(mode == 2 ? kLineWidth : 16);
        if (!line) break;
        fuzz_require(line->size() == (mode == 2 ? kLineWidth : 16),
                     "whole-line read of another width");
        attempt([&] { list.read_from(nullptr, *line); });
        ok = true;
        break;
      }
    }
    list.check_widths();
    if (!ok) break;
    fuzz_require(file.line_number() > before, "a read that consumed no line");
  }
  // Each line on its own, read as a text.
  for (const std::string& line : lines_of(input)) {
    attempt([&] { list.read_from(nullptr, line); });
    list.check_widths();
  }
  std::size_t checked = 0;
  for (const std::string& token : tokens_of(input)) {
    if (++checked > 64) break;
    check_number_token(token);
  }
  return 0;
}
