// The records of a run and of an input as tables, under the names the exports use.
#pragma once

#include <vector>

#include "input/daf_table.hpp"
#include "value_table.hpp"
#include "vorn/results.hpp"

namespace vorn::python {

// One row: the unit's fields computed for its type, then DAF_SCALE.
ValueTable unit_table(const Results& results);

// One row per chemical in input order: index, the record's fields as the run used them, the
// result slots and the report's values with their arrays spread. Without results, the
// columns alone.
ValueTable chemical_table(const Results* results);

// The records as read: one row of the eight site parameters, one row per chemical, one row
// per DAF row.
ValueTable site_table(const WasteUnit& unit);
ValueTable input_chemical_table(const std::vector<Chemical>& chemicals);
ValueTable daf_rows_table(const DafTable& daf);

}  // namespace vorn::python
