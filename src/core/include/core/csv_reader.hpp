// Records of an RFC 4180 text (a manifest, a table, a sheet), with the line each one starts on.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

struct CsvRecord {
  std::size_t line = 0;  // 1-based line of the record's first character
  std::vector<std::string> fields;
};

// A text that is not RFC 4180; line() is where the problem is.
class CsvError : public std::runtime_error {
 public:
  CsvError(std::size_t line, const std::string& what) : std::runtime_error(what), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

struct CsvOptions {
  // An empty line is a record of one empty field, instead of no record at all.
  bool keep_empty_lines = false;
};

// Fields may be quoted ("" is one quote inside them) and then hold commas and line
// breaks. Records end in CRLF or LF. A leading UTF-8 byte order mark is dropped, since
// spreadsheets write one.
std::vector<CsvRecord> read_csv(std::string_view text, CsvOptions options = {});

}  // namespace vorn
