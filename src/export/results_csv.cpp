#include "vorn/results_csv.hpp"

#include <string_view>
#include <vector>

#include "core/csv_field.hpp"
#include "core/real_text.hpp"
#include "export/export_text.hpp"
#include "export/report_values.hpp"

namespace vorn {
namespace {

// One row of the table, each cell under its column name; the header is the names of
// any row.
class Row {
 public:
  void add(const char* name, double v) { put(name, format_real(v)); }
  void add(const char* name, int v) { put(name, std::to_string(v)); }
  void add(const char* name, bool v) { put(name, v ? "true" : "false"); }
  void add(const char* name, std::string_view text) { put(name, csv_field(export_text(text))); }
  void add(const char* name, const char* text) { add(name, std::string_view(text)); }
  void add(const char* name, const std::array<double, kPathways>& values) {
    for (std::size_t k = 0; k < values.size(); ++k)
      put(std::string(name) + "_" + std::to_string(k + 1), format_real(values[k]));
  }
  void add_index(std::size_t index) { put("index", std::to_string(index)); }

  const std::vector<std::string>& names() const { return names_; }
  const std::vector<std::string>& cells() const { return cells_; }

 private:
  void put(std::string name, std::string cell) {
    names_.push_back(std::move(name));
    cells_.push_back(std::move(cell));
  }
  std::vector<std::string> names_;
  std::vector<std::string> cells_;
};

Row chemical_row(std::size_t index, const Chemical& c, const ResultSlots& s,
                 const ChemicalReport& w) {
  Row row;
  row.add_index(index);
  row.add("CHEMNAME", c.CHEMNAME);
  row.add("CHEMCAS", c.CHEMCAS);
#define VORN_SLOT_CELL(name, init) row.add(#name, s.name);
  VORN_RESULT_SLOTS(VORN_SLOT_CELL)
#undef VORN_SLOT_CELL
  for_each_report_value(w, [&](const char* name, const auto& v) { row.add(name, v); });
  return row;
}

void append_line(std::string& out, const std::vector<std::string>& cells) {
  for (std::size_t k = 0; k < cells.size(); ++k) {
    if (k > 0) out += ',';
    out += cells[k];
  }
  out += kCsvRecordEnd;
}

}  // namespace

std::string results_csv(const Results& results) {
  std::string out;
  append_line(out, chemical_row(0, Chemical{}, ResultSlots{}, ChemicalReport{}).names());
  for (std::size_t k = 0; k < results.chemicals.size(); ++k) {
    append_line(
        out, chemical_row(k + 1, results.chemicals[k], results.results.at(k), results.report.at(k))
                 .cells());
  }
  return out;
}

}  // namespace vorn
