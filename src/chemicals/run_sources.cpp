#include "chemicals/run_sources.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>

#include "chemicals/data_error.hpp"
#include "chemicals/record_fields.hpp"
#include "core/bit_cast.hpp"
#include "core/free_form.hpp"
#include "core/number_text.hpp"
#include "core/text.hpp"
#include "input/free_form_items.hpp"

namespace vorn::chemicals {
namespace {

enum class Held { text, real, integer };

// A value of the record as the run read it, under the name sources.csv gives it.
struct RunField {
  const char* name;
  Held held;
  double Chemical::*real;
  std::string Chemical::*text;
  const char* unit;
};

// CHEMNAME and the property line's values in sources.csv's order, then the concentrations.
std::vector<RunField> make_run_fields() {
  std::vector<RunField> out;
  for (const RecordField& f : kRecordFields) {
    switch (f.kind) {
      case RecordKind::name:
        out.push_back({f.name, Held::text, nullptr, &Chemical::CHEMNAME, f.unit});
        break;
      case RecordKind::real:
        out.push_back({f.name, Held::real, f.real, nullptr, f.unit});
        break;
      case RecordKind::integer:
        out.push_back({f.name, Held::integer, nullptr, nullptr, f.unit});
        break;
      case RecordKind::flag:
        out.push_back({f.name, Held::text, nullptr, &Chemical::CARCTYPE, f.unit});
        break;
    }
  }
  out.push_back({"TCLPCONC", Held::real, &Chemical::TCLPCONC, nullptr, "mg/L"});
  out.push_back({"TCLPFLAG", Held::text, nullptr, &Chemical::TCLPFLAG, ""});
  out.push_back({"TOTC", Held::real, &Chemical::TOTC, nullptr, "mg/kg"});
  out.push_back({"TOTFLAG", Held::text, nullptr, &Chemical::TOTFLAG, ""});
  return out;
}

const std::vector<RunField>& run_fields() {
  static const std::vector<RunField> fields = make_run_fields();
  return fields;
}

const RunField* run_field(std::string_view name) {
  for (const RunField& f : run_fields())
    if (name == f.name) return &f;
  return nullptr;
}

// The value as VORN.IN would give it.
std::string read_text(const RunField& f, const Chemical& c) {
  switch (f.held) {
    case Held::text:
      return latin1_to_utf8(trim_blanks(c.*f.text));
    case Held::integer:
      return integer_item(c.ORGANIC);
    case Held::real:
      try {
        return real_item(c.*f.real, f.name);
      } catch (const std::invalid_argument&) {
        return exact_number(c.*f.real);  // a NaN with a payload the reader cannot give back
      }
  }
  return {};
}

bool same_real(double a, double b) {
  return bit_cast<std::uint64_t>(a) == bit_cast<std::uint64_t>(b) || (a != a && b != b);
}

// Whether `text` is the value the run read; none when `text` cannot be a value of the field.
std::optional<bool> same_value(const RunField& f, const Chemical& c, const std::string& text) {
  switch (f.held) {
    case Held::text:
      return trim_blanks(text) == trim_blanks(c.*f.text);
    case Held::integer: {
      std::int32_t v = 0;
      if (!parse_integer(trim_blanks(text), v)) return std::nullopt;
      return v == c.ORGANIC;
    }
    case Held::real: {
      double v = 0.0;
      if (!parse_real(trim_blanks(text), v)) return std::nullopt;
      return same_real(v, c.*f.real);
    }
  }
  return std::nullopt;
}

// Whether `text` can be a value of the field.
bool holds_value(const RunField& f, std::string_view text) {
  return same_value(f, Chemical{}, std::string(text)).has_value();
}

// The rows the fill wrote for one place of its VORN.IN.
struct FilledPlace {
  std::string cas;
  std::map<std::string, const ValueSource*, std::less<>> fields;
};

std::map<std::size_t, FilledPlace> places_of(const std::vector<ValueSource>& rows,
                                             const std::string& file, Problems& problems) {
  std::map<std::size_t, FilledPlace> places;
  for (const ValueSource& row : rows) {
    const std::string at = file + ":" + std::to_string(row.line) + ": ";
    const RunField* f = run_field(row.field);
    if (f == nullptr) {
      problems.add(at + "unknown field \"" + row.field + "\"");
      continue;
    }
    auto [it, first] = places.try_emplace(row.index);
    FilledPlace& place = it->second;
    if (first) place.cas = row.CHEMCAS;
    if (row.CHEMCAS != place.cas)
      problems.add(at + "chemical " + std::to_string(row.index) + " is " + place.cas + " above, " +
                   row.CHEMCAS + " here");
    if (!place.fields.emplace(row.field, &row).second)
      problems.add(at + "a second " + row.field + " for chemical " + std::to_string(row.index));
    if (!holds_value(*f, row.value))
      problems.add(at + row.field + " \"" + row.value + "\" is not a number");
  }
  for (const auto& [index, place] : places)
    for (const RunField& f : run_fields())
      if (place.fields.count(f.name) == 0)
        problems.add(file + ": chemical " + std::to_string(index) + " (" + place.cas +
                     ") has no row for " + f.name);
  return places;
}

// The place whose rows describe chemical `index` holding `cas`: its own, else the one place
// that holds the CAS number; nullptr when there is none.
const FilledPlace* place_for(const std::map<std::size_t, FilledPlace>& places, std::size_t index,
                             std::string_view cas) {
  const auto own = places.find(index);
  if (own != places.end() && trim_blanks(own->second.cas) == cas) return &own->second;
  const FilledPlace* found = nullptr;
  for (const auto& [k, place] : places) {
    if (trim_blanks(place.cas) != cas) continue;
    if (found != nullptr) return nullptr;
    found = &place;
  }
  return found;
}

void mark_changed(ValueSource& s, std::string value) {
  s.value = std::move(value);
  s.origin = kChangedAfterFill;
  s.library.clear();
  s.source.clear();
  s.table.clear();
  s.date.clear();
  s.derivation.clear();
  s.note.clear();
  s.action.clear();
  s.pathways.clear();
}

std::vector<SourcedValue> chemical_sources(const FilledPlace* place, std::size_t index,
                                           const Chemical& c) {
  std::vector<SourcedValue> out;
  for (const RunField& f : run_fields()) {
    SourcedValue v;
    if (place != nullptr) {
      v.source = *place->fields.at(f.name);
      v.filled = v.source.value;
      if (!*same_value(f, c, v.filled)) mark_changed(v.source, read_text(f, c));
    } else {
      v.source.CHEMCAS = latin1_to_utf8(trim_blanks(c.CHEMCAS));
      v.source.CHEMNAME = latin1_to_utf8(trim_blanks(c.CHEMNAME));
      v.source.field = f.name;
      v.source.unit = f.unit;
      mark_changed(v.source, read_text(f, c));
    }
    v.source.index = index;
    out.push_back(std::move(v));
  }
  return out;
}

std::string problem_text(const DataError& e) {
  const auto& all = e.problems();
  if (all.empty()) return e.what();
  std::string text = all.front();
  if (all.size() == 2) text += " (and 1 more problem)";
  if (all.size() > 2) text += " (and " + std::to_string(all.size() - 1) + " more problems)";
  return text;
}

bool is_concentration(std::string_view field) {
  return field == "TCLPCONC" || field == "TCLPFLAG" || field == "TOTC" || field == "TOTFLAG";
}

}  // namespace

RunSources read_run_sources(std::string_view text, const std::string& file,
                            const std::vector<Chemical>& as_read) {
  RunSources out;
  out.file = file;
  try {
    const std::vector<ValueSource> rows = read_sources(text, file);
    Problems problems;
    const auto places = places_of(rows, file, problems);
    problems.throw_if_any();
    for (std::size_t k = 0; k < as_read.size(); ++k) {
      const Chemical& c = as_read[k];
      out.chemicals.push_back(
          chemical_sources(place_for(places, k + 1, trim_blanks(c.CHEMCAS)), k + 1, c));
    }
  } catch (const DataError& e) {
    out.problem = problem_text(e);
    out.chemicals.clear();
  }
  return out;
}

std::string sources_warning(const RunSources& sources) {
  return sources.problem + "; the documents carry no sources";
}

std::vector<std::pair<std::string, std::string>> tables_used(const RunSources& sources) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& chemical : sources.chemicals)
    for (const SourcedValue& v : chemical) {
      if (v.changed() || v.source.table.empty()) continue;
      const std::pair<std::string, std::string> table{v.source.table, v.source.date};
      bool known = false;
      for (const auto& t : out) known = known || t == table;
      if (!known) out.push_back(table);
    }
  return out;
}

bool is_user_override(const ValueSource& source) {
  return source.origin == "user" && !is_concentration(source.field);
}

std::size_t user_override_count(const RunSources& sources) {
  std::size_t n = 0;
  for (const auto& chemical : sources.chemicals)
    for (const SourcedValue& v : chemical) n += is_user_override(v.source);
  return n;
}

std::size_t changed_after_fill_count(const RunSources& sources) {
  std::size_t n = 0;
  for (const auto& chemical : sources.chemicals)
    for (const SourcedValue& v : chemical) n += v.changed();
  return n;
}

}  // namespace vorn::chemicals
