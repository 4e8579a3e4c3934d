// Between Python objects and the engine's values; every function needs the GIL.
#pragma once

#include <pybind11/pybind11.h>

#include <string>

#include "input/input_records.hpp"
#include "run_record.hpp"
#include "value_table.hpp"

namespace vorn::python {

namespace py = pybind11;

// Bytes read as Latin-1, as the engine reads VORN.IN.
py::str latin1_str(const std::string& bytes);

// Column name -> numpy array (float64, int64, bool) or list of str.
py::dict column_dict(const ValueTable& table);
// Column name -> the first row's value as a Python scalar; empty without rows.
py::dict first_row_dict(const ValueTable& table);
// (name, kind) per column, kind "real", "integer", "boolean" or "text".
py::tuple column_kinds(const ValueTable& table);

// (status, exit_status, message, unit, chemical columns, report_text, log_text, input bytes or
// None, sources.csv bytes or None, name).
py::tuple run_state(const RunRecord& record);

// The records from the unit's parameters and the columns of the chemicals and of the DAF
// rows (lists keyed by field name). A value that is missing or of the wrong kind is a
// ValueError naming its field and row.
InputRecords records_from_python(const py::dict& unit, const py::dict& chemicals,
                                 const py::dict& daf);

}  // namespace vorn::python
