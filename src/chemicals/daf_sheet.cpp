#include "chemicals/daf_sheet.hpp"

#include "chemicals/chemical_id.hpp"
#include "chemicals/csv_records.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/decimal_text.hpp"

namespace vorn::chemicals {
namespace {

constexpr const char* kHeader = "CAS,LFCONC,LFCAR,LFNON,SICONC,SICAR,SINON";
constexpr std::size_t kColumns = 7;

std::string trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

}  // namespace

std::vector<DafSheetRow> read_daf_sheet(std::string_view text, const std::string& file) {
  const std::vector<CsvRecord> records = csv_records(text, file);
  std::string header;
  if (!records.empty())
    for (const std::string& f : records.front().fields)
      header += (header.empty() ? "" : ",") + trimmed(f);
  if (header != kHeader)
    throw DataError(file + ":1: a DAF table's header row reads " + std::string(kHeader));
  Problems problems;
  std::vector<DafSheetRow> rows;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const CsvRecord& record = records[r];
    const std::string at = file + ":" + std::to_string(record.line) + ": ";
    if (record.fields.size() != kColumns) {
      problems.add(at + std::to_string(record.fields.size()) + " cells, the header names " +
                   std::to_string(kColumns));
      continue;
    }
    DafSheetRow out;
    out.line = record.line;
    const std::string id = trimmed(record.fields[0]);
    if (id.find(':') != std::string::npos) {
      problems.add(at + "\"" + id + "\": DAF rows name the bare CAS number, without a variant");
      continue;
    }
    if (std::string why = id_problem(id); !why.empty()) {
      problems.add(at + why);
      continue;
    }
    if (id.size() > kDafKeyWidth) {
      problems.add(at + id + " is longer than the " + std::to_string(kDafKeyWidth) +
                   " characters of a DAF row's key");
      continue;
    }
    out.row.CHEMCAS = id;
    double* values[] = {&out.row.LFCONC, &out.row.LFCAR, &out.row.LFNON,
                        &out.row.SICONC, &out.row.SICAR, &out.row.SINON};
    bool ok = true;
    for (std::size_t k = 0; k < 6; ++k) {
      const std::string cell = trimmed(record.fields[k + 1]);
      const auto v = is_decimal(cell) ? decimal_value(cell) : std::nullopt;
      if (!v) {
        problems.add(at + "\"" + cell + "\" is not a number");
        ok = false;
      } else {
        *values[k] = *v;
      }
    }
    if (ok) rows.push_back(std::move(out));
  }
  problems.throw_if_any();
  return rows;
}

}  // namespace vorn::chemicals
