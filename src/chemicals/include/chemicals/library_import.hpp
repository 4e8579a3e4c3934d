// Source tables turned into a library: values converted to the units the run takes, variants
// told apart, the first table's value kept where several give one (the others noted beside
// it), and the rows not loaded recorded with their reason.
#pragma once

#include <string>
#include <vector>

#include "chemicals/library.hpp"
#include "chemicals/source_table.hpp"

namespace vorn::chemicals {

// How the imported values name their table. Empty: each table's own name and the date of
// the copy compiled into the program.
struct ImportNaming {
  std::string table;
  std::string date;
};

// Tables of different layouts, in any order: they take precedence in the layouts' order.
// Throws DataError for two tables of one layout, or rows sharing an id whose names do not
// end in distinct parenthesised variants.
Library import_tables(const std::vector<SourceTable>& tables, const ImportNaming& naming,
                      std::string origin);

// The value of the cell as the run takes it, and how it was derived from the cell.
struct ConvertedValue {
  std::string value;
  std::string derivation;
};
ConvertedValue converted(const MappedColumn& column, const std::string& text);

// True when a later table gave another number for the value.
bool in_conflict(const LibraryValue& v);

}  // namespace vorn::chemicals
