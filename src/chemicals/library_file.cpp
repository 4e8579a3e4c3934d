#include "chemicals/library_file.hpp"

#include <unordered_set>

#include "chemicals/chemical_id.hpp"
#include "chemicals/csv_records.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/decimal_text.hpp"
#include "chemicals/library_fields.hpp"
#include "core/csv_field.hpp"

namespace vorn::chemicals {
namespace {

constexpr std::size_t kColumns = 12;
// The input keeps this many characters of a name.
constexpr std::size_t kNameLimit = 255;

bool variant_text(std::string_view v) {
  for (char c : v)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.'))
      return false;
  return true;
}

// Empty when the row is sound.
std::string row_problem(const LibraryValue& v) {
  if (v.field == kSkippedField) {
    if (!v.id.empty() || !v.variant.empty()) return "a SKIPPED row names no id or variant";
    return {};
  }
  const LibraryField* field = library_field(v.field);
  if (field == nullptr) return "unknown field \"" + v.field + "\"";
  if (std::string why = id_problem(v.id); !why.empty()) return why;
  if (!variant_text(v.variant))
    return "variant \"" + v.variant + "\": lower-case letters, digits and hyphens only";
  if (v.unit != field->unit)
    return v.field + " in \"" + v.unit + "\": the library holds it in \"" + field->unit + "\"";
  if (field->number) {
    if (!is_decimal(v.value) || !decimal_value(v.value))
      return v.field + " \"" + v.value + "\" is not a finite decimal number";
  } else if (v.value.empty()) {
    return v.field + " is empty";
  }
  if (v.field == "CHEMNAME") {
    if (v.value.find('@') != std::string::npos) return "CHEMNAME holds \"@\"";
    if (v.value.find_first_of("\r\n") != std::string::npos) return "CHEMNAME holds a line break";
    if (v.value.size() > kNameLimit)
      return "CHEMNAME longer than the " + std::to_string(kNameLimit) + " characters a run keeps";
  }
  if (!v.other.empty() && (!is_decimal(v.other) || !decimal_value(v.other)))
    return "other \"" + v.other + "\" is not a finite decimal number";
  return {};
}

}  // namespace

std::string library_csv(const Library& library) {
  std::string out = std::string(kLibraryHeader) + "\n";
  for (const LibraryValue& v : library.values()) {
    const std::string* cells[kColumns] = {&v.id,         &v.variant, &v.field, &v.value,
                                          &v.unit,       &v.source,  &v.table, &v.date,
                                          &v.derivation, &v.note,    &v.other, &v.other_table};
    for (std::size_t k = 0; k < kColumns; ++k) {
      if (k > 0) out += ',';
      out += csv_field(*cells[k]);
    }
    out += "\n";
  }
  return out;
}

Library read_library(std::string_view text, const std::string& origin) {
  const std::vector<CsvRecord> records = csv_records(text, origin);
  if (records.empty()) throw DataError(origin + ": empty: a library starts with its header row");
  std::string header;
  for (const std::string& f : records.front().fields) header += (header.empty() ? "" : ",") + f;
  if (header != kLibraryHeader) {
    throw DataError(origin + ":" + std::to_string(records.front().line) +
                    ": not a library file: its header should read " + kLibraryHeader);
  }
  Problems problems;
  std::vector<LibraryValue> values;
  std::unordered_set<std::string> seen;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const CsvRecord& record = records[r];
    const std::string where = origin + ":" + std::to_string(record.line) + ": ";
    if (record.fields.size() != kColumns) {
      problems.add(where + std::to_string(record.fields.size()) + " fields, the header has " +
                   std::to_string(kColumns));
      continue;
    }
    const auto& f = record.fields;
    LibraryValue v{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11]};
    if (std::string why = row_problem(v); !why.empty()) {
      problems.add(where + why);
      continue;
    }
    if (v.field != kSkippedField &&
        !seen.insert(v.id + '\x1f' + v.variant + '\x1f' + v.field).second) {
      problems.add(where + "a second " + v.field + " for " + ChemicalKey{v.id, v.variant}.text());
      continue;
    }
    values.push_back(std::move(v));
  }
  problems.throw_if_any();
  return Library(origin, std::move(values));
}

}  // namespace vorn::chemicals
