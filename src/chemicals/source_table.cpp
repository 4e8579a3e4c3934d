#include "chemicals/source_table.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "chemicals/chemical_id.hpp"
#include "chemicals/csv_records.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/decimal_text.hpp"

namespace vorn::chemicals {
namespace {

// The layout's anchor is looked for among the first records only.
constexpr std::size_t kHeaderSearch = 20;

// A cell's text on one line: line breaks and tabs as blanks, none at the ends.
std::string trimmed(std::string_view text) {
  std::string out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') continue;
    out += text[k] == '\r' || text[k] == '\n' || text[k] == '\t' ? ' ' : text[k];
  }
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

bool all_empty(const CsvRecord& r) {
  return std::all_of(r.fields.begin(), r.fields.end(), [](const std::string& f) {
    return f.find_first_not_of(' ') == std::string::npos;
  });
}

std::string cell_of(const CsvRecord& r, std::size_t column) {
  return column < r.fields.size() ? r.fields[column] : std::string();
}

// Where a layout's columns are in one file.
struct ColumnMap {
  std::size_t anchor = 0;  // index of the header record
  std::vector<std::string> headers;
  std::size_t name = 0, id = 0;
  std::optional<std::size_t> row_source;
  std::vector<std::size_t> value, source;  // per mapped column; source npos: none
  std::vector<std::string> missing;        // headers the layout needs and the file lacks
};

std::vector<std::size_t> columns_named(const std::vector<std::string>& headers,
                                       std::string_view name) {
  std::vector<std::size_t> out;
  for (std::size_t k = 0; k < headers.size(); ++k)
    if (headers[k] == name) out.push_back(k);
  return out;
}

std::optional<ColumnMap> map_columns(const std::vector<CsvRecord>& records,
                                     const TableLayout& layout) {
  ColumnMap map;
  const std::size_t search = std::min(records.size(), kHeaderSearch);
  std::size_t k = 0;
  for (; k < search; ++k)
    if (!records[k].fields.empty() && normalized_header(records[k].fields[0]) == layout.anchor)
      break;
  if (k == search || k + 1 < static_cast<std::size_t>(layout.header_records)) return std::nullopt;
  map.anchor = k;
  map.headers.assign(records[k].fields.size(), {});
  for (std::size_t c = 0; c < map.headers.size(); ++c) {
    std::string joined;
    for (std::size_t r = k + 1 - static_cast<std::size_t>(layout.header_records); r <= k; ++r) {
      const std::string part = normalized_header(cell_of(records[r], c));
      if (!part.empty()) joined += (joined.empty() ? "" : " ") + part;
    }
    map.headers[c] = joined;
  }
  const auto first = [&](std::string_view name) -> std::optional<std::size_t> {
    const auto found = columns_named(map.headers, name);
    if (found.empty()) {
      map.missing.emplace_back(name);
      return std::nullopt;
    }
    return found.front();
  };
  map.name = first(layout.name_header).value_or(0);
  map.id = first(layout.id_header).value_or(0);
  if (*layout.row_source_header != '\0') map.row_source = first(layout.row_source_header);
  for (const MappedColumn& m : layout.columns) {
    const std::size_t value = first(m.header).value_or(0);
    std::size_t source = std::string::npos;
    if (*m.source_header != '\0') {
      const auto found = columns_named(map.headers, m.source_header);
      if (found.size() == 1) {
        source = found.front();
      } else {
        for (std::size_t s : found)
          if (s > value) {
            source = s;
            break;
          }
      }
      if (source == std::string::npos)
        map.missing.push_back(std::string(m.source_header) + " (after " + m.header + ")");
    }
    map.value.push_back(value);
    map.source.push_back(source);
  }
  return map;
}

std::string expected_headers(const TableLayout& layout) {
  std::string out = std::string(layout.table) + ": a header record starting \"" + layout.anchor +
                    "\" with " + layout.name_header + ", " + layout.id_header;
  for (const MappedColumn& m : layout.columns) out += std::string(", ") + m.header;
  return out;
}

// Reads the layout's header, or says why the file has none of the known layouts.
std::pair<const TableLayout*, ColumnMap> identify(const std::vector<CsvRecord>& records,
                                                  const std::string& file) {
  std::vector<std::string> problems;
  for (const TableLayout& layout : table_layouts()) {
    auto map = map_columns(records, layout);
    if (!map) continue;
    if (map->missing.empty()) return {&layout, std::move(*map)};
    std::string list;
    for (const std::string& h : map->missing) list += (list.empty() ? "" : "; ") + h;
    problems.push_back(file + ":" + std::to_string(map->anchor + 1) + ": the header of the " +
                       layout.table + " lacks: " + list);
  }
  if (problems.empty()) {
    problems.push_back(file + ": not a table of a known layout; the layouts are:");
    for (const TableLayout& layout : table_layouts())
      problems.push_back("  " + expected_headers(layout));
  }
  throw DataError(problems);
}

bool listed(const std::vector<std::string>& tokens, std::string_view cell) {
  return std::find(tokens.begin(), tokens.end(), cell) != tokens.end();
}

// "8.0E+01(F)": the number and the note's letters.
bool split_note(std::string_view cell, std::string& number, std::string& note) {
  const std::size_t open = cell.find('(');
  if (open == std::string_view::npos || cell.back() != ')' || open + 2 >= cell.size()) return false;
  const std::string_view inner = cell.substr(open + 1, cell.size() - open - 2);
  if (inner.size() > 4) return false;
  for (char c : inner)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '*') return false;
  number = std::string(cell.substr(0, open));
  note = std::string(inner);
  return is_decimal(number);
}

class TableReader {
 public:
  TableReader(const std::string& file, const TableLayout& layout, const ColumnMap& map,
              SourceTable& out)
      : file_(file), layout_(layout), map_(map), out_(out) {}

  void row(const CsvRecord& r, std::size_t record) {
    SourceRow row;
    row.record = record;
    row.name = trimmed(cell_of(r, map_.name));
    if (!row.name.empty() && row.name.front() == '~') row.name = trimmed(row.name.substr(1));
    row.id = trimmed(cell_of(r, map_.id));
    if (map_.row_source) row.source = trimmed(cell_of(r, *map_.row_source));
    for (std::size_t m = 0; m < layout_.columns.size(); ++m) cell(r, record, m, row);
    const RowRemark* remark = row_remark(layout_, row.source);
    if (row.id.empty()) {
      const bool heading = std::none_of(row.cells.begin(), row.cells.end(),
                                        [](const SourceCell& c) { return !c.text.empty(); });
      out_.skipped.push_back({record, row.name,
                              remark    ? remark->text
                              : heading ? "a group heading"
                                        : "no CAS number or registry id: not loaded"});
      return;
    }
    if (const std::string why = id_problem(row.id); !why.empty()) {
      problems_.add(where(record, map_.id) + why);
      return;
    }
    out_.rows.push_back(std::move(row));
  }

  Problems& problems() { return problems_; }

 private:
  std::string where(std::size_t record, std::size_t column) const {
    return file_ + ":" + std::to_string(record) + ":" + std::to_string(column + 1) + ": ";
  }

  void cell(const CsvRecord& r, std::size_t record, std::size_t m, SourceRow& row) {
    const MappedColumn& column = layout_.columns[m];
    const std::string text = cell_of(r, map_.value[m]);
    SourceCell cell{&column, {}, {}, {}};
    if (map_.source[m] != std::string::npos) cell.source = trimmed(cell_of(r, map_.source[m]));
    if (column.kind == CellKind::flag) {
      if (text.empty()) return;
      if (text != column.flag) {
        problems_.add(where(record, map_.value[m]) + column.header + ": \"" + text +
                      "\" is neither empty nor " + column.flag);
        return;
      }
      cell.text = text;
    } else if (listed(layout_.missing_tokens, text)) {
      if (column.blank == Blank::absent) return;
      // A toxicity value left blank: none is published. Its key, if any, is kept.
    } else if (const SpecialToken* special = special_token(text)) {
      count(special);
      return;
    } else if (is_decimal(text)) {
      cell.text = text;
    } else if (!split_note(text, cell.text, cell.note)) {
      problems_.add(where(record, map_.value[m]) + column.header + ": \"" + text +
                    "\" is not a number, a missing value or a token this table is known to "
                    "hold");
      return;
    }
    if (!cell.text.empty() && !decimal_value(cell.text) && column.kind == CellKind::number) {
      problems_.add(where(record, map_.value[m]) + column.header + ": " + cell.text +
                    " is beyond the range of doubles");
      return;
    }
    row.cells.push_back(std::move(cell));
  }

  const SpecialToken* special_token(std::string_view text) const {
    for (const SpecialToken& s : layout_.special_tokens)
      if (text == s.token) return &s;
    return nullptr;
  }

  void count(const SpecialToken* special) {
    for (auto& [token, n] : out_.special_counts)
      if (token == special) {
        ++n;
        return;
      }
    out_.special_counts.emplace_back(special, 1);
  }

  const std::string& file_;
  const TableLayout& layout_;
  const ColumnMap& map_;
  SourceTable& out_;
  Problems problems_;
};

}  // namespace

SourceTable read_source_table(std::string_view text, const std::string& file) {
  const std::vector<CsvRecord> records = csv_records(text, file, CsvOptions{true});
  const auto [layout, map] = identify(records, file);
  SourceTable out;
  out.layout = layout;
  out.file = file;
  TableReader reader(file, *layout, map, out);
  for (std::size_t k = map.anchor + 1; k < records.size(); ++k) {
    if (all_empty(records[k])) {
      if (layout->ends_at_empty_record) break;
      continue;
    }
    reader.row(records[k], k + 1);
  }
  reader.problems().throw_if_any();
  return out;
}

const TableLayout* layout_of(std::string_view text) {
  std::vector<CsvRecord> records;
  try {
    records = read_csv(text, CsvOptions{true});
  } catch (const CsvError&) {
    return nullptr;
  }
  for (const TableLayout& layout : table_layouts())
    if (map_columns(records, layout)) return &layout;
  return nullptr;
}

}  // namespace vorn::chemicals
