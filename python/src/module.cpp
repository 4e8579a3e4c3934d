// The extension module vorn._vorn: runs, batches and inputs in memory. The GIL is released
// around every computation; Python objects are made and dropped with it held.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <thread>

#include "batch/streams.hpp"
#include "chemical_library.hpp"
#include "chemicals/value_source.hpp"
#include "core/output_file.hpp"
#include "core/run_error.hpp"
#include "for_each_index.hpp"
#include "input/input_writer.hpp"
#include "montecarlo.hpp"
#include "printing.hpp"
#include "python_values.hpp"
#include "record_tables.hpp"
#include "run_record.hpp"
#include "source_tables.hpp"
#include "vorn/version.hpp"

namespace vorn::python {
namespace {

// A file that cannot be read: an OSError in Python.
class UnreadableFile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The VORN.IN a path names: DIR/VORN.IN for a directory, the file itself for a VORN.IN.
std::string input_file_of(const std::string& path) {
  return (batch::run_directory(path) / "VORN.IN").string();
}

unsigned thread_count(unsigned threads) {
  return threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
}

// `run_one` for each of a list of items on `threads` threads (0: one per processor); the
// records in item order.
auto each_of(RunRecord (*run_one)(const std::string&)) {
  return [run_one](const std::vector<std::string>& items, unsigned threads) {
    std::vector<RunRecord> records(items.size());
    for_each_index(items.size(), thread_count(threads),
                   [&](std::size_t k) { records[k] = run_one(items[k]); });
    return records;
  };
}

// The bytes of the VORN.IN a path names (a directory or the file), or nothing.
std::optional<py::bytes> input_bytes(const std::string& path) {
  std::string bytes, why;
  bool read = false;
  {
    py::gil_scoped_release unlocked;
    read = read_file(input_file_of(path), bytes, why);
  }
  if (!read) return std::nullopt;
  return py::bytes(bytes);
}

py::tuple read_input(const std::string& path) {
  ValueTable unit, chemicals, daf;
  {
    py::gil_scoped_release unlocked;
    const std::string file = input_file_of(path);
    std::string bytes, why;
    if (!read_file(file, bytes, why)) throw UnreadableFile(file + ": " + why);
    InputRecords records;
    try {
      records = read_input_records(std::move(bytes));
    } catch (const FatalError& e) {
      throw py::value_error(file + ": " + e.what());
    } catch (const RunStop& stop) {
      std::string message = file + ":";
      for (const std::string& line : stop.lines()) message += " " + line;
      throw py::value_error(message);
    }
    unit = site_table(records.unit);
    chemicals = input_chemical_table(records.chemicals);
    daf = daf_rows_table(*records.daf);
  }
  return py::make_tuple(first_row_dict(unit), column_dict(chemicals), column_dict(daf));
}

py::str input_text(const py::dict& unit, const py::dict& chemicals, const py::dict& daf) {
  const InputRecords records = records_from_python(unit, chemicals, daf);
  std::string text;
  {
    py::gil_scoped_release unlocked;
    text = write_input_text(records.unit, records.chemicals, *records.daf);
  }
  return latin1_str(text);
}

}  // namespace
}  // namespace vorn::python

PYBIND11_MODULE(_vorn, m) {
  using namespace vorn::python;
  m.doc() = "The engine's runs and inputs in memory; the package vorn is its interface.";
  m.attr("__version__") = vorn::kVersion;
  m.attr("UNIT_FIELDS") = column_kinds(site_table(vorn::WasteUnit{}));
  m.attr("CHEMICAL_FIELDS") = column_kinds(input_chemical_table({}));
  m.attr("DAF_FIELDS") = column_kinds(daf_rows_table(vorn::DafTable{}));
  m.attr("RESULT_COLUMNS") = column_kinds(chemical_table(nullptr));
  m.attr("SOURCE_COLUMNS") = column_kinds(sources_table(nullptr));
  m.attr("SOURCES_HEADER") = vorn::chemicals::kSourcesHeader;

  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const UnreadableFile& e) {
      PyErr_SetString(PyExc_OSError, e.what());
    }
  });

  // The GIL is released for the call alone: arguments and the records returned are
  // converted with it held.
  using unlocked = py::call_guard<py::gil_scoped_release>;
  py::class_<RunRecord>(m, "RunRecord",
                        "The outcome of one run, held by the engine until its values are asked "
                        "for.")
      .def_readonly("status", &RunRecord::status)
      .def_readonly("exit_status", &RunRecord::exit_status)
      .def_readonly("message", &RunRecord::message)
      .def_property_readonly("report_text",
                             [](const RunRecord& r) { return latin1_str(r.report_text); })
      .def_property_readonly("log_text", [](const RunRecord& r) { return latin1_str(r.log_text); })
      .def(
          "unit", [](const RunRecord& r) { return first_row_dict(r.unit); },
          "The unit's values: name -> value.")
      .def(
          "chemical_columns", [](const RunRecord& r) { return column_dict(r.chemicals); },
          "The chemicals' values: name -> numpy array or list of str.")
      .def(
          "source_columns", [](const RunRecord& r) { return column_dict(r.sources); },
          "The sources of the values, as the run read sources.csv: name -> column.")
      .def_readonly("sources_warning", &RunRecord::sources_warning)
      .def_readonly("explanation", &RunRecord::explanation)
      .def_readonly("warnings", &RunRecord::warnings)
      .def_readwrite("name", &RunRecord::name, "The stream's name on the page.")
      .def("page", &RunRecord::page, py::arg("date"), unlocked(),
           "The page vorn --html writes, dated date (YYYY-MM-DD).")
      .def("state", &run_state,
           "(status, exit_status, message, unit, chemical columns, report_text, log_text): "
           "plain values, for pickling.");

  m.def("run_path", &run_given_path, py::arg("path"), unlocked(),
        "The run on DIR/VORN.IN (path: DIR or the file, as bytes).");
  m.def("run_text", &run_input_sourced, py::arg("text"), py::arg("sources") = py::none(),
        unlocked(), "The run on the bytes of a VORN.IN, with those of its sources.csv.");
  m.def("missing_input", &missing_input, py::arg("message"),
        "The record of a run whose VORN.IN could not be opened, with its message.");
  m.def("run_paths", each_of(run_given_path), py::arg("paths"), py::arg("threads"), unlocked(),
        "run_path for each path on `threads` threads (0: one per processor), in order.");
  m.def("run_texts", each_of(run_input_bytes), py::arg("texts"), py::arg("threads"), unlocked(),
        "run_text for each text on `threads` threads (0: one per processor), in order.");
  m.def("input_bytes", &input_bytes, py::arg("path"),
        "The bytes of the VORN.IN a path names, or None when it cannot be read.");
  m.def("read_input", &read_input, py::arg("path"),
        "(unit, chemical columns, DAF columns) as VORN.IN gives them. OSError when the file "
        "cannot be read, ValueError naming the file and the problem when it cannot be read "
        "as an input.");
  m.def("input_text", &input_text, py::arg("unit"), py::arg("chemicals"), py::arg("daf"),
        "VORN.IN from the unit's parameters and the columns of the chemicals and DAF rows; "
        "ValueError naming the field and row of a value it cannot hold.");
  add_montecarlo(m);
  add_chemical_library(m);
  add_printing(m);
}
