#include "chemicals/library_import.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "chemicals/chemical_id.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/decimal_text.hpp"
#include "chemicals/library_fields.hpp"

namespace vorn::chemicals {
namespace {

constexpr std::size_t kFieldCount = std::size(kLibraryFields);
// Unit risk per µg/m³ to a slope factor per mg/kg-day: 20 m³/day ÷ 70 kg × 1000 µg/mg.
constexpr double kUnitRiskFactor = 3500.0;
constexpr double kMillimetresOfMercuryPerAtmosphere = 760.0;

struct Entry {
  EntryKey key;
  std::array<std::optional<LibraryValue>, kFieldCount> fields;
};

std::size_t layout_rank(const TableLayout* layout) {
  const auto& all = table_layouts();
  for (std::size_t k = 0; k < all.size(); ++k)
    if (&all[k] == layout) return k;
  return all.size();
}

class Merge {
 public:
  explicit Merge(const ImportNaming& naming) : naming_(naming) {}

  // Variant keys of the ids that have several rows in a table.
  void gather_variants(const SourceTable& table) {
    std::map<std::string, std::vector<const SourceRow*>> by_id;
    for (const SourceRow& row : table.rows) by_id[row.id].push_back(&row);
    for (const auto& [id, rows] : by_id) {
      if (rows.size() < 2) continue;
      for (const SourceRow* row : rows) {
        const std::string key = variant_key(row->name);
        const bool repeated = std::count_if(rows.begin(), rows.end(), [&](const SourceRow* r) {
                                return variant_key(r->name) == key;
                              }) > 1;
        if (key.empty() || repeated) {
          problems_.add(table.file + ":" + std::to_string(row->record) + ": " +
                        std::to_string(rows.size()) + " rows share " + id +
                        ", and this one's name \"" + row->name +
                        "\" does not end in a parenthesised variant of its own");
          continue;
        }
        auto& list = variants_[id];
        if (std::find(list.begin(), list.end(), key) == list.end()) list.push_back(key);
        row_variant_[row] = key;
      }
    }
  }

  void add(const SourceTable& table) {
    const TableLayout& layout = *table.layout;
    const std::string& table_name = naming_.table.empty() ? layout.table : naming_.table;
    const std::string& date = naming_.date.empty() ? layout.snapshot_date : naming_.date;
    for (const SourceRow& row : table.rows) {
      for (Entry* entry : targets(row)) {
        LibraryValue base{
            entry->key.id, entry->key.variant, {}, {}, {}, {}, table_name, date, {}, {}, {}, {}};
        LibraryValue name = base;
        name.field = "CHEMNAME";
        name.value = row.name;
        name.source = row.source;
        if (is_registry_id(row.id)) name.note = "registry id, no check digit";
        put(*entry, std::move(name), false);
        const RowRemark* remark = row_remark(layout, row.source);
        for (const SourceCell& cell : row.cells) {
          LibraryValue v = base;
          v.field = cell.column->field;
          v.unit = cell.column->unit;
          v.source = cell.source.empty() ? row.source : cell.source;
          if (cell.column->kind == CellKind::flag) {
            v.value = cell.text;
          } else if (cell.text.empty()) {
            v.value = "0";
            v.derivation = "blank in the table: none published";
          } else {
            ConvertedValue c = converted(*cell.column, cell.text);
            v.value = std::move(c.value);
            v.derivation = std::move(c.derivation);
          }
          if (!cell.note.empty()) v.note = "(" + cell.note + ")";
          if (remark != nullptr) v.note += (v.note.empty() ? "" : " ") + std::string(remark->text);
          put(*entry, std::move(v), !cell.text.empty() && cell.column->kind == CellKind::number);
        }
      }
    }
    for (const SkippedRow& s : table.skipped) {
      skipped_.push_back({{},
                          {},
                          kSkippedField,
                          s.name,
                          {},
                          {},
                          table_name,
                          date,
                          "record " + std::to_string(s.record),
                          s.reason,
                          {},
                          {}});
    }
  }

  std::vector<LibraryValue> values() {
    problems_.throw_if_any();
    std::vector<LibraryValue> out;
    for (Entry& e : entries_)
      for (auto& v : e.fields)
        if (v) out.push_back(std::move(*v));
    for (LibraryValue& s : skipped_) out.push_back(std::move(s));
    return out;
  }

 private:
  Entry& entry(const std::string& id, const std::string& variant) {
    const std::string key = id + '\x1f' + variant;
    const auto it = index_.find(key);
    if (it != index_.end()) return entries_[it->second];
    index_.emplace(key, entries_.size());
    entries_.push_back({{id, variant}, {}});
    return entries_.back();
  }

  // A row of a variant goes to that variant; a row of an id that has variants elsewhere
  // goes to each of them.
  std::vector<Entry*> targets(const SourceRow& row) {
    if (const auto v = row_variant_.find(&row); v != row_variant_.end())
      return {&entry(row.id, v->second)};
    const auto variants = variants_.find(row.id);
    if (variants == variants_.end()) return {&entry(row.id, "")};
    std::vector<Entry*> out;
    for (const std::string& variant : variants->second) out.push_back(&entry(row.id, variant));
    return out;
  }

  // The first table's value stays; a later table's number is noted beside it.
  void put(Entry& e, LibraryValue v, bool number) {
    std::optional<LibraryValue>& slot = e.fields[library_field_order(v.field)];
    if (!slot) {
      slot = std::move(v);
    } else if (number && slot->other.empty() && slot->table != v.table) {
      slot->other = v.value;
      slot->other_table = v.table;
    }
  }

  const ImportNaming& naming_;
  Problems problems_;
  std::map<std::string, std::vector<std::string>> variants_;
  std::map<const SourceRow*, std::string> row_variant_;
  std::vector<Entry> entries_;
  std::map<std::string, std::size_t> index_;
  std::vector<LibraryValue> skipped_;
};

}  // namespace

ConvertedValue converted(const MappedColumn& column, const std::string& text) {
  switch (column.conversion) {
    case Conversion::micrograms_to_milligrams:
      return {shift_decimal(text, -3), "ug/L / 1000: the decimal's exponent shifted by 3"};
    case Conversion::mm_hg_to_atm:
      return {shortest_text(*decimal_value(text) / kMillimetresOfMercuryPerAtmosphere),
              "mm Hg / 760"};
    case Conversion::unit_risk_to_slope:
      return {shortest_text(*decimal_value(text) * kUnitRiskFactor),
              "IUR x 3500 (70 kg adult, 20 m3/day)"};
    case Conversion::none:
      break;
  }
  return {text, {}};
}

bool in_conflict(const LibraryValue& v) {
  return !v.other.empty() && decimal_value(v.value) != decimal_value(v.other);
}

Library import_tables(const std::vector<SourceTable>& tables, const ImportNaming& naming,
                      std::string origin) {
  std::vector<const SourceTable*> ordered;
  for (const SourceTable& t : tables) ordered.push_back(&t);
  std::stable_sort(ordered.begin(), ordered.end(), [](const SourceTable* a, const SourceTable* b) {
    return layout_rank(a->layout) < layout_rank(b->layout);
  });
  for (std::size_t k = 1; k < ordered.size(); ++k) {
    if (ordered[k]->layout == ordered[k - 1]->layout) {
      throw DataError(ordered[k]->file + ": a second table of the " + ordered[k]->layout->table +
                      " (the first is " + ordered[k - 1]->file + ")");
    }
  }
  Merge merge(naming);
  for (const SourceTable* t : ordered) merge.gather_variants(*t);
  for (const SourceTable* t : ordered) merge.add(*t);
  return Library(std::move(origin), merge.values());
}

}  // namespace vorn::chemicals
