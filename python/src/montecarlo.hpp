// The probabilistic runs of the extension module.
#pragma once

#include <pybind11/pybind11.h>

namespace vorn::python {

void add_montecarlo(pybind11::module_& m);

}  // namespace vorn::python
