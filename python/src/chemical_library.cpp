// The chemical library's functions of the extension module. Problems of the user's data are
// ValueError, one a line, each naming its file and line as the program does.
#include "chemical_library.hpp"

#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chemicals/daf_sheet.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/fill_files.hpp"
#include "chemicals/library_changes.hpp"
#include "chemicals/library_file.hpp"
#include "chemicals/library_files.hpp"
#include "chemicals/library_import.hpp"
#include "chemicals/library_snapshot.hpp"
#include "chemicals/source_table.hpp"
#include "chemicals/stream_fill.hpp"
#include "chemicals/stream_sheet.hpp"
#include "python_values.hpp"
#include "record_tables.hpp"
#include "source_tables.hpp"

namespace vorn::python {
namespace {

// The names the sheets go by in messages; the package turns their lines into rows.
constexpr const char* kSheetName = "stream sheet";
constexpr const char* kDafName = "daf";

// Runs `work` without the GIL; a DataError it throws becomes ValueError.
template <class Work>
auto unlocked_data_work(Work&& work) {
  std::string problem;
  decltype(work()) out{};
  {
    py::gil_scoped_release unlocked;
    try {
      out = work();
    } catch (const chemicals::DataError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) throw py::value_error(problem);
  return out;
}

py::dict library_columns(const std::vector<std::string>& files) {
  const ValueTable table = unlocked_data_work([&] {
    const chemicals::LibraryFiles libraries(files);
    return library_table(libraries.stack().libraries());
  });
  return column_dict(table);
}

struct Filled {
  ValueTable unit, chemicals, daf;
  std::string sources;
  std::vector<std::string> notices;
};

// The values the user must still supply or confirm, one line per chemical and action, as the
// program prints them.
std::vector<std::string> action_lines(const std::vector<chemicals::ValueSource>& sources) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t index = 0;
  std::string action;
  const auto flush = [&] {
    if (!line.empty()) lines.push_back(line);
    line.clear();
  };
  for (const chemicals::ValueSource& s : sources) {
    if (s.action.empty()) continue;
    if (s.index != index || s.action != action) {
      flush();
      index = s.index;
      action = s.action;
      line = std::to_string(s.index) + " " + s.CHEMNAME + " (" + s.CHEMCAS + "): " + s.action +
             " " + s.field + " (" + s.pathways + ")";
    } else {
      line += "; " + s.field + " (" + s.pathways + ")";
    }
  }
  flush();
  return lines;
}

py::tuple fill(const std::string& sheet, const std::optional<std::string>& daf,
               const std::vector<std::string>& libraries) {
  const Filled filled = unlocked_data_work([&] {
    const chemicals::StreamSheet s = chemicals::read_stream_sheet(sheet, kSheetName);
    std::vector<chemicals::DafSheetRow> rows;
    if (daf) rows = chemicals::read_daf_sheet(*daf, kDafName);
    const chemicals::LibraryFiles files(libraries);
    const chemicals::FillResult r = chemicals::fill_stream(s, rows, kDafName, files.stack());
    Filled out{site_table(r.unit), input_chemical_table(r.chemicals), daf_rows_table(*r.daf),
               chemicals::sources_csv(r.sources), r.notices};
    for (std::string& line : action_lines(r.sources)) out.notices.push_back(std::move(line));
    return out;
  });
  return py::make_tuple(first_row_dict(filled.unit), column_dict(filled.chemicals),
                        column_dict(filled.daf), py::str(filled.sources), filled.notices);
}

struct Imported {
  ValueTable changes;
  std::vector<std::string> report;
};

void add_change_row(ValueTable& t, const chemicals::ValueChange& c) {
  static constexpr const char* kKinds[] = {"added", "changed", "removed"};
  t.begin_row();
  t.add_utf8("change", kKinds[static_cast<int>(c.kind)]);
  for (const auto& [name, text] : {std::pair<const char*, const std::string&>{"id", c.id},
                                   {"variant", c.variant},
                                   {"field", c.field},
                                   {"before", c.before},
                                   {"after", c.after},
                                   {"unit", c.unit}})
    t.add_utf8(name, text);
}

// Tables (name, CSV text) into the library file `output`; the changes against the snapshot
// and what each table gave.
py::tuple import_tables(const std::vector<std::pair<std::string, std::string>>& tables,
                        const std::string& output, const std::string& date,
                        const std::string& name) {
  const Imported imported = unlocked_data_work([&] {
    std::vector<chemicals::SourceTable> read;
    for (const auto& [file, text] : tables)
      read.push_back(chemicals::read_source_table(text, file));
    const chemicals::Library library = chemicals::import_tables(read, {name, date}, output);
    std::string why;
    if (!chemicals::write_atomically(output, chemicals::library_csv(library), why))
      throw chemicals::DataError(why);
    Imported out;
    std::vector<std::string> compared;
    for (const chemicals::SourceTable& t : read) {
      compared.emplace_back(t.layout->table);
      out.report.push_back(t.file + ": " + t.layout->table + ", " + std::to_string(t.rows.size()) +
                           " rows loaded, " + std::to_string(t.skipped.size()) + " not loaded");
    }
    add_change_row(out.changes, {chemicals::ValueChange::Kind::added, {}, {}, {}, {}, {}, {}});
    out.changes.clear_values();
    for (const chemicals::ValueChange& c :
         chemicals::library_changes(chemicals::snapshot_library(), library, compared))
      add_change_row(out.changes, c);
    return out;
  });
  return py::make_tuple(column_dict(imported.changes), imported.report);
}

// The key of the layout a table's text has ("parameters", "toxicity", "volatile", "tc"), or
// None.
std::optional<std::string> table_layout(const std::string& text) {
  const chemicals::TableLayout* layout = chemicals::layout_of(text);
  if (layout == nullptr) return std::nullopt;
  return std::string(layout->key);
}

}  // namespace

void add_chemical_library(py::module_& m) {
  m.def("table_layout", &table_layout, py::arg("text"),
        "The key of the known layout whose header a table (CSV text) holds, or None.");
  m.def("library_columns", &library_columns, py::arg("files"),
        "The values of the library files given, then of the compiled snapshot: name -> "
        "column. ValueError when a file cannot be read or is not a library.");
  m.def("fill", &fill, py::arg("sheet"), py::arg("daf"), py::arg("libraries"),
        "(unit, chemical columns, DAF columns, sources.csv, notices) of a stream sheet's "
        "text filled from the libraries. ValueError listing every problem as 'stream "
        "sheet:LINE: reason' or 'daf:LINE: reason'.");
  m.def("import_tables", &import_tables, py::arg("tables"), py::arg("output"), py::arg("date"),
        py::arg("name"),
        "Tables [(name, CSV text)] of the known layouts into the library file `output`: "
        "(the changes against the compiled snapshot as columns, a line per table). ValueError "
        "naming table, record and column of a cell it cannot take.");
}

}  // namespace vorn::python
