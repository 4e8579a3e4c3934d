#include "library_binding.hpp"

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "chemicals/chemical_fill.hpp"
#include "chemicals/chemical_id.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/library_file.hpp"
#include "chemicals/library_stack.hpp"
#include "chemicals/stream_fill.hpp"
#include "input/input_writer.hpp"

namespace vorn::web {
namespace {

// The library the page loaded; the module serves one page.
std::unique_ptr<chemicals::Library>& loaded() {
  static std::unique_ptr<chemicals::Library> library;
  return library;
}

std::optional<chemicals::LibraryStack> stack() {
  if (!loaded()) return std::nullopt;
  return chemicals::LibraryStack({loaded().get()});
}

std::string name_of(const chemicals::LibraryStack& s, const chemicals::EntryKey& e) {
  const chemicals::FoundValue v = s.find(e, "CHEMNAME");
  return v ? v.value->value : e.id;
}

val entry_object(const chemicals::LibraryStack& s, const chemicals::EntryKey& e) {
  val o = val::object();
  o.set("key", e.variant.empty() ? e.id : e.id + ":" + e.variant);
  o.set("id", e.id);
  o.set("variant", e.variant);
  o.set("name", name_of(s, e));
  return o;
}

val source_object(const chemicals::ValueSource& v) {
  val o = val::object();
  o.set("index", static_cast<double>(v.index));
  // The sixth value is the reference concentration, which VORN.IN's ORDI holds.
  o.set("field", v.field == "RFCI" ? std::string("ORDI") : v.field);
  o.set("value", v.value);
  o.set("unit", v.unit);
  o.set("origin", v.origin);
  o.set("library", v.library);
  o.set("source", v.source);
  o.set("table", v.table);
  o.set("date", v.date);
  o.set("derivation", v.derivation);
  o.set("note", v.note);
  o.set("action", v.action);
  o.set("pathways", v.pathways);
  return o;
}

}  // namespace

val load_library(const val& text, const std::string& origin) {
  val r = val::object();
  try {
    auto library =
        std::make_unique<chemicals::Library>(chemicals::read_library(bytes_of(text), origin));
    r.set("chemicals", static_cast<double>(library->entries().size()));
    loaded() = std::move(library);
    r.set("ok", true);
  } catch (const std::exception& e) {
    r.set("ok", false);
    r.set("message", std::string(e.what()));
  }
  return r;
}

val find_chemicals(const std::string& text, unsigned limit) {
  val out = val::array();
  const auto s = stack();
  if (!s) return out;
  const chemicals::ChemicalKey key = chemicals::parse_key(text);
  if (chemicals::id_problem(key.id).empty() && !s->variants(key.id).empty()) {
    for (const std::string& variant : s->variants(key.id))
      if (key.variant.empty() || key.variant == variant)
        out.call<void>("push", entry_object(*s, {key.id, variant}));
    return out;
  }
  unsigned n = 0;
  for (const chemicals::EntryKey& e : s->search(text)) {
    if (n++ == limit) break;
    out.call<void>("push", entry_object(*s, e));
  }
  return out;
}

val fill_chemical(const std::string& key_text, bool landfill) {
  val r = val::object();
  const auto s = stack();
  if (!s) {
    r.set("ok", false);
    r.set("message", std::string("the chemical library is not loaded"));
    return r;
  }
  try {
    const chemicals::EntryKey entry = s->resolve(chemicals::parse_key(key_text));
    chemicals::SheetRow row;
    row.key = chemicals::parse_key(key_text);
    const chemicals::FillContext context{*s, landfill, std::nullopt};
    chemicals::Problems problems;
    const chemicals::FilledChemical filled =
        chemicals::fill_chemical(row, entry, 1, context, "", problems);
    val values = val::object();
    for (const chemicals::ValueSource& v : filled.sources) {
      const val o = source_object(v);
      values.set(o["field"], o);
    }
    r.set("ok", true);
    r.set("key", entry.variant.empty() ? entry.id : entry.id + ":" + entry.variant);
    r.set("values", values);
    val list = val::array();
    try {
      problems.throw_if_any();
    } catch (const chemicals::DataError& e) {
      list = string_array(e.problems());
    }
    r.set("problems", list);
  } catch (const std::exception& e) {
    r.set("ok", false);
    r.set("message", std::string(e.what()));
  }
  return r;
}

val fill_sheet(const val& sheet, const std::string& name, const val& daf) {
  val r = val::object();
  const auto s = stack();
  try {
    if (!s) throw std::runtime_error("the chemical library is not loaded");
    const chemicals::StreamSheet read = chemicals::read_stream_sheet(bytes_of(sheet), name);
    std::vector<chemicals::DafSheetRow> rows;
    if (!daf.isNull() && !daf.isUndefined())
      rows = chemicals::read_daf_sheet(bytes_of(daf), "DAF sheet");
    const chemicals::FillResult fill = chemicals::fill_stream(read, rows, "DAF sheet", *s);
    val sources = val::array();
    for (const chemicals::ValueSource& v : fill.sources)
      sources.call<void>("push", source_object(v));
    r.set("ok", true);
    r.set("input", bytes(write_input_text(fill.unit, fill.chemicals, *fill.daf)));
    r.set("sources", sources);
    r.set("notices", string_array(fill.notices));
    r.set("problems", val::array());
  } catch (const chemicals::DataError& e) {
    r.set("ok", false);
    r.set("problems", string_array(e.problems()));
  } catch (const std::exception& e) {
    r.set("ok", false);
    r.set("problems", string_array({e.what()}));
  }
  return r;
}

}  // namespace vorn::web
