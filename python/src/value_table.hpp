// Named columns of values filled a row at a time: the records of a run as Python receives
// them, made without Python.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vorn/records.hpp"

namespace vorn::python {

enum class ValueKind { real, integer, boolean, text };

struct Column {
  std::string name;
  ValueKind kind = ValueKind::real;
  std::vector<double> reals;
  std::vector<std::int64_t> integers;  // integers, and booleans as 0 and 1
  std::vector<std::string> texts;      // UTF-8
};

class ValueTable {
 public:
  // The adds that follow fill the columns in order; the first row names them.
  void begin_row() { next_ = 0; }
  void add(const char* name, double v) { column(name, ValueKind::real).reals.push_back(v); }
  void add(const char* name, bool v) { column(name, ValueKind::boolean).integers.push_back(v); }
  void add(const char* name, std::int16_t v) { add(name, std::int64_t{v}); }
  void add(const char* name, std::int32_t v) { add(name, std::int64_t{v}); }
  void add(const char* name, std::int64_t v) {
    column(name, ValueKind::integer).integers.push_back(v);
  }
  // Texts as the exports write them: Latin-1 read as UTF-8, without trailing blanks.
  void add(const char* name, std::string_view latin1);
  void add(const char* name, const std::string& latin1) { add(name, std::string_view(latin1)); }
  void add(const char* name, const char* latin1) { add(name, std::string_view(latin1)); }
  // A text that should be UTF-8 already (from a CSV file): bytes that are not become U+FFFD.
  void add_utf8(const char* name, std::string_view text);
  // An array spreads over NAME_1 .. NAME_n, as the CSV export spreads it.
  void add(const char* name, const std::array<double, kPathways>& values);

  // Drops every value and keeps the columns: a header without rows.
  void clear_values();
  const std::vector<Column>& columns() const { return columns_; }

 private:
  Column& column(std::string name, ValueKind kind);

  std::vector<Column> columns_;
  std::size_t next_ = 0;
};

}  // namespace vorn::python
