#include "chemicals/value_source.hpp"

#include <charconv>

#include "chemicals/csv_records.hpp"
#include "chemicals/data_error.hpp"
#include "core/csv_field.hpp"

namespace vorn::chemicals {
namespace {

constexpr std::size_t kColumns = 16;

}  // namespace

std::string sources_csv(const std::vector<ValueSource>& rows) {
  std::string out = std::string(kSourcesHeader) + "\r\n";
  for (const ValueSource& r : rows) {
    const std::string cells[kColumns] = {std::to_string(r.index),
                                         r.CHEMCAS,
                                         r.variant,
                                         r.CHEMNAME,
                                         r.field,
                                         r.value,
                                         r.unit,
                                         r.origin,
                                         r.library,
                                         r.source,
                                         r.table,
                                         r.date,
                                         r.derivation,
                                         r.note,
                                         r.action,
                                         r.pathways};
    for (std::size_t k = 0; k < kColumns; ++k) {
      if (k > 0) out += ',';
      out += csv_field(cells[k]);
    }
    out += "\r\n";
  }
  return out;
}

std::vector<ValueSource> read_sources(std::string_view text, const std::string& file) {
  const std::vector<CsvRecord> records = csv_records(text, file);
  std::string header;
  if (!records.empty())
    for (const std::string& f : records.front().fields) header += (header.empty() ? "" : ",") + f;
  if (header != kSourcesHeader)
    throw DataError(file + ":1: not a sources file: its header should read " + kSourcesHeader);
  Problems problems;
  std::vector<ValueSource> rows;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const auto& f = records[r].fields;
    const std::string at = file + ":" + std::to_string(records[r].line) + ": ";
    if (f.size() != kColumns) {
      problems.add(at + std::to_string(f.size()) + " fields, the header has " +
                   std::to_string(kColumns));
      continue;
    }
    std::size_t index = 0;
    const auto [end, ec] = std::from_chars(f[0].data(), f[0].data() + f[0].size(), index);
    if (ec != std::errc() || end != f[0].data() + f[0].size() || index == 0) {
      problems.add(at + "index \"" + f[0] + "\" is not a chemical's place from 1");
      continue;
    }
    rows.push_back({index, f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11],
                    f[12], f[13], f[14], f[15], records[r].line});
  }
  problems.throw_if_any();
  return rows;
}

}  // namespace vorn::chemicals
