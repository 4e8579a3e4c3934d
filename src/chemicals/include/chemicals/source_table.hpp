// A source table read by its layout: one row per chemical with the mapped cells it holds,
// and the rows that are not loaded, with the reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chemicals/table_layout.hpp"

namespace vorn::chemicals {

struct SourceCell {
  const MappedColumn* column;
  std::string text;    // the number as written, without its note; empty: none published
  std::string note;    // the table's note on it: "F" of "8.0E+01(F)"
  std::string source;  // the source key the table gives it
};

struct SourceRow {
  std::size_t record = 0;  // 1-based, every record of the file counted
  std::string id;          // CAS number or registry id
  std::string name;        // without the table's leading "~" of a group member
  std::string source;      // the row's own source key (tables that give one per row)
  std::vector<SourceCell> cells;
};

struct SkippedRow {
  std::size_t record = 0;
  std::string name;
  std::string reason;
};

struct SourceTable {
  const TableLayout* layout = nullptr;
  std::string file;  // as named in messages
  std::vector<SourceRow> rows;
  std::vector<SkippedRow> skipped;
  // Mapped cells that held a listed special token, by token.
  std::vector<std::pair<const SpecialToken*, std::size_t>> special_counts;
};

// Reads `text`, a table saved as CSV, by the layout its headers match. Throws DataError for
// an unknown layout (listing the headers each layout needs), a record that is not CSV, a
// mapped cell that is no number, missing or listed token (FILE:RECORD:COLUMN), an id that is
// neither a CAS number with its check digit nor a registry id.
SourceTable read_source_table(std::string_view text, const std::string& file);

// The layout whose header the text holds (complete or not), as read_source_table looks for
// it; nullptr when it holds none, or is not CSV.
const TableLayout* layout_of(std::string_view text);

}  // namespace vorn::chemicals
