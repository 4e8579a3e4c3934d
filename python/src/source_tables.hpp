// The sources of a run's values and the chemical library as tables, under the names
// sources.csv and the library file give their columns.
#pragma once

#include <vector>

#include "chemicals/library.hpp"
#include "chemicals/run_sources.hpp"
#include "value_table.hpp"

namespace vorn::python {

// One row per value: index, CHEMCAS, variant, CHEMNAME, field, value, unit, origin, library,
// source, table, date, derivation, note, action, pathways, and filled_value, the value as the
// fill wrote it. Without usable sources, the columns alone.
ValueTable sources_table(const chemicals::RunSources* sources);

// One row per value of each library in order (rows that record table rows not loaded left
// out): library, id, variant, field, value, number (the value as a double; NaN for a text),
// unit, source, table, date, derivation, note, other, other_table.
ValueTable library_table(const std::vector<const chemicals::Library*>& libraries);

}  // namespace vorn::python
