#include "source_tables.hpp"

#include <cmath>
#include <cstdint>

#include "chemicals/library_fields.hpp"
#include "core/free_form.hpp"

namespace vorn::python {
namespace {

void add_source_row(ValueTable& t, const chemicals::SourcedValue& v) {
  const chemicals::ValueSource& s = v.source;
  t.begin_row();
  t.add("index", static_cast<std::int64_t>(s.index));
  for (const auto& [name, text] : {std::pair<const char*, const std::string&>{"CHEMCAS", s.CHEMCAS},
                                   {"variant", s.variant},
                                   {"CHEMNAME", s.CHEMNAME},
                                   {"field", s.field},
                                   {"value", s.value},
                                   {"unit", s.unit},
                                   {"origin", s.origin},
                                   {"library", s.library},
                                   {"source", s.source},
                                   {"table", s.table},
                                   {"date", s.date},
                                   {"derivation", s.derivation},
                                   {"note", s.note},
                                   {"action", s.action},
                                   {"pathways", s.pathways},
                                   {"filled_value", v.filled}})
    t.add_utf8(name, text);
}

void add_library_row(ValueTable& t, const chemicals::Library& library,
                     const chemicals::LibraryValue& v) {
  double number = std::nan("");
  const chemicals::LibraryField* field = chemicals::library_field(v.field);
  if (field != nullptr && field->number) parse_real(v.value, number);
  t.begin_row();
  t.add_utf8("library", library.origin());
  t.add_utf8("id", v.id);
  t.add_utf8("variant", v.variant);
  t.add_utf8("field", v.field);
  t.add_utf8("value", v.value);
  t.add("number", number);
  for (const auto& [name, text] : {std::pair<const char*, const std::string&>{"unit", v.unit},
                                   {"source", v.source},
                                   {"table", v.table},
                                   {"date", v.date},
                                   {"derivation", v.derivation},
                                   {"note", v.note},
                                   {"other", v.other},
                                   {"other_table", v.other_table}})
    t.add_utf8(name, text);
}

}  // namespace

ValueTable sources_table(const chemicals::RunSources* sources) {
  ValueTable table;
  add_source_row(table, chemicals::SourcedValue{});
  table.clear_values();
  if (sources == nullptr || !sources->usable()) return table;
  for (const auto& chemical : sources->chemicals)
    for (const chemicals::SourcedValue& v : chemical) add_source_row(table, v);
  return table;
}

ValueTable library_table(const std::vector<const chemicals::Library*>& libraries) {
  ValueTable table;
  const chemicals::Library none;
  add_library_row(table, none, chemicals::LibraryValue{});
  table.clear_values();
  for (const chemicals::Library* library : libraries)
    for (const chemicals::LibraryValue& v : library->values())
      if (v.field != chemicals::kSkippedField) add_library_row(table, *library, v);
  return table;
}

}  // namespace vorn::python
