// Pages printed to PDF for Python, through the program's printing layer.
#pragma once

#include <pybind11/pybind11.h>

namespace vorn::python {

// print_pdf(html, paper) and the exception BrowserUnavailable (a RuntimeError).
void add_printing(pybind11::module_& m);

}  // namespace vorn::python
