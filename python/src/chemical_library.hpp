// The chemical library for Python: its values as columns, a fill of a stream sheet, and newer
// tables imported into a library file.
#pragma once

#include <pybind11/pybind11.h>

namespace vorn::python {

void add_chemical_library(pybind11::module_& m);

}  // namespace vorn::python
