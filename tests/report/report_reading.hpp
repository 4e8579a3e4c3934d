// Reading a report back: its tables, their data rows and the fields of a row.
#pragma once

#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace vorn::test {

// Title prefix of table t as the report writes it (one blank first).
inline std::string table_title(int t) {
  const char* const titles[] = {" TABLE 1 ", " Table 2 ", " Table 3 ", " Table 4 ", " Table 5 ",
                                " Table 6 ", " TABLE 7 ", " TABLE 8 ", " Table 9 ", " Table 10 "};
  return titles[t - 1];
}

// The lines of table t, from its title to the next title or the end of the report.
inline std::vector<std::string> table_lines(const std::string& report, int t) {
  std::vector<std::string> out;
  bool inside = false;
  for (const std::string& line : lines_of(report)) {
    if (line.rfind(table_title(t), 0) == 0)
      inside = true;
    else if (inside && t < 10 && line.rfind(table_title(t + 1), 0) == 0)
      break;
    if (inside) out.push_back(line);
  }
  return out;
}

// The first n lines after the separator of table t.
inline std::vector<std::string> data_rows(const std::string& report, int t, int n) {
  const std::vector<std::string> lines = table_lines(report, t);
  std::vector<std::string> rows;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (lines[k] != std::string(120, '-')) continue;
    for (std::size_t r = k + 1; r < lines.size() && rows.size() < static_cast<std::size_t>(n); ++r)
      rows.push_back(lines[r]);
    break;
  }
  return rows;
}

// Field `column` of a data row, counted from 1 after the 50-character name field.
inline std::string field(const std::string& row, int column) {
  if (row.size() < 51) return {};
  std::size_t start = 51;
  for (int c = 1; c < column; ++c) {
    start = row.find(',', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  const std::size_t end = row.find(',', start);
  return row.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Length of a data row of table t: 50 for the name, then 11 per number or filler
// field and 16 per CAS or pathway field (each with its comma).
inline std::size_t row_length(int t) {
  struct Fields {
    int numbers, texts;
  };
  const Fields fields[] = {{7, 0},  {8, 0}, {7, 0}, {8, 0}, {7, 0},
                           {10, 0}, {6, 1}, {2, 3}, {4, 3}, {6, 1}};
  const Fields& f = fields[t - 1];
  return 50 + 11 * static_cast<std::size_t>(f.numbers) + 16 * static_cast<std::size_t>(f.texts);
}

}  // namespace vorn::test
