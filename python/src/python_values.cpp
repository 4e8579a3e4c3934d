#include "python_values.hpp"

#include <pybind11/numpy.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

#include "input/site_parameters.hpp"

namespace vorn::python {
namespace {

constexpr const char* kNoNan = "VORN.IN holds numbers only (a property that is not known is -1)";

const char* kind_name(ValueKind kind) {
  switch (kind) {
    case ValueKind::real:
      return "real";
    case ValueKind::integer:
      return "integer";
    case ValueKind::boolean:
      return "boolean";
    case ValueKind::text:
      return "text";
  }
  return "text";
}

py::object column_values(const Column& c) {
  switch (c.kind) {
    case ValueKind::real:
      return py::array_t<double>(static_cast<py::ssize_t>(c.reals.size()), c.reals.data());
    case ValueKind::integer:
      return py::array_t<std::int64_t>(static_cast<py::ssize_t>(c.integers.size()),
                                       c.integers.data());
    case ValueKind::boolean: {
      py::array_t<bool> values(static_cast<py::ssize_t>(c.integers.size()));
      auto out = values.mutable_unchecked<1>();
      for (std::size_t k = 0; k < c.integers.size(); ++k)
        out(static_cast<py::ssize_t>(k)) = c.integers[k] != 0;
      return values;
    }
    case ValueKind::text:
      break;
  }
  py::list texts;
  for (const std::string& t : c.texts) texts.append(py::str(t));
  return texts;
}

py::object first_value(const Column& c) {
  switch (c.kind) {
    case ValueKind::real:
      return py::float_(c.reals.at(0));
    case ValueKind::integer:
      return py::int_(c.integers.at(0));
    case ValueKind::boolean:
      return py::bool_(c.integers.at(0) != 0);
    case ValueKind::text:
      break;
  }
  return py::str(c.texts.at(0));
}

std::string shown(py::handle value) {
  return py::repr(value).cast<std::string>();
}

// The Python error just raised, cleared, as the reason of a ValueError about `where`.
[[noreturn]] void value_error_from_python(const std::string& where, py::handle value) {
  PyErr_Clear();
  throw py::value_error(where + ": " + shown(value) + " is not a number");
}

void read_number(py::handle value, double& out, const std::string& where) {
  if (!PyNumber_Check(value.ptr())) value_error_from_python(where, value);
  out = PyFloat_AsDouble(value.ptr());
  if (out == -1.0 && PyErr_Occurred()) value_error_from_python(where, value);
}

// VORN.IN has no way to write NaN, and a run would not read it back as one.
void read_value(py::handle value, double& out, const std::string& where) {
  read_number(value, out, where);
  if (std::isnan(out)) throw py::value_error(where + " is NaN: " + kNoNan);
}

// Integers, and reals without a fraction (spreadsheets keep every number as a real).
template <typename Int>
void read_integer(py::handle value, Int& out, const std::string& where) {
  if (!PyNumber_Check(value.ptr())) value_error_from_python(where, value);
  long long whole = 0;
  if (PyObject* index = PyNumber_Index(value.ptr())) {
    whole = PyLong_AsLongLong(index);
    Py_DECREF(index);
    if (whole == -1 && PyErr_Occurred()) value_error_from_python(where, value);
  } else {
    PyErr_Clear();
    double real = 0.0;
    read_number(value, real, where);
    if (std::isnan(real)) throw py::value_error(where + " is NaN: " + kNoNan);
    if (!(std::trunc(real) == real) || std::fabs(real) > 1e18)
      throw py::value_error(where + ": " + shown(value) + " is not an integer");
    whole = static_cast<long long>(real);
  }
  if (whole < std::numeric_limits<Int>::min() || whole > std::numeric_limits<Int>::max())
    throw py::value_error(where + ": " + shown(value) + " is out of range");
  out = static_cast<Int>(whole);
}

void read_value(py::handle value, std::int32_t& out, const std::string& where) {
  read_integer(value, out, where);
}
void read_value(py::handle value, std::int16_t& out, const std::string& where) {
  read_integer(value, out, where);
}

// Texts are written as Latin-1, as the engine reads them.
void read_value(py::handle value, std::string& out, const std::string& where) {
  if (!py::isinstance<py::str>(value))
    throw py::value_error(where + ": " + shown(value) + " is not a text");
  PyObject* bytes = PyUnicode_AsLatin1String(value.ptr());
  if (bytes == nullptr) {
    PyErr_Clear();
    throw py::value_error(where + ": " + shown(value) + " holds a character outside Latin-1");
  }
  out.assign(PyBytes_AS_STRING(bytes), static_cast<std::size_t>(PyBytes_GET_SIZE(bytes)));
  Py_DECREF(bytes);
}

// Columns keyed by field name, all of one length.
class Columns {
 public:
  Columns(const py::dict& columns, std::string table, std::string owner)
      : table_(std::move(table)), owner_(std::move(owner)) {
    for (const auto& [name, values] : columns) {
      py::list list(py::reinterpret_borrow<py::object>(values));
      if (!columns_.empty() && list.size() != rows_)
        throw py::value_error(table_ + ": the column " + shown(name) + " has " +
                              std::to_string(list.size()) + " values, the others " +
                              std::to_string(rows_));
      rows_ = list.size();
      columns_.emplace(py::str(name).cast<std::string>(), std::move(list));
    }
  }
  std::size_t rows() const { return rows_; }
  py::object at(const char* name, std::size_t row) const {
    const auto found = columns_.find(name);
    if (found == columns_.end()) throw py::value_error(table_ + ": no column " + name);
    return found->second[row];
  }
  // "chemicals: MCL of chemical 3"
  std::string where(const char* name, std::size_t row) const {
    return table_ + ": " + name + " of " + owner_ + " " + std::to_string(row + 1);
  }

 private:
  std::string table_, owner_;
  std::map<std::string, py::list> columns_;
  std::size_t rows_ = 0;
};

}  // namespace

py::str latin1_str(const std::string& bytes) {
  return py::reinterpret_steal<py::str>(
      PyUnicode_DecodeLatin1(bytes.data(), static_cast<py::ssize_t>(bytes.size()), nullptr));
}

py::dict column_dict(const ValueTable& table) {
  py::dict columns;
  for (const Column& c : table.columns()) columns[py::str(c.name)] = column_values(c);
  return columns;
}

py::dict first_row_dict(const ValueTable& table) {
  py::dict row;
  for (const Column& c : table.columns()) row[py::str(c.name)] = first_value(c);
  return row;
}

py::tuple column_kinds(const ValueTable& table) {
  py::list kinds;
  for (const Column& c : table.columns()) kinds.append(py::make_tuple(c.name, kind_name(c.kind)));
  return py::tuple(kinds);
}

namespace {

py::object optional_bytes(const std::optional<std::string>& bytes) {
  if (!bytes) return py::none();
  return py::bytes(*bytes);
}

}  // namespace

py::tuple run_state(const RunRecord& record) {
  return py::make_tuple(
      record.status, record.exit_status, record.message, first_row_dict(record.unit),
      column_dict(record.chemicals), latin1_str(record.report_text), latin1_str(record.log_text),
      optional_bytes(record.input), optional_bytes(record.sources_text), record.name);
}

InputRecords records_from_python(const py::dict& unit, const py::dict& chemicals,
                                 const py::dict& daf) {
  InputRecords records;
  for_each_site_parameter(records.unit, [&](const char* name, auto& field) {
    if (!unit.contains(name)) throw py::value_error(std::string("unit: no parameter ") + name);
    read_value(unit[name], field, std::string("unit: ") + name);
  });

  const Columns chemical_columns(chemicals, "chemicals", "chemical");
  records.chemicals.resize(chemical_columns.rows());
  for (std::size_t i = 0; i < records.chemicals.size(); ++i) {
    Chemical& c = records.chemicals[i];
#define VORN_CHEMICAL_READ(name, kind) \
  read_value(chemical_columns.at(#name, i), c.name, chemical_columns.where(#name, i));
    VORN_CHEMICAL_FIELDS(VORN_CHEMICAL_READ)
#undef VORN_CHEMICAL_READ
  }

  const Columns daf_columns(daf, "daf", "DAF row");
  if (daf_columns.rows() > static_cast<std::size_t>(kDafCapacity))
    throw py::value_error("daf: " + std::to_string(daf_columns.rows()) + " rows, at most " +
                          std::to_string(kDafCapacity));
  records.daf->NDAF = static_cast<std::int32_t>(daf_columns.rows());
  for (std::size_t r = 0; r < daf_columns.rows(); ++r) {
    for_each_daf_field(records.daf->row(static_cast<int>(r + 1)), [&](const char* name, auto& v) {
      read_value(daf_columns.at(name, r), v, daf_columns.where(name, r));
    });
  }
  return records;
}

}  // namespace vorn::python
