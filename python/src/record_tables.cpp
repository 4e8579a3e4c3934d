#include "record_tables.hpp"

#include "export/report_values.hpp"
#include "export/unit_values.hpp"
#include "input/site_parameters.hpp"

namespace vorn::python {
namespace {

void add_record(ValueTable& table, const Chemical& c) {
#define VORN_CHEMICAL_VALUE(name, kind) table.add(#name, c.name);
  VORN_CHEMICAL_FIELDS(VORN_CHEMICAL_VALUE)
#undef VORN_CHEMICAL_VALUE
}

void add_chemical_row(ValueTable& table, std::size_t index, const Chemical& c, const ResultSlots& s,
                      const ChemicalReport& w) {
  table.begin_row();
  table.add("index", static_cast<std::int64_t>(index));
  add_record(table, c);
#define VORN_SLOT_VALUE(name, init) table.add(#name, s.name);
  VORN_RESULT_SLOTS(VORN_SLOT_VALUE)
#undef VORN_SLOT_VALUE
  for_each_report_value(w, [&](const char* name, const auto& v) { table.add(name, v); });
}

}  // namespace

ValueTable unit_table(const Results& results) {
  ValueTable table;
  table.begin_row();
  for_each_unit_value(results, [&](const char* name, const auto& v) { table.add(name, v); });
  return table;
}

ValueTable chemical_table(const Results* results) {
  ValueTable table;
  // The columns come from a row of default records, so a table without rows has them too.
  add_chemical_row(table, 0, Chemical{}, ResultSlots{}, ChemicalReport{});
  table.clear_values();
  if (results == nullptr) return table;
  for (std::size_t k = 0; k < results->chemicals.size(); ++k) {
    add_chemical_row(table, k + 1, results->chemicals[k], results->results.at(k),
                     results->report.at(k));
  }
  return table;
}

ValueTable site_table(const WasteUnit& unit) {
  ValueTable table;
  table.begin_row();
  for_each_site_parameter(unit, [&](const char* name, const auto& v) { table.add(name, v); });
  return table;
}

ValueTable input_chemical_table(const std::vector<Chemical>& chemicals) {
  ValueTable table;
  table.begin_row();
  add_record(table, Chemical{});
  table.clear_values();
  for (const Chemical& c : chemicals) {
    table.begin_row();
    add_record(table, c);
  }
  return table;
}

ValueTable daf_rows_table(const DafTable& daf) {
  ValueTable table;
  const auto add_row = [&](const DafRow& row) {
    table.begin_row();
    for_each_daf_field(row, [&](const char* name, const auto& v) { table.add(name, v); });
  };
  add_row(DafRow{});
  table.clear_values();
  for (int r = 1; r <= daf.NDAF; ++r) add_row(daf.row(r));
  return table;
}

}  // namespace vorn::python
