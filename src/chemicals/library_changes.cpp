#include "chemicals/library_changes.hpp"

#include <algorithm>

#include "chemicals/chemical_id.hpp"
#include "chemicals/decimal_text.hpp"
#include "chemicals/library_fields.hpp"

namespace vorn::chemicals {
namespace {

bool same_value(const LibraryValue& a, const LibraryValue& b) {
  const LibraryField* field = library_field(a.field);
  if (field != nullptr && field->number) return decimal_value(a.value) == decimal_value(b.value);
  return a.value == b.value;
}

}  // namespace

std::vector<ValueChange> library_changes(const Library& before, const Library& after,
                                         const std::vector<std::string>& compared_tables) {
  std::vector<ValueChange> out;
  for (const LibraryValue& v : after.values()) {
    if (v.field == kSkippedField) continue;
    const LibraryValue* old = before.find(v.id, v.variant, v.field);
    if (old == nullptr)
      out.push_back({ValueChange::Kind::added, v.id, v.variant, v.field, {}, v.value, v.unit});
    else if (!same_value(*old, v))
      out.push_back(
          {ValueChange::Kind::changed, v.id, v.variant, v.field, old->value, v.value, v.unit});
  }
  for (const LibraryValue& v : before.values()) {
    if (v.field == kSkippedField ||
        std::find(compared_tables.begin(), compared_tables.end(), v.table) == compared_tables.end())
      continue;
    if (after.find(v.id, v.variant, v.field) == nullptr)
      out.push_back({ValueChange::Kind::removed, v.id, v.variant, v.field, v.value, {}, v.unit});
  }
  return out;
}

std::string change_line(const ValueChange& c) {
  const std::string who = ChemicalKey{c.id, c.variant}.text() + " " + c.field + ": ";
  const std::string unit = c.unit.empty() ? "" : " " + c.unit;
  switch (c.kind) {
    case ValueChange::Kind::added:
      return "added   " + who + c.after + unit;
    case ValueChange::Kind::changed:
      return "changed " + who + c.before + " -> " + c.after + unit;
    case ValueChange::Kind::removed:
      return "removed " + who + c.before + unit + " (the new table gives none)";
  }
  return {};
}

}  // namespace vorn::chemicals
