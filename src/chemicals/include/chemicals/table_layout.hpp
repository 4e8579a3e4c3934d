// The layouts of the source tables the library is built from: which columns are read, by
// header, what their cells may hold, in which unit, and how each becomes a value of the run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorn::chemicals {

enum class Conversion {
  none,
  micrograms_to_milligrams,  // per litre: the decimal text's exponent shifted by -3
  mm_hg_to_atm,              // ÷ 760
  unit_risk_to_slope,        // per µg/m³ × 3500 (70 kg adult breathing 20 m³ a day)
};

// What a column's missing cell says.
enum class Blank {
  absent,          // the table gives no value: another table or the user may
  none_published,  // a toxicity value the table leaves blank: none is published (0)
};

enum class CellKind {
  number,
  flag,  // empty, or the one letter of `flag`
};

struct MappedColumn {
  const char* field;  // the library field it fills
  const char* header;
  // The column of its source key: the one column with this header, or the first after
  // this one when several have it; "" when the table gives none.
  const char* source_header;
  Conversion conversion;
  const char* table_unit;
  const char* unit;  // as the run takes it
  Blank blank;
  CellKind kind = CellKind::number;
  const char* flag = "";
};

// A token the table writes in a mapped cell in place of a number, and what it means; such
// a cell gives no value, and the import says how many there were.
struct SpecialToken {
  const char* token;
  const char* meaning;
};

// A remark on one row, by the row's source key; `listed` ones are part of the consistency
// report.
struct RowRemark {
  const char* source;
  const char* text;
  bool listed;
};

struct TableLayout {
  const char* key;            // parameters, toxicity, volatile, tc
  const char* table;          // the source table, as every value from it names it
  const char* snapshot_date;  // the date of the copy compiled into the program
  const char* anchor;         // first cell of the header record
  // Records whose cells, joined top to bottom, make a column's header: the anchor's and
  // the ones above it.
  int header_records;
  const char* name_header;
  const char* id_header;
  // The column whose text is every row's source key ("" none: each column names its own).
  const char* row_source_header;
  std::vector<MappedColumn> columns;
  std::vector<std::string> missing_tokens;
  std::vector<SpecialToken> special_tokens;
  std::vector<RowRemark> remarks;
  // The data end at the first record whose cells are all empty (notes follow it);
  // otherwise such records are skipped.
  bool ends_at_empty_record;
};

// The four layouts, in the order their tables take precedence: the RSL parameter and
// summary tables, the volatile-chemical table, the toxicity characteristic levels.
const std::vector<TableLayout>& table_layouts();

// A header cell as compared: line breaks and runs of blanks as one blank, none at the ends.
std::string normalized_header(std::string_view cell);

// The remark on a row of `layout` by its source key, or nullptr.
const RowRemark* row_remark(const TableLayout& layout, std::string_view source);

}  // namespace vorn::chemicals
