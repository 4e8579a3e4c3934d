#include "printing.hpp"

#include <string>

#include "pdf/paper.hpp"
#include "pdf/print_error.hpp"
#include "pdf/print_session.hpp"

namespace vorn::python {
namespace {

namespace py = pybind11;

// The PDF of a page on `paper`, printed by the browser the environment names or finds. A
// browser that fails or hangs is a RuntimeError with the end of what it wrote.
py::bytes print_pdf(const std::string& html, const std::string& paper_name) {
  const std::optional<pdf::Paper> paper = pdf::paper_named(paper_name);
  if (!paper) throw py::value_error("paper: \"a4\" or \"letter\", not \"" + paper_name + "\"");
  std::string bytes;
  {
    py::gil_scoped_release unlocked;
    pdf::PrintSession session(pdf::settings_from_environment(*paper));
    bytes = session.print(pdf::PrintJob{{}, html, {}});
  }
  return py::bytes(bytes);
}

}  // namespace

void add_printing(py::module_& m) {
  py::register_exception<pdf::BrowserUnavailable>(m, "BrowserUnavailable", PyExc_RuntimeError);
  m.def("print_pdf", &print_pdf, py::arg("html"), py::arg("paper"),
        "The page printed to PDF by a Chromium-family browser (VORN_BROWSER, else one on "
        "PATH). BrowserUnavailable when there is none, RuntimeError when it fails.");
}

}  // namespace vorn::python
