#include "core/csv_reader.hpp"

namespace vorn {
namespace {

class Reader {
 public:
  Reader(std::string_view text, CsvOptions options) : text_(text), options_(options) {}

  std::vector<CsvRecord> records() {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    std::vector<CsvRecord> out;
    while (!at_end()) {
      CsvRecord record;
      record.line = line_;
      if (line_end()) {  // an empty line
        if (options_.keep_empty_lines) {
          record.fields.emplace_back();
          out.push_back(std::move(record));
        }
        continue;
      }
      do {
        record.fields.push_back(field());
      } while (comma());
      if (!at_end() && !line_end()) throw CsvError(line_, "expected a comma or a line end");
      out.push_back(std::move(record));
    }
    return out;
  }

 private:
  bool at_end() const { return pos_ >= text_.size(); }
  char peek() const { return text_[pos_]; }

  bool comma() {
    if (at_end() || peek() != ',') return false;
    ++pos_;
    return true;
  }

  // Consumes a CRLF or LF.
  bool line_end() {
    if (text_.substr(pos_, 2) == "\r\n") {
      pos_ += 2;
    } else if (!at_end() && peek() == '\n') {
      ++pos_;
    } else {
      return false;
    }
    ++line_;
    return true;
  }

  std::string field() {
    if (!at_end() && peek() == '"') return quoted();
    std::string out;
    while (!at_end() && peek() != ',' && peek() != '\n') {
      if (peek() == '"')
        throw CsvError(line_, "a quote inside a field that does not start with one");
      if (peek() == '\r') {
        if (text_.substr(pos_, 2) == "\r\n") break;
        throw CsvError(line_, "a carriage return without a line feed outside quotes");
      }
      out += text_[pos_++];
    }
    return out;
  }

  std::string quoted() {
    const std::size_t opened = line_;
    ++pos_;
    std::string out;
    for (;;) {
      if (at_end()) throw CsvError(opened, "a quoted field that is never closed");
      const char c = text_[pos_++];
      if (c == '"') {
        if (at_end() || peek() != '"') break;
        ++pos_;  // a doubled quote
      }
      if (c == '\n') ++line_;
      out += c;
    }
    if (!at_end() && peek() != ',' && peek() != '\r' && peek() != '\n')
      throw CsvError(line_, "text after the closing quote of a field");
    return out;
  }

  std::string_view text_;
  CsvOptions options_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};

}  // namespace

std::vector<CsvRecord> read_csv(std::string_view text, CsvOptions options) {
  return Reader(text, options).records();
}

}  // namespace vorn
